#pragma once
// Small text files of single-byte lines: the customisation files, the
// console's buttons file and its scripts.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The file's lines, split at CR LF, LF or a lone CR; a last line without a
// line end counts, an empty file has no lines. Nothing when the file cannot
// be read. `raw`, when given, receives the bytes as read.
std::optional<QStringList> readTextLines(const QString& path, QByteArray* raw = nullptr);

// The same split on bytes already read.
QStringList splitTextLines(const QByteArray& bytes);

// Writes the lines, each ended by CR LF, through an atomic replace: a crash
// or a full disk during the write leaves the old file whole. The error text
// on failure.
std::optional<QString> writeTextLines(const QString& path, const QStringList& lines);

// The value of the first "name=value" line named `name` (case ignored);
// nothing when no line has that name. Lines without "=" are skipped.
std::optional<QString> lineValue(const QStringList& lines, const QString& name);
