// The console's value panel and script sender.
#include "console_fixture.h"
#include "file_faults.h"
#include "text_lines.h"

#include <QFrame>

namespace {

// What the value panel shows after "Changer valeurs" on a selection of the
// traffic view.
struct Panel {
    const char* selection;  // selected text, or nullptr for none
    const char* variable;
    const char* dec;
    const char* hex;
    const char* bin;
    bool send;  // "Envoie" enabled
};
constexpr const char* NoValue = "Conversion (aucune valeur d'entrer)";
const Panel kPanels[] = {
    {"BRG300", "BRG ", "300 ", "012C ", "0000.0001.0010.1100b ", true},
    {"CON65535", "CON ", "65535 ", "FFFF ", "1111.1111.1111.1111b ", true},
    {"I_0", "I_ ", "0 ", "0000 ", "0000.0000.0000.0000b ", true},
    {nullptr, NoValue, "0", "0", "0000.0000.0000.0000b", false},
    {"BRG", NoValue, "0", "0", "0000.0000.0000.0000b", false},              // no digits
    // Any value a register holds: the hexadecimal digits and the binary form
    // grow, the bit boxes show the low 16 bits.
    {"DEV70000", "DEV ", "70000 ", "11170 ", "0001.0001.0001.0111.0000b ", true},
    {"V_4294967295", "V_ ", "4294967295 ", "FFFFFFFF ",
     "1111.1111.1111.1111.1111.1111.1111.1111b ", true},
    {"V_4294967296", NoValue, "0", "0", "0000.0000.0000.0000b", false},    // beyond 32 bits
    {"BRG300   012Ch   0000.0001.0010.1100b", NoValue, "0", "0", "0000.0000.0000.0000b", false},  // the whole line
};

class ValuePanelTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        startConsole();
    }
    // Shows `text` as the only line of the traffic view, selected, and opens
    // the panel on it.
    void openOn(const char* text)
    {
        c().Memo_recu->clear();
        c().Memo_recu->appendLine(QString::fromLatin1(text ? text : "BRG1"));
        if (text) c().Memo_recu->selectAll();
        else c().Memo_recu->select(0, 0, 0, 0);
        if (c().Panel1->isVisible()) c().Panel1->hide();
        c().BitBtn_changer_valeurs->click();
        ASSERT_TRUE(c().Panel1->isVisible());
    }
    QString bits() const
    {
        QString out;
        for (QLineEdit* e : windows->Form_debug->EditBits) out += e->text();
        return out;
    }
};

TEST_F(ValuePanelTest, OpensOnTheSelection)
{
    c().show();
    EXPECT_FALSE(c().Panel1->isVisible());
    for (const Panel& p : kPanels) {
        const char* what = p.selection ? p.selection : "(none)";
        openOn(p.selection);
        EXPECT_EQ(c().Label_variable->text(), QString::fromLatin1(p.variable)) << what;
        EXPECT_EQ(c().Label_valeur_dec->text(), QString::fromLatin1(p.dec)) << what;
        EXPECT_EQ(c().Edit_valeur_dec->text(), QString::fromLatin1(p.dec).trimmed()) << what;
        EXPECT_EQ(c().Label_valeur_hex->text(), QString::fromLatin1(p.hex)) << what;
        EXPECT_EQ(c().Edit_valeur_hex->text(), QString::fromLatin1(p.hex).trimmed()) << what;
        EXPECT_EQ(c().Label_valeur_bin->text(), QString::fromLatin1(p.bin)) << what;
        QString expectedBits = QString::fromLatin1(p.bin).remove(QLatin1Char('.')).trimmed();
        expectedBits.chop(1);
        EXPECT_EQ(bits(), expectedBits.right(16)) << what;
        EXPECT_EQ(c().Button_envoie->isEnabled(), p.send) << what;
    }
    c().BitBtn_changer_valeurs->click();
    EXPECT_FALSE(c().Panel1->isVisible());
}

