// The customisation files: validity, the lines written, the apply order and
// the keeping of what the operator wrote.

#include "window_fixture.h"

#include <QAbstractButton>
#include <QFileInfo>

namespace {

struct ValidityCase {
    const char* what;
    QStringList changes;
    bool valid;
};

class FileValidity : public WindowTest, public ::testing::WithParamInterface<ValidityCase> {};

TEST_P(FileValidity, AcceptsOrRejectsTheWholeFile)
{
    const ValidityCase& c = GetParam();
    writeFile(QStringLiteral("zeph350.ini"), settingsFile(c.changes + QStringList{QStringLiteral("1=Camera")}));
    start();
    // A rejected file leaves the design captions and the serial link on COM1.
    EXPECT_EQ(w().label_input[0]->text(), c.valid ? QStringLiteral("Camera") : QStringLiteral("Input 1")) << c.what;
    if (!c.valid) {
        EXPECT_EQ(z().ConType(), CON_RS232) << c.what;
        EXPECT_EQ(z().Port(), QStringLiteral("COM1")) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileValidity,
    ::testing::Values(ValidityCase{"as written", {}, true},
                      ValidityCase{"COM10", {QStringLiteral("0=COM10")}, true},
                      ValidityCase{"port beyond COM10", {QStringLiteral("0=COM11")}, false},
                      ValidityCase{"port in lower case", {QStringLiteral("0=com1")}, false},
                      ValidityCase{"port missing", {QStringLiteral("0")}, false},
                      ValidityCase{"one empty caption", {QStringLiteral("12=")}, false},
                      ValidityCase{"one empty logo name", {QStringLiteral("26=")}, false},
                      ValidityCase{"a caption missing", {QStringLiteral("5")}, false},
                      ValidityCase{"no IP_ENABLE", {QStringLiteral("IP_ENABLE")}, false},
                      ValidityCase{"no REMOTE_IP", {QStringLiteral("REMOTE_IP")}, false},
                      ValidityCase{"empty LAN values", {QStringLiteral("REMOTE_IP="), QStringLiteral("IP_ENABLE=")}, true},
                      ValidityCase{"names in other case", {QStringLiteral("ip_enable=0"), QStringLiteral("IP_ENABLE")}, true}));

TEST_F(WindowTest, ReadsLfAndCrLfFilesAlike)
{
    for (const char* eol : {"\r\n", "\n"}) {
        writeFile(QStringLiteral("zeph350.ini"), settingsFile({QStringLiteral("3=Cam é")}, eol));
        start();
        EXPECT_EQ(w().label_input[2]->text(), QStringLiteral("Cam é")) << (eol[0] == '\n' ? "LF" : "CR LF");
        windows.reset();
    }
}

TEST_F(WindowTest, WritesExactlyTheThirtyOneLines)
{
    writeFile(QStringLiteral("zeph350.ini"),
              settingsFile({QStringLiteral("2=Cam é"), QStringLiteral("24=Sponsor"), QStringLiteral("IP_ENABLE=1"),
                            QStringLiteral("REMOTE_IP=127.1.2.3"), QStringLiteral("REMOTE_PORT_ENTRY=10200"),
                            QStringLiteral("LOCAL_PORT_ENTRY=0")}));
    start();
    w().close();
    QStringList expected;
    expected << QStringLiteral("0=COM1");  // the LAN link checks no port item
    for (int i = 1; i <= 8; ++i) expected << QStringLiteral("%1=%2").arg(i).arg(i == 2 ? QStringLiteral("Cam é") : QStringLiteral("Input %1").arg(i));
    for (int i = 1; i <= 8; ++i) expected << QStringLiteral("%1=Audio %2").arg(i + 8).arg(i);
    expected << QStringLiteral("17=None") << QStringLiteral("18=Frame");
    for (int i = 1; i <= 8; ++i)
        expected << QStringLiteral("%1=%2").arg(i + 18).arg(i == 6 ? QStringLiteral("Sponsor") : QStringLiteral("Logo %1").arg(i));
    expected << QStringLiteral("IP_ENABLE=1") << QStringLiteral("REMOTE_IP=127.1.2.3")
             << QStringLiteral("REMOTE_PORT_ENTRY=10200") << QStringLiteral("LOCAL_PORT_ENTRY=0");
    const QByteArray written = readFile(QStringLiteral("zeph350.ini"));
    EXPECT_EQ(written, expected.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");  // single-byte text
    EXPECT_EQ(expected.size(), 31);
}

TEST_F(WindowTest, SavesThePortItemAndTheLinkCode)
{
    start();
    link().COMClick(7, &w());
    EXPECT_EQ(files().settingsLines().first(), QStringLiteral("0=COM7"));
    EXPECT_EQ(files().settingsLines()[27], QStringLiteral("IP_ENABLE=0"));
    z().SetConType(CON_TCP);
    EXPECT_EQ(files().settingsLines()[27], QStringLiteral("IP_ENABLE=2"));
}

// The connection events record the order in which the file's values reach
// the component.
TEST_F(WindowTest, AppliesAddressPortsThenLinkType)
{
    const quint16 free = 0;  // port 0: nothing to collide with
    writeFile(QStringLiteral("zeph350.ini"),
              settingsFile({QStringLiteral("0=COM3"), QStringLiteral("IP_ENABLE=1"), QStringLiteral("REMOTE_IP=127.0.0.1"),
                            QStringLiteral("REMOTE_PORT_ENTRY=10100"), QStringLiteral("LOCAL_PORT_ENTRY=%1").arg(free)}));
    start();
    QStringList order;
    for (auto e : {TZEPH350_d::Event::OnIpRemoteAddresschange, TZEPH350_d::Event::OnIpRemotePortchange,
                   TZEPH350_d::Event::OnIpLocalPortchange, TZEPH350_d::Event::OnConTypechange})
        z().setHandler(e, [&order, e](TZEPH350_d* s, int) {
            order << QString::fromLatin1(TZEPH350_d::eventName(e)) + QLatin1Char(':') +
                         QString::number(s->ConType());
        });
    w().state.Settings_file_name = QStringLiteral("zeph350.ini");
    files().open();
    // COM3 first (serial), then address, remote port, local port, then UDP.
    EXPECT_EQ(order, (QStringList{QStringLiteral("OnConTypechange:1"), QStringLiteral("OnIpRemoteAddresschange:1"),
                                  QStringLiteral("OnIpRemotePortchange:1"), QStringLiteral("OnIpLocalPortchange:1"),
                                  QStringLiteral("OnConTypechange:2")}));
    EXPECT_EQ(z().Port(), QStringLiteral("COM3"));
    EXPECT_TRUE(tail().endsWith(QStringLiteral("  UDP"))) << tail().toStdString();
    EXPECT_TRUE(w().MIPConfig->isChecked());
    EXPECT_FALSE(w().comItems[2]->isChecked());
}

struct PortCase {
    const char* remote;
    const char* local;
    bool applied;
};

class FilePorts : public WindowTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(FilePorts, AUnusablePortEndsOnCom1)
{
    const PortCase& c = GetParam();
    writeFile(QStringLiteral("zeph350.ini"),
              settingsFile({QStringLiteral("IP_ENABLE=2"), QStringLiteral("REMOTE_IP=127.9.8.7"),
                            QStringLiteral("REMOTE_PORT_ENTRY=") + QLatin1String(c.remote),
                            QStringLiteral("LOCAL_PORT_ENTRY=") + QLatin1String(c.local)}));
    start();
    // The address is applied before the ports in every case.
    EXPECT_EQ(z().IpRemoteAddress(), QStringLiteral("127.9.8.7"));
    EXPECT_EQ(z().ConType(), c.applied ? CON_TCP : CON_RS232) << c.remote << " " << c.local;
    if (!c.applied) {
        EXPECT_EQ(z().Port(), QStringLiteral("COM1"));
    }
    z().SetConType(CON_NONE);
}

INSTANTIATE_TEST_SUITE_P(Table, FilePorts,
                         ::testing::Values(PortCase{"10100", "65535", true}, PortCase{"10100", "0", true},
                                           PortCase{"0", "10000", false}, PortCase{"00", "10000", false},
                                           PortCase{"10100", "abc", false}, PortCase{"65536", "10000", false},
                                           PortCase{"10100", "-1", false}, PortCase{"99999999999", "10000", false},
                                           PortCase{"10100", "", false}, PortCase{"$2774", "10000", false},
                                           PortCase{"10100", " 10000", false}));

TEST_F(WindowTest, FileAddressIsStoredInCanonicalForm)
{
    writeFile(QStringLiteral("zeph350.ini"), settingsFile({QStringLiteral("REMOTE_IP=010.0.0.5")}));
    start();
    EXPECT_EQ(z().IpRemoteAddress(), QStringLiteral("10.0.0.5"));
}

TEST_F(WindowTest, RejectedFileIsKeptBesideTheExitSave)
{
    const QByteArray original = settingsFile({QStringLiteral("0=com2"), QStringLiteral("1=Camera")});
    writeFile(QStringLiteral("zeph350.ini"), original);
    start();
    w().close();
    EXPECT_EQ(readFile(QStringLiteral("zeph350.ini.bak")), original);
    EXPECT_TRUE(readFile(QStringLiteral("zeph350.ini")).startsWith("0=COM1\r\n1=Input 1\r\n"));
}

TEST_F(WindowTest, RejectedFileIsKeptAfterAnotherRejectedOpen)
{
    const QByteArray original = settingsFile({QStringLiteral("0=com2"), QStringLiteral("1=Camera")});
    writeFile(QStringLiteral("zeph350.ini"), original);
    writeFile(QStringLiteral("other.ini"), settingsFile({QStringLiteral("2=")}));
    start();
    w().state.Settings_file_name = QStringLiteral("other.ini");
    files().open();  // rejected as well
    w().close();
    EXPECT_EQ(readFile(QStringLiteral("zeph350.ini.bak")), original);
}

// The operator fixes a rejected file while the panel runs, and makes
// another slip (the port put right, a caption lost): what the save
// replaces is what is on disk then, and that is what is kept. Backups
// made earlier stay.
struct EditCase {
    const char* what;
    bool saveFirst;  // "Save" before the edit: the first content kept then
    bool openAgain;  // the edited file opened, and rejected, again
};

class RejectedFileEdited : public WindowTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(RejectedFileEdited, TheSaveKeepsWhatItReplaces)
{
    const EditCase& c = GetParam();
    const QByteArray first = settingsFile({QStringLiteral("0=com2"), QStringLiteral("1=Camera")});
    const QByteArray edited = settingsFile({QStringLiteral("0=COM2"), QStringLiteral("1=Camera"), QStringLiteral("2=")});
    writeFile(QStringLiteral("zeph350.ini"), first);
    start();
    if (c.saveFirst) action("Save1")->trigger();  // the name dialog cancelled: zeph350.ini
    writeFile(QStringLiteral("zeph350.ini"), edited);
    if (c.openAgain) {
        prompts.openAnswer = scratch.path(QStringLiteral("zeph350.ini"));
        action("Open1")->trigger();
        EXPECT_EQ(w().label_input[0]->text(), QStringLiteral("Input 1")) << c.what;
    }
    w().close();
    const QList<QByteArray> kept = c.saveFirst ? QList<QByteArray>{first, edited} : QList<QByteArray>{edited};
    EXPECT_EQ(readFile(QStringLiteral("zeph350.ini.bak")), kept[0]) << c.what;
    EXPECT_EQ(readFile(QStringLiteral("zeph350.ini.1.bak")), kept.value(1)) << c.what;
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("zeph350.ini.2.bak"))) << c.what;
    EXPECT_TRUE(readFile(QStringLiteral("zeph350.ini")).startsWith("0=COM1\r\n1=Input 1\r\n")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, RejectedFileEdited,
                         ::testing::Values(EditCase{"edited and opened again", false, true},
                                           EditCase{"edited only", false, false},
                                           EditCase{"saved, edited and opened again", true, true}));

TEST_F(WindowTest, MissingFileLeavesNoBackup)
{
    start();
    w().close();
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("zeph350.ini.bak")));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("zeph350.ini")));
    EXPECT_EQ(z().ConType(), CON_RS232);
}

