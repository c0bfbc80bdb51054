#pragma once
// The service console's register list (console_registers.def) and the
// texts the console shows in columns: the hexadecimal and binary forms of a
// value and the traffic view's line for a reply.

#include <QString>

#include <array>
#include <cstdint>

struct ConsoleRow {
    const char* code;         // command code
    const char* mnemonic;     // reply code
    const char* description;  // French, UTF-8
};

inline constexpr int ConsoleRowCount = 137;
extern const std::array<ConsoleRow, ConsoleRowCount> ConsoleRows;

// The row as the register list shows it: the code, blanks, the mnemonic,
// blanks and the description.
QString consoleRowText(const ConsoleRow& row);

// The code and the mnemonic of a row text: the text before the first blank
// and the next run of characters that are not blanks.
struct RowCodes {
    QString code, mnemonic;
};
RowCodes rowCodes(const QString& text);

// The value as at least four upper-case hexadecimal digits ("012C").
QString hexDigits(uint32_t value);
// Four binary digits per hexadecimal digit, each group followed by ".",
// the last "." replaced by "b": "012C" gives "0000.0001.0010.1100b". Only
// "0" to "9" and "A" to "F" are hexadecimal digits here.
QString binaryForm(const QString& hex);
// The traffic view's line: the reply, three blanks, the hexadecimal digits
// and "h", three blanks, the binary form ("BRG300   012Ch   0000.0001.0010.1100b").
QString trafficLine(const QString& reply, uint32_t value);

// The digits ("0" to "9", in order) and the other characters of a text:
// "I_5" gives "5" and "I_".
struct DigitsAndName {
    QString digits, name;
};
DigitsAndName splitDigits(const QString& text);