TEST_F(ValuePanelTest, BitsDecimalAndHexFollowEachOther)
{
    c().show();
    openOn("BRG300");
    QTest::mouseClick(c().EditBits[15], Qt::LeftButton);  // bit 0
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QStringLiteral("301"));
    EXPECT_EQ(c().Edit_valeur_hex->text(), QStringLiteral("012D"));
    EXPECT_EQ(c().Label_valeur_bin->text().trimmed(), QStringLiteral("0000.0001.0010.1101b"));
    QTest::mouseClick(c().EditBits[0], Qt::LeftButton);  // bit 15
    EXPECT_EQ(c().Edit_valeur_dec->text(), QStringLiteral("33069"));
    EXPECT_EQ(c().Label_valeur_hex->text().trimmed(), QStringLiteral("812D"));

    // The hexadecimal box: padded to four digits on Enter.
    c().Edit_valeur_hex->clear();
    QTest::keyClicks(c().Edit_valeur_hex, QStringLiteral("2"));
    QTest::keyClick(c().Edit_valeur_hex, Qt::Key_Return);
    EXPECT_EQ(c().Label_valeur_hex->text(), QStringLiteral("0002"));
    EXPECT_EQ(c().Edit_valeur_hex->text(), QStringLiteral("0002"));
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QStringLiteral("2"));
    EXPECT_EQ(bits(), QStringLiteral("0000000000000010"));
    c().Edit_valeur_hex->clear();
    QTest::keyClicks(c().Edit_valeur_hex, QStringLiteral("fg12345"));
    EXPECT_EQ(c().Edit_valeur_hex->text(), QStringLiteral("f123"));
    QTest::keyClick(c().Edit_valeur_hex, Qt::Key_Return);
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QStringLiteral("61731"));

    // The decimal box takes digits of any value a register holds, up to
    // 4294967295.
    c().Edit_valeur_dec->clear();
    QTest::keyClicks(c().Edit_valeur_dec, QStringLiteral("6x5535"));
    EXPECT_EQ(c().Edit_valeur_dec->text(), QStringLiteral("65535"));
    QTest::keyClick(c().Edit_valeur_dec, Qt::Key_Return);
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QStringLiteral("65535"));
    EXPECT_EQ(c().Label_valeur_hex->text().trimmed(), QStringLiteral("FFFF"));
    EXPECT_EQ(bits(), QStringLiteral("1111111111111111"));
    QTest::mouseClick(c().EditBits[0], Qt::LeftButton);
    EXPECT_EQ(c().Edit_valeur_dec->text(), QStringLiteral("32767"));
    c().Edit_valeur_dec->clear();
    QTest::keyClicks(c().Edit_valeur_dec, QStringLiteral("42949672950"));
    EXPECT_EQ(c().Edit_valeur_dec->text(), QStringLiteral("4294967295"));
    c().Edit_valeur_dec->clear();
    QTest::keyClicks(c().Edit_valeur_dec, QStringLiteral("2147549183"));  // 8000FFFFh
    QTest::keyClick(c().Edit_valeur_dec, Qt::Key_Return);
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QStringLiteral("2147549183"));
    EXPECT_EQ(c().Edit_valeur_hex->text(), QStringLiteral("8000FFFF"));
    EXPECT_EQ(c().Label_valeur_bin->text().trimmed(), QStringLiteral("1000.0000.0000.0000.1111.1111.1111.1111b"));
    EXPECT_EQ(bits(), QStringLiteral("1111111111111111"));
    // A bit box changes its bit and leaves the bits above the sixteen.
    QTest::mouseClick(c().EditBits[15], Qt::LeftButton);
    EXPECT_EQ(c().Edit_valeur_dec->text(), QStringLiteral("2147549182"));
    EXPECT_EQ(c().Label_valeur_hex->text().trimmed(), QStringLiteral("8000FFFE"));
    // A long value shown in the hexadecimal box is read whole on Enter; a
    // digit typed more is refused, Backspace goes.
    QTest::keyClick(c().Edit_valeur_hex, Qt::Key_End);
    QTest::keyClicks(c().Edit_valeur_hex, QStringLiteral("1"));
    EXPECT_EQ(c().Edit_valeur_hex->text(), QStringLiteral("8000FFFE"));
    QTest::keyClick(c().Edit_valeur_hex, Qt::Key_Return);
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QStringLiteral("2147549182"));
    QTest::keyClick(c().Edit_valeur_hex, Qt::Key_Backspace);
    QTest::keyClick(c().Edit_valeur_hex, Qt::Key_Return);
    EXPECT_EQ(c().Label_valeur_dec->text().trimmed(), QString::number(0x8000FFFu));
}

