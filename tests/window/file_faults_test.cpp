// The panel's files under real file-system faults: a write that fails
// keeps the old file byte-identical and leaves no temporary file.

#include "file_faults.h"
#include "store_timing.h"
#include "text_lines.h"
#include "window_fixture.h"
#include "window_state.h"

namespace {

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
    EXPECT_TRUE(runInChild({c.limit, false}, [&] { return c.write(p, window); })) << c.what;
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
    EXPECT_TRUE(runInChild({4096, false}, [&] {
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
    EXPECT_TRUE(runInChild({10, false}, [] {
        return writeTextLines(QStringLiteral("new.ini"), {QStringLiteral("a line longer than the limit")}).has_value();
    }));
    EXPECT_EQ(names(entries()), "comports.ini");
}

}  // namespace
