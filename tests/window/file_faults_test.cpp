// The panel's files under real file-system faults: a write that fails
// keeps the old file byte-identical and leaves no temporary file, a backup
// that cannot be written stops the replace, and only regular files of a
// bounded size are read; the others are moved aside, never emptied.

#include "file_faults.h"
#include "store_timing.h"
#include "text_lines.h"
#include "window_fixture.h"
#include "window_state.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <cstdio>
#include <functional>

#include <dlfcn.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>

// --- the moment a file gets its name ---------------------------------------
//
// The calls that give a file a name (rename, link and their *at forms) are
// wrapped in this test program, Qt's included: while `beforeNaming` is set,
// it runs just before such a call with the name being given, and can put a
// file there first (a second panel saving at the same moment) or make the
// call fail with an error (a mount point). Otherwise the calls go through
// untouched.

namespace {

std::function<int(const char* to)> beforeNaming;

// 0 to go on; an error number to fail with.
int aboutToName(const char* to)
{
    if (!beforeNaming) return 0;
    return beforeNaming(to);
}

template <class F>
F realCall(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

int failWith(int err)
{
    errno = err;
    return -1;
}

}  // namespace

extern "C" {

int rename(const char* from, const char* to) noexcept
{
    if (const int err = aboutToName(to)) return failWith(err);
    return realCall<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) noexcept
{
    if (const int err = aboutToName(to)) return failWith(err);
    return realCall<int (*)(int, const char*, int, const char*)>("renameat")(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) noexcept
{
    if (const int err = aboutToName(to)) return failWith(err);
    return realCall<int (*)(int, const char*, int, const char*, unsigned)>("renameat2")(fromDir, from, toDir, to, flags);
}

int link(const char* from, const char* to) noexcept
{
    if (const int err = aboutToName(to)) return failWith(err);
    return realCall<int (*)(const char*, const char*)>("link")(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) noexcept
{
    if (const int err = aboutToName(to)) return failWith(err);
    return realCall<int (*)(int, const char*, int, const char*, int)>("linkat")(fromDir, from, toDir, to, flags);
}

}  // extern "C"

namespace {

// The last part of a name as the calls above see it (relative or whole).
bool givesName(const char* to, const char* name)
{
    const QByteArray t(to);
    return t == name || t.endsWith(QByteArray("/") + name);
}

// While it lives, the first call that names `name` finds `content` there
// already, put in a moment before.
class NameTakenAtTheLastMoment {
public:
    NameTakenAtTheLastMoment(const char* name, QByteArray content)
    {
        beforeNaming = [this, name, content](const char* to) {
            if (!taken_ && givesName(to, name)) {
                taken_ = true;
                const int fd = ::open(to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size()) failed_ = true;
                if (fd >= 0) ::close(fd);
            }
            return 0;
        };
    }
    ~NameTakenAtTheLastMoment() { beforeNaming = nullptr; }
    bool happened() const { return taken_ && !failed_; }

private:
    bool taken_ = false;
    bool failed_ = false;
};

const QString Settings = QStringLiteral("zeph350.ini");
const QString Timing = QString::fromLatin1(StoreTimingFile);

// --- writes that fail -------------------------------------------------------

// Each writer of the panel, run in a child whose file-size limit is below
// what it writes: the file it would replace keeps every byte.
struct FailedWrite {
    const char* what;
    QString file;
    QByteArray original;
    rlim_t limit;
    // The writer, run in the child; false when it did not behave (an exit
    // save that spoke, an explicit save that stayed silent).
    std::function<bool(FakePrompter&, TZEPH350_main&)> write;
};

class FailedWrites : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    static std::vector<FailedWrite> cases()
    {
        return {
            {"zeph350.ini at exit", Settings, settingsFile({QStringLiteral("1=Camera")}), 100,
             [](FakePrompter& p, TZEPH350_main& w) {
                 w.close();
                 return p.messages.isEmpty();  // the save at exit is silent
             }},
            {"zeph350.ini by Save", Settings, settingsFile({QStringLiteral("1=Camera")}), 100,
             [](FakePrompter& p, TZEPH350_main& w) {
                 // Not the file last opened: "Save as", answered with the same name.
                 p.saveAnswer = QStringLiteral("zeph350.ini");
                 w.findChild<QAction*>(QStringLiteral("Save1"))->trigger();
                 return p.messages.size() == 1 && p.messages[0].icon == Prompter::Icon::Error &&
                        p.messages[0].text.startsWith(QStringLiteral("Cannot save \"zeph350.ini\""));
             }},
            {"zeph350logo.ini after a store", Timing, "17\r\n", 3,
             [](FakePrompter&, TZEPH350_main&) {
                 store_timing::write(123456);
                 return true;
             }},
            {"the buttons file when the console closes", TForm_debug::buttonsFileName(), "desc1=Reset\r\nadon1=1Z\r\n", 30,
             [](FakePrompter&, TZEPH350_main& w) {
                 w.close();  // the program's end saves the console's buttons too
                 return true;
             }},
        };
    }
};

TEST_P(FailedWrites, LeaveTheOldFileWholeAndNoTemporaryFile)
{
    const FailedWrite c = cases()[size_t(GetParam())];
    writeFile(c.file, c.original);
    start();
    const QStringList before = entries();
    TZEPH350_main& window = w();
    FakePrompter& p = prompts;
    EXPECT_TRUE(runInChild(c.limit, [&] { return c.write(p, window); })) << c.what;
    EXPECT_EQ(text(readFile(c.file)), text(c.original)) << c.what;
    EXPECT_EQ(names(entries()), names(before)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, FailedWrites, ::testing::Range(0, 4));

// The same limit, high enough: the writes go through (the child is no
// test of its own making).
TEST_F(WindowTest, WritesUnderALimitThatFitsSucceed)
{
    writeFile(Settings, settingsFile({QStringLiteral("1=Camera")}));
    start();
    TZEPH350_main& window = w();
    EXPECT_TRUE(runInChild(4096, [&] {
        window.close();
        store_timing::write(99);
        return true;
    }));
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n1=Camera\r\n"));
    EXPECT_EQ(readFile(Timing), QByteArray("99\r\n"));
}

// A write cut short leaves no file where there was none.
TEST(TextFiles, AFailedFirstWriteLeavesNothing)
{
    ScratchDir scratch;
    EXPECT_TRUE(runInChild(10, [] {
        return writeTextLines(QStringLiteral("new.ini"), {QStringLiteral("a line longer than the limit")}).has_value();
    }));
    EXPECT_EQ(names(entries()), "comports.ini");
}

// --- what a save replaces ----------------------------------------------------

// As seen on a panel: a large file rejected for one missing line, and a
// file-size limit that the backup passes but the defaults do not.
TEST_F(WindowTest, RejectedFileIsNotReplacedWhenItsBackupFails)
{
    QByteArray original = settingsFile({QStringLiteral("IP_ENABLE"), QStringLiteral("1=Camera")});
    while (original.size() < 49000) original += "; a note the operator keeps in the file\r\n";
    writeFile(Settings, original);
    start();
    TZEPH350_main& window = w();
    FakePrompter& p = prompts;
    EXPECT_TRUE(runInChild(4000, [&] {
        // "Save as" under the same name tells why; the save at exit is silent.
        p.saveAnswer = Settings;
        window.findChild<QAction*>(QStringLiteral("Saveas1"))->trigger();
        window.close();
        return p.messages.size() == 1 && p.messages[0].text.contains(QStringLiteral("zeph350.ini.bak"));
    }));
    EXPECT_EQ(text(readFile(Settings)), text(original));
    // No backup and no temporary file (the console's buttons file fits).
    EXPECT_EQ(names(entries().filter(QStringLiteral("zeph350"))), "zeph350.ini");
}

// Three runs, each with a rejected file: each is kept under its own name.
TEST_F(WindowTest, BackupsNeverReplaceEarlierOnes)
{
    QList<QByteArray> originals;
    for (int run = 0; run < 3; ++run) {
        originals << settingsFile({QStringLiteral("0=com%1").arg(run + 2)});
        writeFile(Settings, originals.last());
        start();
        w().close();
        windows.reset();
    }
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(originals[0]));
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.1.bak"))), text(originals[1]));
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.2.bak"))), text(originals[2]));
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n"));
}

// What holds a backup name is left alone, whatever it is: a folder, or a
// file its owner made read-only. The next name takes the backup.
struct TakenName {
    const char* what;
    std::function<void()> make;
    std::function<bool()> unchanged;
};

class BackupNameTaken : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    static std::vector<TakenName> cases()
    {
        const QString bak = QStringLiteral("zeph350.ini.bak");
        return {
            {"a folder",
             [bak] {
                 ASSERT_TRUE(QDir().mkpath(bak));
                 writeFile(bak + QStringLiteral("/inside.txt"), "kept");
             },
             [bak] { return QFileInfo(bak).isDir() && readFile(bak + QStringLiteral("/inside.txt")) == "kept"; }},
            {"a read-only backup",
             [bak] {
                 writeFile(bak, "an earlier backup");
                 setMode(bak, 0444);
             },
             [bak] { return QFileInfo(bak).isFile() && readFile(bak) == "an earlier backup"; }},
        };
    }
};

TEST_P(BackupNameTaken, TheNextNameTakesTheBackup)
{
    const TakenName c = cases()[size_t(GetParam())];
    c.make();
    const QByteArray original = settingsFile({QStringLiteral("0=com2")});
    writeFile(Settings, original);
    setMode(Settings, 0666);  // the user's to replace
    openToEveryone(scratch.path(QString()));
    {
        const OrdinaryUser user;  // for whom the read-only mark holds
        start();
        w().close();
    }
    EXPECT_TRUE(c.unchanged()) << c.what;
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.1.bak"))), text(original)) << c.what;
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, BackupNameTaken, ::testing::Range(0, 2));

// A folder the panel may not write to: nothing is replaced, nothing left.
TEST_F(WindowTest, ReadOnlyBackupLocationReplacesNothing)
{
    const QByteArray original = settingsFile({QStringLiteral("0=com2")});
    writeFile(Settings, original);
    setMode(scratch.path(QString()), 0555);
    const QStringList before = entries();
    {
        const OrdinaryUser user;
        start();
        files().save(CustomFiles::SaveKind::Explicit);
        w().close();
    }
    setMode(scratch.path(QString()), 0755);
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(text(readFile(Settings)), text(original));
    EXPECT_EQ(names(entries()), names(before));
}

// A file that exists but cannot be read: the panel starts on its defaults
// and, at exit, moves the file aside (a rename needs no right to read it)
// before it writes its own.
TEST_F(WindowTest, UnreadableFileIsMovedAsideBeforeTheExitSave)
{
    const QByteArray original = settingsFile({QStringLiteral("1=Camera")});
    writeFile(Settings, original);
    setMode(Settings, 0200);
    openToEveryone(scratch.path(QString()));
    {
        const OrdinaryUser user;
        start();
        EXPECT_EQ(w().label_input[0]->text(), QStringLiteral("Input 1"));
        w().close();
    }
    setMode(QStringLiteral("zeph350.ini.bak"), 0644);
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(original));
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n1=Input 1\r\n"));
}

// --- what is read -------------------------------------------------------------

struct ReadCase {
    const char* what;
    std::function<void(const QString&)> make;
    qint64 limit;
    TextFile::Status status;
};

TEST(TextFiles, OnlyABoundedRegularFileIsRead)
{
    ScratchDir scratch;
    const auto bytes = [](qint64 n) { return [n](const QString& f) { writeFile(f, QByteArray(qsizetype(n), 'x')); }; };
    const ReadCase cases[] = {
        {"empty", bytes(0), 10, TextFile::Status::Ok},
        {"at the limit", bytes(10), 10, TextFile::Status::Ok},
        {"one byte over", bytes(11), 10, TextFile::Status::TooBig},
        {"sparse, over the default limit", [](const QString& f) { makeSparse(f, "1=a\r\n", MaxTextFileBytes + 1); },
         MaxTextFileBytes, TextFile::Status::TooBig},
        {"missing", [](const QString&) {}, 10, TextFile::Status::Missing},
        {"a folder", [](const QString& f) { ASSERT_TRUE(QDir().mkdir(f)); }, 10, TextFile::Status::NotRegular},
        {"a FIFO without writer", [](const QString& f) { makeFifo(f); }, 10, TextFile::Status::NotRegular},
    };
    int n = 0;
    for (const ReadCase& c : cases) {
        const QString f = QStringLiteral("f%1").arg(n++);
        c.make(f);
        const TextFile read = readTextFile(f, c.limit);
        EXPECT_EQ(int(read.status), int(c.status)) << c.what;
        if (c.status == TextFile::Status::Ok) {
            EXPECT_EQ(read.bytes.size(), QFileInfo(f).size()) << c.what;
        }
    }
    // A file its owner keeps to himself, beside one anybody may read.
    openToEveryone(QDir::currentPath());
    writeFile(QStringLiteral("private"), "x");
    setMode(QStringLiteral("private"), 0200);
    writeFile(QStringLiteral("public"), "x");
    const OrdinaryUser user;
    EXPECT_EQ(int(readTextFile(QStringLiteral("private")).status), int(TextFile::Status::Unreadable));
    EXPECT_EQ(int(readTextFile(QStringLiteral("public")).status), int(TextFile::Status::Ok));
}

// zeph350.ini refused for its kind or size: the panel starts on its
// defaults without reading it (a FIFO does not hold the start), and at exit
// the thing is moved aside whole before the new file is written.
struct RefusedCase {
    const char* what;
    std::function<void(const QString&)> make;
    std::function<bool(const QString&)> intact;
};

class RefusedSettings : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    // A valid file that would name input 1 "Camera" if it were read.
    static QByteArray head() { return settingsFile({QStringLiteral("1=Camera")}) + "\r\n"; }
    static std::vector<RefusedCase> cases()
    {
        const qint64 big = MaxTextFileBytes + 1;
        return {
            {"a FIFO", [](const QString& f) { makeFifo(f); }, [](const QString& f) { return isFifo(f); }},
            {"oversize", [big](const QString& f) { makeSparse(f, head(), big); },
             [big](const QString& f) {
                 QFile file(f);
                 return QFileInfo(f).size() == big && file.open(QIODevice::ReadOnly) && file.read(head().size()) == head();
             }},
            {"a folder",
             [](const QString& f) {
                 ASSERT_TRUE(QDir().mkdir(f));
                 writeFile(f + QStringLiteral("/notes.txt"), "kept");
             },
             [](const QString& f) { return readFile(f + QStringLiteral("/notes.txt")) == "kept"; }},
        };
    }
};

