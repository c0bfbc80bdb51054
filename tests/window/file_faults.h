#pragma once
// Real file-system faults for the tests of the panel's files: a step run in
// a forked child under a file-size limit (SIGXFSZ ignored, so that a write
// past it fails with EFBIG as on a full disk) or without root's right to
// read and write everything; FIFOs, sparse oversize files, and the list of
// what a folder holds (so that a test sees a temporary file left behind).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildFaults {
    // Writes past this many bytes of one file fail.
    std::optional<rlim_t> fileSizeLimit;
    // The step runs as an ordinary user: permission bits hold for it (a
    // child of a root test process takes the user "nobody").
    bool unprivileged = false;
};

// Runs `step` in a forked child under the faults; true when the child ran
// it to its end and `step` returned true. The child leaves by _exit, so
// nothing of the parent's state is torn down twice.
inline bool runInChild(const ChildFaults& faults, const std::function<bool()>& step)
{
    const pid_t pid = ::fork();
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return false;
    }
    if (pid == 0) {
        if (faults.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*faults.fileSizeLimit, *faults.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        }
        if (faults.unprivileged && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(4);
        }
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(WIFEXITED(status)) << "the child died by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_NE(WEXITSTATUS(status), 3) << "setrlimit failed";
    EXPECT_NE(WEXITSTATUS(status), 4) << "dropping root failed";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder an unprivileged child may work in.
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
