#include "console_registers.h"

const std::array<ConsoleRow, ConsoleRowCount> ConsoleRows{{
#define CONSOLE_ROW(code, mnemonic, description) {code, mnemonic, description},
#include "console_registers.def"
#undef CONSOLE_ROW
}};

QString consoleRowText(const ConsoleRow& row)
{
    // Columns of four and six characters, with at least one blank between.
    const QString code = QString::fromLatin1(row.code);
    const QString mnemonic = QString::fromLatin1(row.mnemonic);
    return code.leftJustified(3) + QLatin1Char(' ') + mnemonic.leftJustified(5) + QLatin1Char(' ') +
           QString::fromUtf8(row.description);
}

RowCodes rowCodes(const QString& text)
{
    RowCodes out;
    qsizetype i = text.indexOf(QLatin1Char(' '));
    if (i < 0) {
        out.code = text;
        return out;
    }
    out.code = text.left(i);
    while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
    const qsizetype start = i;
    while (i < text.size() && text[i] != QLatin1Char(' ')) ++i;
    out.mnemonic = text.mid(start, i - start);
    return out;
}

QString hexDigits(uint32_t value)
{
    return QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString binaryForm(const QString& hex)
{
    QString out;
    out.reserve(hex.size() * 5);
    for (const QChar c : hex) {
        int v = 0;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            v = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            v = c.unicode() - 'A' + 10;
        for (int bit = 3; bit >= 0; --bit) out += QLatin1Char((v >> bit) & 1 ? '1' : '0');
        out += QLatin1Char('.');
    }
    if (!out.isEmpty()) out.back() = QLatin1Char('b');
    return out;
}

QString trafficLine(const QString& reply, uint32_t value)
{
    // Written in one piece: every reply the device sends passes here, shown
    // or not.
    int digits = 4;
    while (digits < 8 && (value >> (4 * digits)) != 0) ++digits;
    QString out(reply.size() + 3 + digits + 4 + 5 * digits, Qt::Uninitialized);
    QChar* o = out.data();
    for (const QChar c : reply) *o++ = c;
    for (int i = 0; i < 3; ++i) *o++ = QLatin1Char(' ');
    QChar* bits = o + digits + 4;
    for (int d = digits - 1; d >= 0; --d) {
        const uint32_t nibble = (value >> (4 * d)) & 0xFu;
        *o++ = QLatin1Char("0123456789ABCDEF"[nibble]);
        for (int bit = 3; bit >= 0; --bit) *bits++ = QLatin1Char((nibble >> bit) & 1u ? '1' : '0');
        *bits++ = QLatin1Char(d == 0 ? 'b' : '.');
    }
    *o++ = QLatin1Char('h');
    for (int i = 0; i < 3; ++i) *o++ = QLatin1Char(' ');
    return out;
}

DigitsAndName splitDigits(const QString& text)
{
    DigitsAndName out;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out.digits += c;
        else
            out.name += c;
    }
    return out;
}
