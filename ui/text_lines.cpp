#include "text_lines.h"

#include <QFile>
#include <QSaveFile>

QStringList splitTextLines(const QByteArray& bytes)
{
    QStringList lines;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << QString::fromLatin1(bytes.constData() + start, i - start);
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines << QString::fromLatin1(bytes.constData() + start, n - start);
    return lines;
}

std::optional<QStringList> readTextLines(const QString& path, QByteArray* raw)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    if (raw) *raw = bytes;
    return splitTextLines(bytes);
}

std::optional<QString> writeTextLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toLatin1() + "\r\n";
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return f.errorString().isEmpty() ? QStringLiteral("write failed") : f.errorString();
    return std::nullopt;
}

std::optional<QString> lineValue(const QStringList& lines, const QString& name)
{
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0) return line.mid(eq + 1);
    }
    return std::nullopt;
}