TEST_P(RefusedSettings, StartsOnDefaultsAndMovesItAsideAtExit)
{
    const RefusedCase c = cases()[size_t(GetParam())];
    c.make(Settings);
    start();
    EXPECT_EQ(w().label_input[0]->text(), QStringLiteral("Input 1")) << c.what;
    EXPECT_EQ(z().ConType(), CON_RS232) << c.what;
    EXPECT_EQ(z().Port(), QStringLiteral("COM1")) << c.what;
    EXPECT_TRUE(c.intact(Settings)) << c.what << ": left as it was until the exit";
    w().close();
    EXPECT_TRUE(c.intact(QStringLiteral("zeph350.ini.bak"))) << c.what;
    EXPECT_TRUE(QFileInfo(Settings).isFile()) << c.what;
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n1=Input 1\r\n")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedSettings, ::testing::Range(0, 3));

// The store-timing file refused: left alone at start; sizing the store
// gauge, which needs it, moves it aside and writes "240".
TEST_F(WindowTest, RefusedStoreTimingFileIsMovedAsideWhenTheGaugeNeedsIt)
{
    const QString bak = QStringLiteral("zeph350logo.ini.bak");
    for (const bool fifo : {true, false}) {
        if (fifo)
            makeFifo(Timing);
        else
            makeSparse(Timing, "17\r\n", MaxTextFileBytes + 1);  // 17 would give 1 s
        start();
        EXPECT_TRUE(fifo ? isFifo(Timing) : QFileInfo(Timing).size() == MaxTextFileBytes + 1) << fifo;
        // 256 x 256 x 3 bytes at 240: 3 x 240 / 100 + 1 = 8 s.
        EXPECT_EQ(store_timing::calcul_temps(256, 256), 8) << fifo;
        EXPECT_EQ(text(readFile(Timing)), "240\r\n") << fifo;
        EXPECT_TRUE(fifo ? isFifo(bak) : QFileInfo(bak).size() == MaxTextFileBytes + 1) << fifo;
        windows.reset();
        QFile::remove(Timing);
        QFile::remove(bak);
    }
}

// --- how a file is replaced ---------------------------------------------------

// Two panels leaving at the same moment on the same rejected file: the
// other one's backup takes the first free name just before this one names
// its own. Neither replaces the other.
TEST_F(WindowTest, ABackupNeverReplacesAFileThatTookItsNameMeanwhile)
{
    const QByteArray original = settingsFile({QStringLiteral("0=com2")});
    writeFile(Settings, original);
    start();
    {
        const NameTakenAtTheLastMoment other("zeph350.ini.bak", "the other panel's backup\r\n");
        w().close();
        EXPECT_TRUE(other.happened());
    }
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), "the other panel's backup\r\n");
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.1.bak"))), text(original));
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n"));
}

