#pragma once
// Real file-system faults for the tests of the panel's files: a step run in
// a forked child under a file-size limit (after the program's own start-up
// step for its signal, so that a write past it fails with EFBIG as on a
// full disk) or as an ordinary user through and through, the test acting
// as an ordinary user for whom permission bits hold, FIFOs, sparse
// oversize files, and the list of what a folder holds (so that a test sees
// a temporary file left behind).

#include "text_lines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `prepare`, then `step`, in a forked child; true when the child ran
// them to their end and both returned true. The child leaves by _exit, so
// nothing of the parent's state is torn down twice. The child has only
// the thread that forked: a step must not need Qt's helper threads (a
// socket's proxy lookup does), so windows are made before, in the test
// itself.
inline bool runForked(const std::function<bool()>& prepare, const std::function<bool()>& step)
{
    const pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return false;
    }
    if (pid == 0) {
        if (!prepare()) ::_exit(3);
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(WIFEXITED(status)) << "the child died by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_NE(WEXITSTATUS(status), 3) << "the child could not be prepared";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs `step` in a forked child in which writes past `fileSizeLimit` bytes
// of one file fail (see runForked).
inline bool runInChild(rlim_t fileSizeLimit, const std::function<bool()>& step)
{
    return runForked(
        [fileSizeLimit] {
            // What the program does first: nothing here sets the signal's
            // action besides.
            failWritesPastSizeLimit();
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        },
        step);
}

// Runs `step` in a forked child that is wholly an ordinary user: when the
// test runs as root, the child becomes "nobody" in its real ids too, which
// access(2) consults (see runForked).
inline bool runAsOrdinaryUser(const std::function<bool()>& step)
{
    return runForked(
        [] {
            if (::geteuid() != 0) return true;
            return ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
                   ::setresuid(65534, 65534, 65534) == 0;
        },
        step);
}

// While it lives, the test process acts as an ordinary user, for whom
// permission bits hold: root takes the user "nobody" (its real and saved
// ids stay, so it can come back); any other user is bound by them already.
class OrdinaryUser {
public:
    OrdinaryUser()
    {
        if (::geteuid() != 0) return;
        active_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
        EXPECT_TRUE(active_) << "cannot act as nobody";
    }
    ~OrdinaryUser()
    {
        if (!active_) return;
        EXPECT_EQ(::seteuid(0), 0);
        EXPECT_EQ(::setegid(0), 0);
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

private:
    bool active_ = false;
};

// A folder an ordinary user may work in.
inline void openToEveryone(const QString& dir)
{
    ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0777), 0);
}

inline void makeFifo(const QString& name)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(name).constData(), 0644), 0) << name.toStdString();
}

// A file of `size` bytes that starts with `head` and holds no blocks beyond.
inline void makeSparse(const QString& name, const QByteArray& head, qint64 size)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(head), head.size());
    ASSERT_TRUE(f.resize(size));
}

inline bool isFifo(const QString& name)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(name).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

inline void setMode(const QString& name, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), mode), 0) << name.toStdString();
}

// Every name in the folder (hidden ones too), sorted.
inline QStringList entries(const QString& dir = QStringLiteral("."))
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Readable failure output: bytes and name lists as plain text.
inline std::string text(const QByteArray& bytes)
{
    return bytes.toStdString();
}
inline std::string names(const QStringList& list)
{
    return list.join(QLatin1Char('|')).toStdString();
}
