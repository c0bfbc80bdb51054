#include "conversion.h"

#include "prompter.h"

#include <QLocale>

std::optional<int32_t> StrToIntStrict(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n) return std::nullopt;
    uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const int d = QChar(text[i]).digitValue();
        int v = -1;
        if (text[i] >= u'0' && text[i] <= u'9') v = d;
        else if (base == 16 && text[i] >= u'a' && text[i] <= u'f') v = text[i].unicode() - 'a' + 10;
        else if (base == 16 && text[i] >= u'A' && text[i] <= u'F') v = text[i].unicode() - 'A' + 10;
        if (v < 0 || v >= base) return std::nullopt;
        magnitude = magnitude * uint64_t(base) + uint64_t(v);
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal may spell the full 32 bits ("$FFFFFFFF" is -1).
        const int64_t v = int64_t(int32_t(uint32_t(magnitude)));
        return int32_t(negative ? -v : v);
    }
    const int64_t v = negative ? -int64_t(magnitude) : int64_t(magnitude);
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return int32_t(v);
}

std::optional<int32_t> StrToDecimal(const QString& text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = QStringView(text).mid(negative ? 1 : 0);
    if (digits.isEmpty()) return std::nullopt;
    int64_t v = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
        if (v > int64_t(INT32_MAX) + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return int32_t(v);
}

std::optional<int32_t> StrToIntOrReport(const QString& text)
{
    const auto v = StrToIntStrict(text);
    if (!v) reportError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

std::optional<uint32_t> SecondsInTenths(const QString& typed)
{
    const QString text = typed.trimmed();
    const QString localeSeparator = QLocale().decimalPoint();
    uint64_t whole = 0;
    qsizetype i = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
        whole = whole * 10 + uint64_t(text[i].unicode() - '0');
        if (whole > 0xFFFFFFFFull) return std::nullopt;
    }
    uint64_t tenth = 0;
    if (i < text.size()) {
        const QStringView rest = QStringView(text).mid(i);
        qsizetype sepLength = 0;
        if (rest.startsWith(u'.'))
            sepLength = 1;
        else if (!localeSeparator.isEmpty() && rest.startsWith(localeSeparator))
            sepLength = localeSeparator.size();
        if (sepLength == 0) return std::nullopt;
        i += sepLength;
        if (i < text.size()) {
            if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
            tenth = uint64_t(text[i].unicode() - '0');
            ++digits;
            ++i;
        }
        if (i != text.size()) return std::nullopt;  // a second decimal, or anything else
    }
    if (digits == 0) return std::nullopt;
    const uint64_t value = whole * 10 + tenth;
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return uint32_t(value);
}