// A zeph350.ini that is a symbolic link (to a file kept elsewhere) stays
// one: the save writes the file it names, and a rejected one is kept under
// the usual backup name.
TEST_F(WindowTest, ASaveThroughALinkWritesTheFileItNames)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("kept")));
    const QByteArray original = settingsFile({QStringLiteral("0=com2")});
    writeFile(QStringLiteral("kept/settings.ini"), original);
    ASSERT_EQ(::symlink("kept/settings.ini", "zeph350.ini"), 0);
    start();
    w().close();
    EXPECT_EQ(QFileInfo(Settings).symLinkTarget(), scratch.path(QStringLiteral("kept/settings.ini")));
    EXPECT_TRUE(readFile(QStringLiteral("kept/settings.ini")).startsWith("0=COM1\r\n"));
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(original));
    EXPECT_EQ(names(entries(QStringLiteral("kept"))), "settings.ini");
}

inline mode_t modeOf(const QString& name)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(name).constData(), &st), 0) << name.toStdString();
    return st.st_mode & 07777;
}

// A rejected file its owner keeps to himself stays so in its backup, and
// the file written in its place keeps its bits too.
TEST_F(WindowTest, TheBackupKeepsTheFilesPermissionBits)
{
    const mode_t mask = ::umask(022);
    for (const mode_t mode : {mode_t(0600), mode_t(0640)}) {
        const QByteArray original = settingsFile({QStringLiteral("0=com2")});
        writeFile(Settings, original);
        setMode(Settings, mode);
        start();
        w().close();
        windows.reset();
        EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(original));
        EXPECT_EQ(modeOf(QStringLiteral("zeph350.ini.bak")), mode);
        EXPECT_EQ(modeOf(Settings), mode);
        QFile::remove(QStringLiteral("zeph350.ini.bak"));
    }
    ::umask(mask);
}