// "Envoie" sends the value right before the register's code; "Ok" puts it
// on the command line.
TEST_F(ValuePanelTest, SendAndOk)
{
    c().show();
    openOn("BRG300");
    c().Button_envoie->click();
    EXPECT_EQ(sent(), QList<QByteArray>{"300B"});
    QTest::mouseClick(c().EditBits[15], Qt::LeftButton);
    c().Button_envoie->click();
    EXPECT_EQ(sent(), QList<QByteArray>{"301B"});

    openOn("LFD5");  // a code of two characters
    c().Button_envoie->click();
    EXPECT_EQ(sent(), QList<QByteArray>{"5Lf"});

    c().Button_ok->click();
    EXPECT_FALSE(c().Panel1->isVisible());
    EXPECT_EQ(c().commandBuffer(), QStringLiteral("5"));
    EXPECT_EQ(c().Memo_env->toPlainText(), QStringLiteral("5"));
    QTest::keyClicks(c().Memo_env, QStringLiteral("D"));
    QTest::keyClick(c().Memo_env, Qt::Key_Return);
    EXPECT_EQ(sent(), QList<QByteArray>{"5D"});

    openOn("BRG1");
    c().Button_annuler->click();
    EXPECT_FALSE(c().Panel1->isVisible());
    EXPECT_TRUE(sent().isEmpty());
}

// "Desactiver reception" ticks and unticks the register's row as a hand
// would.
TEST_F(ValuePanelTest, DesactiverReceptionTogglesTheRow)
{
    c().show();
    c().SpeedButton_Disable_all->click();
    openOn("BRG300");
    c().Button_desactiver_reception->click();
    EXPECT_TRUE(c().rowTicked(c().rowOfMnemonic(QStringLiteral("BRG"))));
    EXPECT_EQ(c().SpeedButton_Disable_all->text(), QStringLiteral("Disable all 1 / 5"));
    c().Memo_recu->clear();
    for (const char* r : {"BRG4", "CON5"}) reply(r);
    EXPECT_EQ(shownReplies(), QStringList{"BRG4"});
    c().Button_desactiver_reception->click();
    EXPECT_FALSE(c().rowTicked(c().rowOfMnemonic(QStringLiteral("BRG"))));
    reply("BRG6");
    EXPECT_EQ(shownReplies(), QStringList{"BRG4"});
}

