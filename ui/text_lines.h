#pragma once
// Small text files of single-byte lines: the customisation files, the
// console's buttons file and its scripts.
//
// Reading is bounded: only a regular file of at most MaxTextFileBytes is
// read, and opening never waits (a FIFO in a file's place does not block).
// Writing never loses the file it replaces: a write that fails leaves the
// old file byte-identical and no temporary file (a mount point, which can
// only be written in place, is kept under a backup name first), and a file
// that is there but could not be read is moved aside under a backup name
// first. Writes past a file-size limit fail as on a full disk (see
// failWritesPastSizeLimit).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Far above any file of the panel (its settings files hold a few hundred
// bytes, the buttons file a few kilobytes, a script a few hundred lines).
constexpr qint64 MaxTextFileBytes = 1024 * 1024;

struct TextFile {
    enum class Status {
        Ok,
        Missing,     // nothing by that name
        Unreadable,  // there, but it cannot be opened or read
        NotRegular,  // a directory, a FIFO, a device...
        TooBig       // larger than the limit
    };
    Status status = Status::Missing;
    QByteArray bytes;  // what was read, when Ok
    // There but refused: such a file is never replaced, only moved aside.
    bool refused() const { return status != Status::Ok && status != Status::Missing; }
};

// Reads a regular file of at most `limit` bytes; anything else is refused
// without reading it.
TextFile readTextFile(const QString& path, qint64 limit = MaxTextFileBytes);

// The file's lines, split at CR LF, LF or a lone CR; a last line without a
// line end counts, an empty file has no lines. Nothing when the file is
// missing or refused. `raw`, when given, receives the bytes as read.
std::optional<QStringList> readTextLines(const QString& path, QByteArray* raw = nullptr);

// The same split on bytes already read.
QStringList splitTextLines(const QByteArray& bytes);

// What becomes of the file that a write replaces.
enum class Replaced {
    Dropped,  // nothing (a file that could not be read is still moved aside)
    Kept      // its content, as it is then, goes to a backup first
};

// Writes the bytes through an atomic replace, checking every step: a crash,
// a full disk or a file-size limit during the write leaves the old file
// whole and no temporary file. A file in the way that could not be read
// (see TextFile::refused) is first moved aside with moveAside; when that
// fails nothing is written. A file this process may not write (made
// read-only) is not replaced. The new file keeps the permission bits of
// the one it replaces. With Replaced::Kept, the file there is copied to
// its first free backup name (with its permission bits) just before it is
// replaced; when that copy cannot be made, nothing is replaced, and when
// the replace fails, the copy is removed again. A file that is a mount
// point (a single file bound over the name) cannot be replaced by a
// rename: it is written in place, each step checked, once its content is
// kept under a backup name (unless it holds these bytes already). The
// name goes to the system as the bytes it encodes to, never through an
// absolute path built in QString; a symbolic link is followed and its
// target written. The error text on failure.
std::optional<QString> writeTextFile(const QString& path, const QByteArray& bytes, Replaced old = Replaced::Dropped);

// The lines, each ended by CR LF, written as by writeTextFile.
std::optional<QString> writeTextLines(const QString& path, const QStringList& lines,
                                      Replaced old = Replaced::Dropped);

// Backup names of a file: "name.bak", then "name.1.bak", "name.2.bak" and
// so on, up to "name.999.bak". A backup takes the first name that nothing
// holds at the moment it is made (it is linked to it, never renamed over
// it), so it never replaces anything, an earlier backup or another
// panel's.
QString backupName(const QString& path, int n);

// Renames the file (whatever its kind) to its first free backup name,
// never replacing anything there. The new name, or nothing when it could
// not be moved; `error`, when given, receives why.
std::optional<QString> moveAside(const QString& path, QString* error = nullptr);

// From then on a write past the process's file-size limit fails (EFBIG)
// as on a full disk, and takes the failed-write path, instead of ending
// the program with SIGXFSZ. The program calls it first thing.
void failWritesPastSizeLimit();

// The value of the first "name=value" line named `name` (case ignored);
// nothing when no line has that name. Lines without "=" are skipped.
std::optional<QString> lineValue(const QStringList& lines, const QString& name);

// What text typed or pasted into an entry may hold, so that the files
// store it as typed and the link sends it as typed: characters with a
// single-byte (Latin-1) code that are not control characters (below
// U+0020, U+007F to U+009F). A line break would end a "name=value" line
// and start another; a character beyond Latin-1 would become "?". Every
// entry checks with these.
bool storableChar(QChar c);
bool storableText(const QString& text);
// The text as a message quotes it: each control character as its code
// ("[U+000A]"), so that a refused line break, tab or NUL can be seen.
QString shownText(const QString& text);
// The message that refuses such a text: `file` says what would hold it
// ("the buttons file").
QString unstorableMessage(const QString& text, const QString& file);