// A rejected file that cannot be replaced needs no backup: run after run,
// nothing piles up beside it. Its owner made it read-only (in an open
// folder or a read-only one), or it is another user's file in a folder
// with the sticky bit, where only its owner may rename over it. Each run's
// save is made by an ordinary user through and through.
struct Unreplaceable {
    const char* what;
    mode_t file, folder;
};

class CannotBeReplaced : public WindowTest, public ::testing::WithParamInterface<Unreplaceable> {};

TEST_P(CannotBeReplaced, GainsNoBackupRunAfterRun)
{
    const Unreplaceable& c = GetParam();
    const QByteArray original = settingsFile({QStringLiteral("0=com2")});
    writeFile(Settings, original);
    setMode(Settings, c.file);
    setMode(scratch.path(QString()), c.folder);
    for (int run = 0; run < 3; ++run) {
        start();
        TZEPH350_main& window = w();
        CustomFiles& f = files();
        FakePrompter& p = prompts;
        EXPECT_TRUE(runAsOrdinaryUser([&] {
            // An explicit save says why; the one at exit is silent.
            const bool saved = f.save(CustomFiles::SaveKind::Explicit);
            window.close();
            return !saved && p.messages.size() == 1;
        })) << c.what << " " << run;
        windows.reset();
    }
    setMode(scratch.path(QString()), 0755);
    EXPECT_EQ(text(readFile(Settings)), text(original)) << c.what;
    EXPECT_EQ(names(entries().filter(QStringLiteral("zeph350"))), "zeph350.ini") << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, CannotBeReplaced,
                         ::testing::Values(Unreplaceable{"read-only, open folder", 0444, 0777},
                                           Unreplaceable{"read-only, read-only folder", 0444, 0555},
                                           Unreplaceable{"another's, sticky folder", 0666, 01777}));

