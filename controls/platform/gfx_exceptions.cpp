#include "gfx_exceptions.h"

#include <QtGlobal>

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

QString GfxClassNameOf(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    QString name = QString::fromUtf8(status == 0 && demangled ? demangled.get() : type.name());
    const qsizetype sep = name.lastIndexOf(QStringLiteral("::"));
    return sep >= 0 ? name.mid(sep + 2) : name;
}

Exception::Exception(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

// ------------------------------------------------------------------ Format

namespace {

[[noreturn]] void FormatError(const QString& format)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
}

QString Pad(const QString& text, int width, bool left)
{
    if (text.size() >= width)
        return text;
    const QString blanks(width - text.size(), QLatin1Char(' '));
    return left ? text + blanks : blanks + text;
}

QString FormatOne(const QString& format, QChar type, int precision, const TGfxFormatArg& arg)
{
    const auto& v = arg.Value();
    type = type.toLower();
    switch (type.unicode()) {
    case 'd':
    case 'u':
    case 'x': {
        const auto* n = std::get_if<std::int64_t>(&v);
        if (!n)
            FormatError(format);
        QString digits;
        const bool negative = type == QLatin1Char('d') && *n < 0;
        if (type == QLatin1Char('x'))
            digits = QString::number(static_cast<std::uint32_t>(*n), 16).toUpper();
        else if (type == QLatin1Char('u'))
            digits = QString::number(static_cast<std::uint32_t>(*n));
        else
            digits = QString::number(negative ? -*n : *n);
        if (precision > digits.size())
            digits = QString(precision - digits.size(), QLatin1Char('0')) + digits;
        return negative ? QLatin1Char('-') + digits : digits;
    }
    case 's': {
        const auto* s = std::get_if<QString>(&v);
        if (!s)
            FormatError(format);
        return precision >= 0 ? s->left(precision) : *s;
    }
    case 'f':
    case 'e':
    case 'g':
    case 'n': {
        double d = 0;
        if (const auto* f = std::get_if<double>(&v))
            d = *f;
        else
            FormatError(format);
        const char kind = static_cast<char>(type.unicode());
        if (kind == 'n') {
            QString text = QString::number(d, 'f', precision < 0 ? 2 : precision);
            const qsizetype dot = text.indexOf(QLatin1Char('.'));
            const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
            for (qsizetype i = (dot < 0 ? text.size() : dot) - 3; i > start; i -= 3)
                text.insert(i, QLatin1Char(','));
            return text;
        }
        if (kind == 'g')
            return QString::number(d, 'g', precision < 0 ? 15 : precision);
        return QString::number(d, kind, precision < 0 ? (kind == 'f' ? 2 : 15) : precision);
    }
    default:
        FormatError(format);
    }
}

}  // namespace

QString GfxFormat(const QString& format, std::initializer_list<TGfxFormatArg> args)
{
    const std::vector<TGfxFormatArg> list(args);
    QString out;
    std::size_t next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (++i >= n)
            FormatError(format);
        if (format[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            continue;
        }
        // [index:][-][width][.precision]type
        auto number = [&](int& value) {
            bool any = false;
            value = 0;
            while (i < n && format[i].isDigit()) {
                value = value * 10 + format[i].digitValue();
                if (value > 100000)
                    FormatError(format);
                ++i;
                any = true;
            }
            return any;
        };
        int value = 0;
        const qsizetype mark = i;
        if (number(value) && i < n && format[i] == QLatin1Char(':'))
            next = static_cast<std::size_t>(value), ++i;
        else
            i = mark;
        bool left = false;
        if (i < n && format[i] == QLatin1Char('-'))
            left = true, ++i;
        int width = 0;
        number(width);
        int precision = -1;
        if (i < n && format[i] == QLatin1Char('.')) {
            ++i;
            number(precision);
        }
        if (i >= n || next >= list.size())
            FormatError(format);
        out += Pad(FormatOne(format, format[i], precision, list[next++]), width, left);
    }
    return out;
}

// ----------------------------------------------------------- error report

namespace {

void DefaultReport(const QString& className, const QString& message)
{
    qWarning("%s: %s", qUtf8Printable(className), qUtf8Printable(message));
}

GfxErrorReporter& Reporter()
{
    static GfxErrorReporter reporter;
    return reporter;
}

}  // namespace

GfxErrorReporter GfxSetErrorReporter(GfxErrorReporter reporter)
{
    return std::exchange(Reporter(), std::move(reporter));
}

void GfxHandleException() noexcept
{
    QString className;
    QString message;
    if (!std::current_exception())
        return;
    try {
        throw;
    } catch (const Exception& e) {
        className = e.ClassName();
        message = e.Message();
    } catch (const std::exception& e) {
        className = QStringLiteral("Exception");
        message = QString::fromUtf8(e.what());
    } catch (...) {
        className = QStringLiteral("Exception");
        message = QStringLiteral("Unknown exception");
    }
    try {
        if (Reporter())
            Reporter()(className, message);
        else
            DefaultReport(className, message);
    } catch (...) {
    }
}
