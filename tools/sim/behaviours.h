#pragma once
// The device's behaviours beyond store-and-echo, one factory per page.

#include "simdevice.h"

#include <memory>

namespace zeph {

// Installs every standard behaviour (called by the SimDevice constructor).
void installStandardBehaviours(SimDevice& device);

// Image page: a STORE of the image settings ends by itself after
// SimDevice::storeMs() with STORE reported false.
std::unique_ptr<SimBehaviour> makeImageStoreBehaviour();

// Audio page: while AMOD is 0 (audio follows video) the input heard ACHAN
// is kept equal to the input on the output ICHM, and reported when it moves.
std::unique_ptr<SimBehaviour> makeAudioFollowBehaviour();
// Effects: writing REFREQ sets EFFAV (effects available while the output
// switches seamlessly, REFREQ 9 and above) and reports it after the echo.
std::unique_ptr<SimBehaviour> makeEffectsAvailableBehaviour();
// Inputs: a preselected input (ICHP) is taken onto the output (ICHM) after
// a moment with TAKE true meanwhile, and its measurements are reported; a
// requested reference (REFREQ) comes into force with its family and rate.
std::unique_ptr<SimBehaviour> makeInputSwitchBehaviour();
// The measured signal of the input on the output at start (a PAL picture);
// --set changes it.
void describeInputSignal(SimDevice& device);

// Logo page: "1LS" stores the output (LMODE 2, into the frame slot) or the
// logo (LMODE 1, into slot LCURRENT), or erases slot LCURRENT (LMODE 4, 0
// for all slots). The device reports the picture's size at once and LSTORE
// false once the store is done, after SimDevice::logoStoreMs(); by then the
// slot's LEMPTY is reported, and after an erase each input that showed an
// erased slot is reported showing none. "1LA" ends a store at once,
// leaving the slot as it was.
std::unique_ptr<SimBehaviour> makeLogoStoreBehaviour();

}  // namespace zeph