// In a mount namespace of this process's own, binds the file `from` over
// the file `onto`; false when this process may not (it is not root, or
// the system does not let it).
bool bindInOwnNamespace(const QByteArray& from, const QByteArray& onto)
{
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount(from.constData(), onto.constData(), nullptr, MS_BIND, nullptr) == 0;
}

// True when a child may do so (nothing of it stays here).
bool bindingWorks(const QByteArray& from, const QByteArray& onto)
{
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(bindInOwnNamespace(from, onto) ? 0 : 1);
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A zeph350.ini that is a mount point (a single file bound over it) can
// never be replaced by a rename: its old content is kept beside it, then it
// is written in place. Made for real in a mount namespace of the child's
// own where this process may (root); elsewhere the rename onto it fails
// with EBUSY as it does there.
TEST_F(WindowTest, AMountedFileIsKeptBesideThenWrittenInPlace)
{
    const QByteArray original = settingsFile({QStringLiteral("1=Camera")});
    writeFile(Settings, original);
    writeFile(QStringLiteral("bound"), original);  // what is bound over it
    const QByteArray bound = QFile::encodeName(scratch.path(QStringLiteral("bound")));
    const QByteArray settings = QFile::encodeName(scratch.path(Settings));
    const bool mounting = bindingWorks(bound, settings);
    if (!mounting) std::printf("no mount namespace here: the rename fails with EBUSY instead\n");
    // What the panel saw as zeph350.ini.
    const QString seen = mounting ? QStringLiteral("bound") : Settings;
    start();
    TZEPH350_main& window = w();
    CustomFiles& f = files();
    FakePrompter& p = prompts;
    EXPECT_TRUE(runInChild(RLIM_INFINITY, [&] {
        if (mounting) {
            if (!bindInOwnNamespace(bound, settings)) return false;
        } else {
            beforeNaming = [](const char* to) { return givesName(to, "zeph350.ini") ? EBUSY : 0; };
        }
        window.label_input[0]->setText(QStringLiteral("Studio"));
        // Twice: the second finds its own bytes there and keeps nothing more.
        return f.save(CustomFiles::SaveKind::Explicit) && f.save(CustomFiles::SaveKind::Explicit) &&
               p.messages.isEmpty();
    }));
    EXPECT_TRUE(readFile(seen).startsWith("0=COM1\r\n1=Studio\r\n")) << text(readFile(seen));
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(original));
    if (mounting) {
        EXPECT_EQ(text(readFile(Settings)), text(original));  // under the mount, untouched
    }
    EXPECT_EQ(names(entries()), "bound|comports.ini|zeph350.ini|zeph350.ini.bak");
}

