#pragma once
// Spreading the renamable names to the controls that repeat them: the input
// names to the "Used" boxes, the name of the input on the output and the
// reference list; the logo names to the sixteen logo lists and the store
// list. Controls are found by their design names, so a page that is not
// built yet is simply skipped.

class TZEPH350_main;

namespace names {

// `rename`: spreads the input names.
void rename(TZEPH350_main& w);
// `logorename`: spreads the name of logo slot `slot` (1 to 9).
void logorename(TZEPH350_main& w, int slot);
// Spreads every logo name (slots 1 to 9), as after reading a file.
void spreadLogoNames(TZEPH350_main& w);
// Fills the logo lists with the ten names and selects item 0 (start-up).
void fillLogoLists(TZEPH350_main& w);

}  // namespace names