// The panel moves by the distance of a left-button drag, and only then.
TEST_F(ValuePanelTest, DraggedByTheMouse)
{
    c().show();
    openOn("BRG1");
    const QPoint at = c().Panel1->pos();
    QTest::mousePress(c().Panel1, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(c().Panel1, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(c().Panel1->pos(), at + QPoint(30, 20));
    QTest::mousePress(c().Panel1, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 10));
    QTest::mouseRelease(c().Panel1, Qt::LeftButton, Qt::ControlModifier, QPoint(50, 50));
    QTest::mousePress(c().Panel1, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseRelease(c().Panel1, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(c().Panel1->pos(), at + QPoint(30, 20));
}

// ---------------------------------------------------------------------------
// Script sender, ticked by the test.

struct Script {
    const char* name;
    QByteArray file;
    ScriptSender::Mode mode;
    int pause;  // beyond the scroll bar's position
    QList<QByteArray> sends;
};
const Script kScripts[] = {
    {"commands, CR LF", "128B\r\n\r\n5D\r\n", ScriptSender::Mode::Line, 30, {"128B", "5D"}},
    {"commands, LF, no end", "128B\n1O", ScriptSender::Mode::Line, 30, {"128B", "1O"}},
    {"commands, lone CR", "3F\r\r2D\r", ScriptSender::Mode::Line, 30, {"3F", "2D"}},
    {"first line of nine", "123456789\nx", ScriptSender::Mode::Line, 30, {"123456789", "x"}},
    {"text, LF", "ABCDEFGHIJ\nK\n", ScriptSender::Mode::Character, 10,
     {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "\r", "\n", "K", "\r"}},
    {"text, lone CR, bytes kept", "0123456789\r\xE9\xFF", ScriptSender::Mode::Character, 10,
     {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\r", "\n", "\xE9", "\xFF", "\r"}},
};

TEST_F(ConsoleTest, ScriptSentLineByLineOrCharacterByCharacter)
{
    startConsole();
    ScrollBarEx* bar = c().ScrollBar_duration;
    const ScriptSender& s = c().scriptSender();
    for (const Script& sc : kScripts) {
        writeFile(QStringLiteral("script.txt"), sc.file);
        ask.openAnswer = scratch.path(QStringLiteral("script.txt"));
        bar->setValue(100);
        c().Envoyeruntexte1->trigger();
        EXPECT_EQ(c().windowTitle(), QStringLiteral("DEBUG ZEPH3502  script.txt")) << sc.name;
        ASSERT_TRUE(s.running()) << sc.name;
        EXPECT_EQ(s.mode(), sc.mode) << sc.name;
        EXPECT_EQ(s.timer().interval(), 100 + sc.pause) << sc.name;
        EXPECT_FALSE(bar->isEnabled()) << sc.name;

        QList<QByteArray> got;
        int ticks = 0;
        while (s.running() && ticks < 100) {
            c().evenement_tempo();
            ++ticks;
            got += sent();  // at most one text per tick
            ASSERT_LE(got.size(), ticks) << sc.name;
        }
        EXPECT_EQ(got, sc.sends) << sc.name;
        EXPECT_FALSE(s.running()) << sc.name;
        EXPECT_TRUE(bar->isEnabled()) << sc.name;
        EXPECT_EQ(s.index(), sc.mode == ScriptSender::Mode::Line ? 0 : 1) << sc.name;
    }
    EXPECT_EQ(ask.fileTitles.front().section(QLatin1Char('|'), 0, 0).left(15), QStringLiteral("Charger script,"));
}

// The script's open dialog starts in the working directory, wherever the
// program's last file dialog was.
TEST_F(ConsoleTest, ScriptDialogStartsInTheWorkingDirectory)
{
    startConsole();
    c().Envoyeruntexte1->trigger();
    ASSERT_EQ(ask.openFolders.size(), 1);
    ASSERT_FALSE(ask.openFolders.front().isEmpty()) << "the dialog starts where the last one was";
    EXPECT_EQ(QDir(ask.openFolders.front()).canonicalPath(), QDir::current().canonicalPath());
}

// A short console still shows its delay bar and the bar's label whole.
TEST_F(ConsoleTest, DelayBarNotCutWhenShort)
{
    startConsole();
    c().show();
    c().resize(TForm_debug::FixedWidth, 200);
    QCoreApplication::processEvents();
    for (QWidget* shown : {static_cast<QWidget*>(c().ScrollBar_duration), static_cast<QWidget*>(c().Label_scroll_timer),
                           static_cast<QWidget*>(c().BitBtn_ADBG[25])}) {
        const QRect inWindow(shown->mapTo(&c(), QPoint(0, 0)), shown->size());
        EXPECT_TRUE(c().rect().contains(inWindow)) << shown->objectName().toStdString() << " cut off at height "
                                                   << c().height();
    }
}

// A line longer than the link carries in one piece is refused before it
// is sent, typed or scripted: the traffic view says why, no error box
// comes, the link stays open and the lines around it still go.
TEST_F(ConsoleTest, LineTooLongForTheLinkIsRefusedWithAMessage)
{
    startConsole();
    const ScriptSender& s = c().scriptSender();
    const QByteArray tooLong(TZEPH350_d::UdpDatagramMax + 1, '7');
    writeFile(QStringLiteral("script.txt"), "128B\n" + tooLong + "\n5D\n");
    ask.openAnswer = scratch.path(QStringLiteral("script.txt"));
    c().Envoyeruntexte1->trigger();
    ASSERT_TRUE(s.running());
    QList<QByteArray> got;
    for (int ticks = 0; s.running() && ticks < 10; ++ticks) {
        c().evenement_tempo();
        got += sent();
    }
    EXPECT_EQ(got, (QList<QByteArray>{"128B", "5D"}));
    c().Driver_envoie(QString(TZEPH350_d::UdpDatagramMax + 2, QLatin1Char('8')));
    c().Driver_envoie(QStringLiteral("1O"));
    EXPECT_EQ(sent(), QList<QByteArray>{"1O"});
    EXPECT_TRUE(z().udpActive());
    EXPECT_TRUE(ask.messages.isEmpty());
    EXPECT_EQ(shown(), (QStringList{
                           QStringLiteral("*** Commande trop longue, non envoyée : 65508 octets, la liaison UDP en prend 65507 au plus"),
                           QStringLiteral("*** Commande trop longue, non envoyée : 65509 octets, la liaison UDP en prend 65507 au plus"),
                       }));
}

// Files that give nothing to send leave the sender idle.
TEST_F(ConsoleTest, ScriptWithoutLinesLeavesTheSenderIdle)
{
    startConsole();
    const ScriptSender& s = c().scriptSender();
    writeFile(QStringLiteral("empty.txt"), "");
    for (const char* name : {"empty.txt", "missing.txt"}) {
        ask.openAnswer = scratch.path(QString::fromLatin1(name));
        c().Envoyeruntexte1->trigger();
        EXPECT_FALSE(s.running()) << name;
        EXPECT_TRUE(c().ScrollBar_duration->isEnabled()) << name;
        c().evenement_tempo();
        EXPECT_TRUE(sent().isEmpty()) << name;
    }
    // Cancelling the dialog starts nothing either.
    ask.openAnswer.clear();
    c().Envoyeruntexte1->trigger();
    EXPECT_FALSE(s.running());
}

// A script too big or not a regular file is not read: the console says
// why, and nothing is sent.
TEST_F(ConsoleTest, RefusedScriptIsNotSent)
{
    startConsole();
    const ScriptSender& s = c().scriptSender();
    // Commands a line each, then more than the limit of nothing.
    makeSparse(QStringLiteral("huge.txt"), "128B\n1O\n", MaxTextFileBytes + 1);
    makeFifo(QStringLiteral("pipe.txt"));
    struct Refused {
        const char* name;
        const char* why;
    };
    for (const Refused r : {Refused{"huge.txt", "is larger than 1048576 bytes"}, Refused{"pipe.txt", "is not a regular file"}}) {
        ask.messages.clear();
        ask.openAnswer = scratch.path(QString::fromLatin1(r.name));
        c().Envoyeruntexte1->trigger();
        ASSERT_EQ(ask.messages.size(), 1) << r.name;
        EXPECT_EQ(ask.messages[0].title, QStringLiteral("DEBUG ZEPH3502")) << r.name;
        EXPECT_EQ(ask.messages[0].text, QStringLiteral("The script \"%1\" %2: nothing was sent.")
                                            .arg(ask.openAnswer, QString::fromLatin1(r.why)))
            << r.name;
        EXPECT_EQ(ask.messages[0].icon, Prompter::Icon::Warning) << r.name;
        EXPECT_FALSE(s.running()) << r.name;
        EXPECT_FALSE(s.loaded()) << r.name;
        EXPECT_TRUE(c().ScrollBar_duration->isEnabled()) << r.name;
        EXPECT_EQ(c().windowTitle(), QStringLiteral("DEBUG ZEPH3502")) << r.name;
        c().evenement_tempo();
        EXPECT_TRUE(sent().isEmpty()) << r.name;
    }
}

// The scroll bar sets the pause once a script is loaded; "Stop" stops.
TEST_F(ConsoleTest, ScriptDelayAndStop)
{
    startConsole();
    ScrollBarEx* bar = c().ScrollBar_duration;
    const ScriptSender& s = c().scriptSender();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 1024);
    bar->setValue(50);
    emit bar->scrolled(ScrollBarEx::ThumbPosition, 50);
    EXPECT_EQ(c().Label_scroll_timer->text(), QStringLiteral("delai transfert"));

    writeFile(QStringLiteral("long.txt"), "a line of text\nmore\n");
    ask.openAnswer = scratch.path(QStringLiteral("long.txt"));
    c().Envoyeruntexte1->trigger();
    EXPECT_EQ(s.timer().interval(), 60);
    c().Stop1->trigger();
    EXPECT_FALSE(s.running());
    EXPECT_TRUE(bar->isEnabled());
    bar->setValue(200);
    emit bar->scrolled(ScrollBarEx::ThumbPosition, 200);
    EXPECT_EQ(s.timer().interval(), 210);
    EXPECT_EQ(c().Label_scroll_timer->text(), QStringLiteral("200"));

    writeFile(QStringLiteral("short.txt"), "1B\n");
    ask.openAnswer = scratch.path(QStringLiteral("short.txt"));
    c().Envoyeruntexte1->trigger();
    EXPECT_EQ(s.timer().interval(), 230);
    c().Stop1->trigger();
    emit bar->scrolled(ScrollBarEx::ThumbPosition, 0);
    EXPECT_EQ(s.timer().interval(), 30);
}

}  // namespace