TEST_F(WindowTest, ExitSaveIsSilentButAnExplicitSaveReportsFailure)
{
    start();
    w().state.Settings_file_name = scratch.path(QStringLiteral("no/such/dir/x.ini"));
    EXPECT_FALSE(files().save(CustomFiles::SaveKind::Exit));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(files().save(CustomFiles::SaveKind::Explicit));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].icon, Prompter::Icon::Error);
}

TEST_F(WindowTest, StoreTimingFileIsCheckedAtStart)
{
    struct Case {
        QByteArray content;
        QByteArray after;
    };
    for (const Case& c : {Case{"0\r\n", "240\r\n"}, Case{"abc\r\n", "240\r\n"}, Case{"", "240\r\n"},
                          Case{"-3", "240\r\n"}, Case{"$F0\r\n", "240\r\n"}, Case{" 17\r\n", "240\r\n"},
                          Case{"17\r\n", "17\r\n"}}) {
        writeFile(QStringLiteral("zeph350logo.ini"), c.content);
        start();
        EXPECT_EQ(readFile(QStringLiteral("zeph350logo.ini")), c.after) << c.content.constData();
        windows.reset();
    }
    QFile::remove(QStringLiteral("zeph350logo.ini"));
    start();
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("zeph350logo.ini")));  // not created at start
}

