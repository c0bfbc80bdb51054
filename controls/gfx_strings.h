#pragma once
// Small string and path procedures, and the library's numbered resource
// strings.

#include <QString>

// True when the text is empty or holds only blanks (character 32).
bool GfxIsEmptyText(const QString& s);
// Without leading and trailing blanks and control characters.
QString GfxTrim(const QString& s);
// One "\" appended unless the text is non-blank and ends in "\" already.
QString GfxAddBackslash(const QString& path);
// The final "\" removed when the text is non-blank and ends in one.
QString GfxRemoveBackslash(const QString& path);

// The extension of a file name, dot included ("" when none): the text from
// the last "." that comes after the last path separator.
QString GfxExtractFileExt(const QString& name);
// The file-name part: the text after the last path separator.
QString GfxExtractFileName(const QString& name);

// Resource string numbers.
enum : int {
    SGfxClockStyle = 65217,
    SGfxOneInstance = 65218,
    SGfxMinInterval = 65219,
    SGfxCompanyName = 65220,
    SGfxProductName = 65221,
    SGfxVersion = 65222,
    SGfxCopyright = 65223,
    SGfxLegalTrademark = 65224,
    SGfxFileDescription = 65225,
    SGfxComments = 65226,
};
// The text of a resource string; empty for a number the library lacks.
QString GfxLoadResString(int number);