// --- the program itself ---------------------------------------------------------

// The built program, started in `folder` (its bytes as they are: a name
// that is no UTF-8 reaches it unchanged) under a file-size limit, with the
// signal of that limit at its default action, then ended by SIGTERM once
// its window is up. Its exit code, or -1 when it did not end normally.
struct PanelRun {
    QByteArray folder;
    rlim_t fileSizeLimit = RLIM_INFINITY;
    QString locale = QStringLiteral("C.UTF-8");
};

int runPanel(const PanelRun& run)
{
    QProcess panel;
    panel.setProgram(QStringLiteral(ZEPH_TEST_PANEL));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), run.locale);
    // The program prints "shown" once its window is up.
    env.insert(QStringLiteral("ZEPH_BENCH_REPORT_SHOW"), QStringLiteral("1"));
    panel.setProcessEnvironment(env);
    panel.setChildProcessModifier([&run] {
        const rlimit limit{run.fileSizeLimit, run.fileSizeLimit};
        if (::chdir(run.folder.constData()) != 0 || ::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(120);
        ::signal(SIGXFSZ, SIG_DFL);
    });
    panel.start();
    QByteArray out;
    while (!out.contains("shown") && panel.waitForReadyRead(60000)) out += panel.readAllStandardOutput();
    EXPECT_TRUE(out.contains("shown")) << panel.readAllStandardError().toStdString();
    ::kill(pid_t(panel.processId()), SIGTERM);
    EXPECT_TRUE(panel.waitForFinished(60000));
    EXPECT_EQ(panel.exitStatus(), QProcess::NormalExit) << "ended by a signal";
    return panel.exitStatus() == QProcess::NormalExit ? panel.exitCode() : -1;
}

