#pragma once
// Texts typed or pasted into an entry that a file stores (a label, a
// programmable button's caption or command): what the entry must refuse,
// because the file could not hold it as typed, and what it takes. Each
// has at most 10 characters, so that a label can take it.

#include <QString>

#include <vector>

struct EntryText {
    const char* what;
    QString text;
    bool taken;
};

inline std::vector<EntryText> entryTexts()
{
    const auto with = [](char16_t c) { return QStringLiteral("Cam") + QChar(c) + QStringLiteral("2"); };
    return {
        // A line break would end the "key=value" line and start another:
        // "2=" is an empty label 2 in the settings file, "adon5=1" a
        // command for button 5 in the buttons file.
        {"LF", QStringLiteral("Cam\n2="), false},
        {"CR", QStringLiteral("Cam\r2="), false},
        {"CRLF", QStringLiteral("R\r\nadon5=1"), false},
        {"TAB", with(u'\t'), false},
        {"NUL", with(0x00), false},
        {"U001F", with(0x1F), false},
        {"U007F", with(0x7F), false},
        {"U0085", with(0x85), false},
        {"U009F", with(0x9F), false},
        {"U0100", with(0x100), false},
        {"euro", QStringLiteral("Cam 2 €"), false},
        {"space", with(0x20), true},
        {"tilde", with(0x7E), true},
        {"noBreakSpace", with(0xA0), true},
        {"eAcute", QStringLiteral("Caméra"), true},
        {"yDiaeresis", with(0xFF), true},
    };
}