TEST_F(WindowTest, FilesMenuDialogsAndSaveFlow)
{
    start();
    // "Save" right after start asks for a name; cancelling writes zeph350.ini.
    QFile::remove(QStringLiteral("zeph350.ini"));
    prompts.saveAnswer.clear();
    action("Save1")->trigger();
    EXPECT_EQ(prompts.fileTitles.value(0),
              QStringLiteral("Save Your Customization|Your customization (*.ini)|*.ini"));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("zeph350.ini")));

    w().label_input[3]->setText(QStringLiteral("Studio"));
    prompts.saveAnswer = scratch.path(QStringLiteral("show"));
    action("Saveas1")->trigger();
    EXPECT_TRUE(readFile(scratch.path(QStringLiteral("show.ini"))).contains("4=Studio\r\n"));

    // Open re-applies the file's names, and exit still writes zeph350.ini.
    writeFile(scratch.path(QStringLiteral("other.ini")),
              settingsFile({QStringLiteral("7=Lectern"), QStringLiteral("20=Brand")}));
    prompts.openAnswer = scratch.path(QStringLiteral("other.ini"));
    action("Open1")->trigger();
    EXPECT_EQ(prompts.fileTitles.last(), QStringLiteral("Open Your Customization|Your customization (*.ini)|*.ini"));
    EXPECT_EQ(w().label_input[6]->text(), QStringLiteral("Lectern"));
    EXPECT_EQ(w().state.Logo_names[3], QStringLiteral("Brand"));
    w().close();
    const QByteArray exitFile = readFile(QStringLiteral("zeph350.ini"));
    EXPECT_TRUE(exitFile.contains("\r\n7=Lectern\r\n")) << exitFile.constData();
    EXPECT_TRUE(exitFile.contains("\r\n20=Brand\r\n"));
}

TEST_F(WindowTest, NewRestoresTheCaptionsOnly)
{
    writeFile(QStringLiteral("zeph350.ini"), settingsFile({QStringLiteral("1=Camera"), QStringLiteral("16=Mic"),
                                                           QStringLiteral("19=Brand")}));
    start();
    action("New1")->trigger();
    EXPECT_EQ(w().label_input[0]->text(), QStringLiteral("Input 1"));
    EXPECT_EQ(w().Label_audio[7]->text(), QStringLiteral("Audio 8"));
    EXPECT_EQ(w().state.Logo_names[2], QStringLiteral("Brand"));
}

}  // namespace