const QString ButtonsFile = QStringLiteral("debug Zeph-Cedar remote control.ini");

// Under a shell's "ulimit -f": a rejected file too large for the limit
// cannot be kept, so it is not replaced, and the program still ends as
// asked, with the saves that fit (the console's buttons file) done.
TEST(Program, AFileSizeLimitFailsAWriteAndEndsNothing)
{
    ScratchDir scratch;
    QByteArray original = settingsFile({QStringLiteral("IP_ENABLE"), QStringLiteral("1=Camera")});
    while (original.size() < 49000) original += "; a note the operator keeps in the file\r\n";
    writeFile(Settings, original);
    EXPECT_EQ(runPanel({QFile::encodeName(QDir::currentPath()), 4096}), 0);
    EXPECT_EQ(text(readFile(Settings)), text(original));
    EXPECT_EQ(names(entries().filter(QStringLiteral("zeph350"))), "zeph350.ini");
    EXPECT_EQ(splitTextLines(readFile(ButtonsFile)).size(), 52);
}

// While it lives, the working directory is `folder`, named by its bytes.
class InFolder {
public:
    explicit InFolder(const QByteArray& folder) { EXPECT_EQ(::chdir(folder.constData()), 0); }
    ~InFolder() { EXPECT_EQ(::chdir(".."), 0); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
};

// A folder named in Latin-1, as older systems and media name them: its
// name is no UTF-8.
void makeLatin1Folder(const QByteArray& folder)
{
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const InFolder in(folder);
    writeFile(QStringLiteral("comports.ini"), readFile(QStringLiteral("../comports.ini")));
}

// The program started in such a folder, under a UTF-8 locale and under
// the plain C one: the rejected file is kept and every file is written.
TEST(Program, SavesInAFolderWhoseNameIsNoUtf8)
{
    ScratchDir scratch;
    for (const char* locale : {"C.UTF-8", "C"}) {
        const QByteArray folder = QByteArray("r\xe9glages ") + locale;
        makeLatin1Folder(folder);
        const QByteArray original = settingsFile({QStringLiteral("0=com2")});
        {
            const InFolder in(folder);
            writeFile(Settings, original);
        }
        EXPECT_EQ(runPanel({folder, RLIM_INFINITY, QString::fromLatin1(locale)}), 0) << locale;
        const InFolder in(folder);
        EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(original)) << locale;
        EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n")) << locale;
        EXPECT_EQ(splitTextLines(readFile(ButtonsFile)).size(), 52) << locale;
    }
}

// The same in the panel: "Save" there writes as anywhere else, and says
// nothing.
TEST_F(WindowTest, SaveWorksInAFolderWhoseNameIsNoUtf8)
{
    const QByteArray folder("r\xe9glages");
    makeLatin1Folder(folder);
    const InFolder in(folder);
    const QByteArray original = settingsFile({QStringLiteral("0=com2")});
    writeFile(Settings, original);
    start();
    action("Save1")->trigger();  // the name dialog cancelled: zeph350.ini
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.value(0).text.toStdString();
    EXPECT_EQ(text(readFile(QStringLiteral("zeph350.ini.bak"))), text(original));
    EXPECT_TRUE(readFile(Settings).startsWith("0=COM1\r\n"));
    w().close();
    EXPECT_EQ(splitTextLines(readFile(TForm_debug::buttonsFileName())).size(), 52);
    windows.reset();
}

}  // namespace
