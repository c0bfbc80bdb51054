// The console's typed commands, programmable buttons and their file, and
// its register table.
#include "console_fixture.h"
#include "entry_texts.h"
#include "file_faults.h"

#include "registers.h"
#include "text_lines.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QWheelEvent>

#include <set>

using Ev = TZEPH350_d::Event;

namespace {

constexpr int ctrl(Qt::Key key)
{
    return (Qt::ControlModifier | key).toCombined();
}

// Keys typed into the command box or the register list, what goes out
// (raw, one text per Enter) and what stays in the buffer.
struct Keys {
    const char* name;
    bool inList;  // typed in the register list `_`
    std::vector<int> keys;  // a key, with the modifiers held
    QList<QByteArray> sent;
    const char* buffer;
};
const Keys kKeys[] = {
    {"128B and Enter", false, {'1', '2', '8', 'B', Qt::Key_Return}, {"128B"}, ""},
    {"Enter on an empty buffer", false, {Qt::Key_Return}, {}, ""},
    {"Backspace takes the blank before", false, {'1', '2', ' ', '3', Qt::Key_Backspace}, {}, "12"},
    {"Backspace on an empty buffer", false, {Qt::Key_Backspace}, {}, ""},
    {"lower-case code", false, {'0', 'y', 'l', Qt::Key_Enter}, {"0yl"}, ""},
    {"two commands", false, {'1', 'O', Qt::Key_Return, '2', 'D', Qt::Key_Return}, {"1O", "2D"}, ""},
    {"typed in the register list", true, {'5', 'F', Qt::Key_Return, '7'}, {"5F"}, "7"},
    // Keys that type no character add nothing to the command: Escape,
    // Delete and the box's shortcuts (select all, copy).
    {"Escape and Delete", false, {'1', Qt::Key_Escape, Qt::Key_Delete, '2', 'B', Qt::Key_Return}, {"12B"}, ""},
    {"shortcuts", false, {'3', ctrl(Qt::Key_A), ctrl(Qt::Key_C), 'D'}, {}, "3D"},
    {"shortcuts in the register list", true, {'4', ctrl(Qt::Key_C), 'E'}, {}, "4E"},
};

TEST_F(ConsoleTest, KeysBuildAndSendTheCommandLine)
{
    startConsole();
    z().sentString = QStringLiteral("before");
    int sentStrings = 0;
    z().setHandler(Ev::OnSentString, [&](TZEPH350_d*, int) { ++sentStrings; });
    for (const Keys& k : kKeys) {
        c().Button_clearClick();
        QWidget* target = k.inList ? static_cast<QWidget*>(c()._) : c().Memo_env;
        const int row = c()._->currentIndex();
        for (int key : k.keys) {
            const auto mods = Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask);
            key &= ~int(Qt::KeyboardModifierMask);
            if (key >= ' ' && key < 127 && !mods)
                QTest::keyClick(target, char(key));
            else
                QTest::keyClick(target, Qt::Key(key), mods);
        }
        EXPECT_EQ(sent(), k.sent) << k.name;
        EXPECT_EQ(c().commandBuffer(), QString::fromLatin1(k.buffer)) << k.name;
        EXPECT_EQ(c().Label1->text(), QString::fromLatin1(k.buffer)) << k.name;
        if (k.inList) {
            EXPECT_EQ(c()._->currentIndex(), row) << "typing moved the list";
        }
    }
    // Raw commands go around the register writes' bookkeeping and need no
    // connected device.
    EXPECT_FALSE(z().Connected());
    EXPECT_EQ(sentStrings, 0);
    EXPECT_EQ(z().sentString, QStringLiteral("before"));
}

// Text that enters the command line by any way: typed, pasted or composed
// by an input method. A character that cannot go as typed (beyond
// Latin-1, which would go out as "?", the device-type query; a control
// character) is refused where it enters, with a line in the traffic view;
// the rest joins the command.
struct Entered {
    const char* name;
    enum Way { Keys, Paste, InputMethod } way;
    QString text;
    QList<QByteArray> sent;  // after Enter
    QStringList refused;     // what the lines in the traffic view show
};

TEST_F(ConsoleTest, CommandLineRefusesWhatCannotGoWhereItIsEntered)
{
    const Entered entries[] = {
        {"euro typed", Entered::Keys, QStringLiteral("€"), {}, {QStringLiteral("€")}},
        {"mixed typed", Entered::Keys, QStringLiteral("12€8B"), {"128B"}, {QStringLiteral("€")}},
        {"Latin-1 typed", Entered::Keys, QStringLiteral("é1"), {"\xE9" "1"}, {}},
        {"euro pasted", Entered::Paste, QStringLiteral("€"), {}, {QStringLiteral("€")}},
        {"mixed pasted", Entered::Paste, QStringLiteral("12€8B"), {"128B"}, {QStringLiteral("€")}},
        {"line break pasted", Entered::Paste, QStringLiteral("12\r\n8B\n"), {"128B"}, {QStringLiteral("[U+000D][U+000A][U+000A]")}},
        {"plain pasted", Entered::Paste, QStringLiteral("128B"), {"128B"}, {}},
        {"composed", Entered::InputMethod, QStringLiteral("€8B"), {"8B"}, {QStringLiteral("€")}},
    };
    startConsole();
    c().show();
    QApplication::setActiveWindow(&c());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c()));
    QTest::mouseClick(c().Memo_env->viewport(), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), c().Memo_env);
    for (const Entered& e : entries) {
        c().Button_clearClick();
        QWidget* focus = QApplication::focusWidget();
        switch (e.way) {
        case Entered::Keys:
            for (const QChar ch : e.text)
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
            break;
        case Entered::Paste:
            QGuiApplication::clipboard()->setText(e.text);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            break;
        case Entered::InputMethod: {
            QInputMethodEvent composed;
            composed.setCommitString(e.text);
            QCoreApplication::sendEvent(focus, &composed);
            break;
        }
        }
        QString taken;
        for (const QChar ch : e.text)
            if (ch.unicode() >= 0x20 && ch.unicode() != 0x7F && ch.unicode() <= 0xFF) taken += ch;
        EXPECT_EQ(c().commandBuffer(), taken) << e.name;
        EXPECT_EQ(c().Memo_env->toPlainText(), taken) << e.name << ": the box shows what goes";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(sent(), e.sent) << e.name;
        const QStringList lines = shown();
        EXPECT_EQ(lines.size(), e.refused.size()) << e.name;
        for (qsizetype i = 0; i < std::min(lines.size(), e.refused.size()); ++i) {
            EXPECT_TRUE(lines[i].startsWith(QStringLiteral("***"))) << e.name;
            EXPECT_TRUE(lines[i].contains(QStringLiteral("« ") + e.refused[i] + QStringLiteral(" »")))
                << e.name << ": " << lines[i].toStdString();
        }
    }
    // Whatever hands the sender a text beyond Latin-1, it does not go out
    // with "?" in its place.
    c().Memo_recu->clear();
    c().Driver_envoie(QStringLiteral("1€B"));
    EXPECT_TRUE(sent().isEmpty());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown()[0].contains(QStringLiteral("1€B")));
}

// A row of the register list adds its code to the command line; the
// reception list selects the same row, and its double click acts as a click.
TEST_F(ConsoleTest, RegisterListAddsItsCode)
{
    startConsole();
    EXPECT_EQ(c()._->currentIndex(), 0);
    QTest::keyClicks(c().Memo_env, QStringLiteral("128"));
    const int brg = c().rowOfMnemonic(QStringLiteral("BRG"));
    c()._->setCurrentIndex(brg);
    emit c()._->activated(brg);
    EXPECT_EQ(c().commandBuffer(), QStringLiteral("128B"));
    EXPECT_EQ(c().Label1->text(), QStringLiteral("128B"));
    EXPECT_TRUE(c().Memo_env->toPlainText().endsWith(QStringLiteral("\n128B")));
    QTest::keyClick(c().Memo_env, Qt::Key_Return);
    EXPECT_EQ(sent(), QList<QByteArray>{"128B"});

    const int lock = c().rowOfMnemonic(QStringLiteral("LOCK"));
    QListWidgetItem* item = receptionList().item(lock);
    emit receptionList().itemClicked(item);
    EXPECT_EQ(c()._->currentIndex(), lock);
    QTest::keyClick(c().Memo_env, '0');
    emit receptionList().itemDoubleClicked(item);
    EXPECT_EQ(c().commandBuffer(), QStringLiteral("0yl"));

    // The wheel over the closed list picks nothing.
    QWheelEvent wheel(QPointF(5, 5), c()._->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(c()._, &wheel);
    EXPECT_EQ(c()._->currentIndex(), lock);
    EXPECT_EQ(c().commandBuffer(), QStringLiteral("0yl"));
}

// Left click sends the button's command; a right-button release asks for
// the description and then the command, and a cancel keeps what was there.
TEST_F(ConsoleTest, ProgrammableButtonsSendAndAreEdited)
{
    startConsole();
    QPushButton* b = c().BitBtn_ADBG[4];
    EXPECT_EQ(b->objectName(), QStringLiteral("BitBtn_ADBG_5"));
    b->click();
    EXPECT_TRUE(sent().isEmpty());

    ask.answers = {QStringLiteral("Luminosité 128"), QStringLiteral("128B")};
    QTest::mouseClick(b, Qt::RightButton);
    ASSERT_EQ(ask.asked.size(), 2);
    EXPECT_EQ(ask.asked[0].title, QStringLiteral("Entrer description d'addressage"));
    EXPECT_EQ(ask.asked[0].prompt, QString());
    EXPECT_EQ(ask.asked[0].initial, QStringLiteral("..@..> Click"));
    EXPECT_EQ(ask.asked[1].title, QStringLiteral("Entrer l'addresse et/ou la donnée"));
    EXPECT_EQ(ask.asked[1].prompt, QStringLiteral("Luminosité 128"));
    EXPECT_EQ(ask.asked[1].initial, QString());
    EXPECT_EQ(b->text(), QStringLiteral("Luminosité 128"));
    b->click();
    EXPECT_EQ(sent(), QList<QByteArray>{"128B"});

    ask.asked.clear();
    ask.answers = {std::nullopt, QStringLiteral("0B")};
    QTest::mouseClick(b, Qt::RightButton);
    EXPECT_EQ(ask.asked[1].initial, QStringLiteral("128B"));
    EXPECT_EQ(b->text(), QStringLiteral("Luminosité 128"));
    b->click();
    EXPECT_EQ(sent(), QList<QByteArray>{"0B"});

    // A right button released away from the button asks nothing.
    ask.asked.clear();
    QTest::mousePress(b, Qt::RightButton);
    QTest::mouseRelease(b, Qt::RightButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(ask.asked.isEmpty());
}

// A description or command the buttons file cannot hold (beyond Latin-1)
// is refused with a message and asked again.
TEST_F(ConsoleTest, ProgrammableButtonRefusesTextsTheFileCannotHold)
{
    startConsole();
    QPushButton* b = c().BitBtn_ADBG[2];
    ask.answers = {QStringLiteral("Gel ❄"), QStringLiteral("Gel é"), QStringLiteral("1Z ✓"), QStringLiteral("1Z")};
    QTest::mouseClick(b, Qt::RightButton);
    ASSERT_EQ(ask.asked.size(), 4);
    EXPECT_EQ(ask.asked[1].title, QStringLiteral("Entrer description d'addressage"));
    EXPECT_EQ(ask.asked[1].initial, QStringLiteral("..@..> Click")) << "asked again as at first";
    EXPECT_EQ(ask.asked[3].title, QStringLiteral("Entrer l'addresse et/ou la donnée"));
    EXPECT_EQ(ask.asked[3].initial, QString());
    ASSERT_EQ(ask.messages.size(), 2);
    EXPECT_TRUE(ask.messages[0].text.startsWith(QStringLiteral("\"Gel ❄\" cannot be stored"))) << ask.messages[0].text.toStdString();
    EXPECT_TRUE(ask.messages[1].text.startsWith(QStringLiteral("\"1Z ✓\" cannot be stored")));
    EXPECT_EQ(ask.messages[0].icon, Prompter::Icon::Warning);
    EXPECT_EQ(b->text(), QStringLiteral("Gel é"));
    EXPECT_EQ(b->toolTip(), QStringLiteral("1Z"));
    c().saveButtonsFile();
    EXPECT_TRUE(readFile(TForm_debug::buttonsFileName()).contains("desc3=Gel \xE9\r\nadon3=1Z\r\n"));
}

// What a button takes as its caption and its command: a control character
// (a line break above all, which would split the file's line and give
// another button a command) is refused as a character beyond Latin-1 is,
// with the same message, and asked again; the file written when the
// console closes then loads back with what was taken.
TEST_F(ConsoleTest, ButtonsRefuseControlCharactersAndTheFileLoadsBack)
{
    startConsole();
    c().show();
    const std::vector<EntryText> texts = entryTexts();
    ASSERT_LE(texts.size(), 26u);
    std::vector<std::pair<QString, QString>> buttons(26, {QStringLiteral("..@..> Click"), QString()});
    for (size_t i = 0; i < texts.size(); ++i) {
        const EntryText& t = texts[i];
        const QString caption = QStringLiteral("caption %1").arg(i), command = QStringLiteral("%1B").arg(i);
        ask.asked.clear();
        ask.messages.clear();
        ask.answers = t.taken ? QList<std::optional<QString>>{t.text, t.text}
                              : QList<std::optional<QString>>{t.text, caption, t.text, command};
        QTest::mouseClick(c().BitBtn_ADBG[i], Qt::RightButton);
        if (t.taken) {
            EXPECT_EQ(ask.asked.size(), 2) << t.what;
            EXPECT_TRUE(ask.messages.isEmpty()) << t.what;
            buttons[i] = {t.text, t.text};
        } else {
            ASSERT_EQ(ask.asked.size(), 4) << t.what;
            EXPECT_EQ(ask.asked[1].initial, QStringLiteral("..@..> Click")) << t.what << ": asked again as at first";
            EXPECT_EQ(ask.asked[3].initial, QString()) << t.what;
            ASSERT_EQ(ask.messages.size(), 2) << t.what;
            for (const auto& m : ask.messages) {
                EXPECT_EQ(m.text, TForm_debug::unstorableText(t.text)) << t.what;
                EXPECT_EQ(m.icon, Prompter::Icon::Warning) << t.what;
            }
            buttons[i] = {caption, command};
        }
        EXPECT_EQ(c().BitBtn_ADBG[i]->text(), buttons[i].first) << t.what;
        EXPECT_EQ(c().BitBtn_ADBG[i]->toolTip(), buttons[i].second) << t.what;
    }
    c().close();

    windows.reset();
    start();
    c().ensureContent();
    for (size_t i = 0; i < 26; ++i) {
        const char* what = i < texts.size() ? texts[i].what : "untouched";
        EXPECT_EQ(c().BitBtn_ADBG[i]->text(), buttons[i].first) << i + 1 << " " << what;
        EXPECT_EQ(c().BitBtn_ADBG[i]->toolTip(), buttons[i].second) << i + 1 << " " << what;
    }
}

// The buttons file is read only up to the read limit, so the buttons never
// hold more than it can: a caption or a command longer than its share is
// refused with a message and asked again. With every text at its bound,
// the file the console writes is read back whole.
TEST_F(ConsoleTest, ButtonTextsAreBoundSoTheFileStaysReadable)
{
    startConsole();
    c().show();
    const int bound = TForm_debug::ButtonTextMax;
    const auto text = [bound](char what, int n) {
        return QStringLiteral("%1%2").arg(QLatin1Char(what)).arg(n, 2, 10, QLatin1Char('0')).leftJustified(bound, QLatin1Char(what));
    };
    // What the platform's input box takes at most.
    const QString longest(32767, QLatin1Char('x'));
    for (int n = 1; n <= 26; ++n) {
        ask.asked.clear();
        ask.messages.clear();
        ask.answers = {longest, text('d', n) + QLatin1Char('d'), text('d', n), longest, text('a', n)};
        QTest::mouseClick(c().BitBtn_ADBG[size_t(n - 1)], Qt::RightButton);
        ASSERT_EQ(ask.asked.size(), 5) << n;
        EXPECT_EQ(ask.asked[4].initial, QString()) << "asked again as at first";
        ASSERT_EQ(ask.messages.size(), 3) << n;
        for (const auto& m : ask.messages) {
            EXPECT_EQ(m.title, QStringLiteral("DEBUG ZEPH3502"));
            EXPECT_EQ(m.icon, Prompter::Icon::Warning);
            EXPECT_TRUE(m.text.contains(QString::number(bound))) << m.text.left(200).toStdString();
        }
        EXPECT_EQ(c().BitBtn_ADBG[size_t(n - 1)]->text().size(), bound);
    }
    c().close();
    const QString file = TForm_debug::buttonsFileName();
    EXPECT_LE(QFileInfo(file).size(), MaxTextFileBytes);

    windows.reset();
    start();
    c().ensureContent();
    for (int n = 1; n <= 26; ++n) {
        EXPECT_EQ(c().BitBtn_ADBG[size_t(n - 1)]->text(), text('d', n)) << n;
        EXPECT_EQ(c().BitBtn_ADBG[size_t(n - 1)]->toolTip(), text('a', n)) << n;
    }
}

// A file made by hand may give a button more than its share. Its text is
// kept whole: written back when the whole file stays within the read limit,
// and otherwise the file is left as it was (readable) rather than replaced
// by one the next start would refuse, with a line in the traffic view.
TEST_F(ConsoleTest, ButtonsFileMadeByHandIsKeptWhole)
{
    const QString file = TForm_debug::buttonsFileName();
    struct Case {
        qsizetype length;
        bool writtenBack;
    };
    // Beyond the bound but small; and the largest file that is read, one
    // description filling it.
    for (const Case k : {Case{TForm_debug::ButtonTextMax + 1000, true},
                         Case{MaxTextFileBytes - qsizetype(sizeof("desc1=\r\n")) + 1, false}}) {
        SCOPED_TRACE(k.length);
        const QByteArray big(k.length, 'z');
        writeFile(file, "desc1=" + big + "\r\n");
        const QByteArray before = readFile(file);
        start();
        c().ensureContent();
        EXPECT_EQ(c().BitBtn_ADBG[0]->text().size(), k.length) << "read whole";
        w().close();  // the program ends: the buttons file is written
        const QStringList lines = shown();
        if (k.writtenBack) {
            EXPECT_TRUE(lines.isEmpty());
            const std::optional<QStringList> back = readTextLines(file);
            ASSERT_TRUE(back);
            ASSERT_EQ(back->size(), 52);
            EXPECT_EQ((*back)[0], "desc1=" + QString::fromLatin1(big));
        } else {
            ASSERT_EQ(lines.size(), 1);
            EXPECT_TRUE(lines[0].startsWith(QStringLiteral("*** ") + file)) << lines[0].toStdString();
            EXPECT_EQ(readFile(file), before) << "left as it was";
        }
        windows.reset();
        start();
        c().ensureContent();
        EXPECT_EQ(c().BitBtn_ADBG[0]->text(), QString::fromLatin1(big)) << "the next start reads it";
        windows.reset();
    }
}

// Every description and command makes the round trip through the file,
// written when the console closes, as 52 lines in order.
TEST_F(ConsoleTest, ButtonsFileRoundTrip)
{
    const QString title = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Zeph-Cedar remote control"));
    startConsole();
    c().show();
    for (int n = 1; n <= 26; ++n) {
        ask.answers = {QStringLiteral("bouton %1").arg(n), n % 2 ? QStringLiteral("%1B").arg(n) : QString()};
        QTest::mouseClick(c().BitBtn_ADBG[size_t(n - 1)], Qt::RightButton);
    }
    c().close();  // the window frame's close
    EXPECT_FALSE(c().isVisible());
    const QString file = QStringLiteral("debug Zeph-Cedar remote control.ini");
    const std::optional<QStringList> lines = readTextLines(file);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 52);
    for (int n = 1; n <= 26; ++n) {
        EXPECT_EQ((*lines)[2 * (n - 1)], QStringLiteral("desc%1=bouton %1").arg(n));
        EXPECT_EQ((*lines)[2 * (n - 1) + 1], QStringLiteral("adon%1=").arg(n) + (n % 2 ? QStringLiteral("%1B").arg(n) : QString()));
    }
    EXPECT_TRUE(readFile(file).endsWith("adon26=\r\n"));

    windows.reset();
    start();
    c().show();
    for (int n = 1; n <= 26; ++n) {
        EXPECT_EQ(c().BitBtn_ADBG[size_t(n - 1)]->text(), QStringLiteral("bouton %1").arg(n));
        EXPECT_EQ(c().BitBtn_ADBG[size_t(n - 1)]->toolTip(), n % 2 ? QStringLiteral("%1B").arg(n) : QString());
    }
    QCoreApplication::setApplicationName(title);
}

struct OddFile {
    const char* name;
    QByteArray content;
    // Buttons 1 to 3 afterwards: description and command.
    std::array<const char*, 6> buttons;
};

TEST_F(ConsoleTest, ButtonsFileWithOddContents)
{
    const QByteArray longValue(10000, 'x');
    const OddFile files[] = {
        {"one key only", "desc3=Reset\r\n", {"", "", "", "", "Reset", ""}},
        {"lines without =", "desc1=A\nnothing here\n\nadon1=1B\r", {"A", "1B", "", "", "", ""}},
        {"duplicates: the first wins", "desc2=first\ndesc2=second\nDESC2=third\nadon2=9D", {"", "", "first", "9D", "", ""}},
        {"= inside a value", "adon1=a=b\ndesc1= spaced ", {" spaced ", "a=b", "", "", "", ""}},
        {"long value", "desc1=" + longValue + "\nadon3=" + longValue, {longValue.constData(), "", "", "", "", longValue.constData()}},
    };
    const QString file = TForm_debug::buttonsFileName();
    for (const OddFile& f : files) {
        writeFile(file, f.content);
        start();
        c().ensureContent();
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(c().BitBtn_ADBG[size_t(n)]->text(), QString::fromLatin1(f.buttons[size_t(2 * n)])) << f.name << " " << n + 1;
            EXPECT_EQ(c().BitBtn_ADBG[size_t(n)]->toolTip(), QString::fromLatin1(f.buttons[size_t(2 * n + 1)])) << f.name << " " << n + 1;
        }
        EXPECT_TRUE(c().BitBtn_ADBG[25]->text().isEmpty()) << f.name;
        // What was read is what is written back.
        c().saveButtonsFile();
        const QStringList lines = readTextLines(file).value_or(QStringList());
        ASSERT_EQ(lines.size(), 52) << f.name;
        EXPECT_EQ(lines[0], QStringLiteral("desc1=") + QString::fromLatin1(f.buttons[0])) << f.name;
        windows.reset();
    }
    QFile::remove(file);
    start();
    c().ensureContent();
    EXPECT_EQ(c().BitBtn_ADBG[0]->text(), QStringLiteral("..@..> Click"));
    EXPECT_TRUE(c().BitBtn_ADBG[0]->toolTip().isEmpty());
}

// Edits made while the console is open are kept when the program ends.
TEST_F(ConsoleTest, ButtonsFileSavedWhenTheProgramEndsWithTheConsoleOpen)
{
    startConsole();
    c().show();
    ask.answers = {QStringLiteral("Gel"), QStringLiteral("1Z")};
    QTest::mouseClick(c().BitBtn_ADBG[0], Qt::RightButton);
    ASSERT_FALSE(QFile::exists(TForm_debug::buttonsFileName()));
    w().close();
    EXPECT_TRUE(c().isVisible());
    const QStringList lines = readTextLines(TForm_debug::buttonsFileName()).value_or(QStringList());
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[0], QStringLiteral("desc1=Gel"));
    EXPECT_EQ(lines[1], QStringLiteral("adon1=1Z"));

    // Closing the console by its frame hides it, and saves too (Escape does
    // not hide it: it has no Cancel button).
    QFile::remove(TForm_debug::buttonsFileName());
    c().close();
    EXPECT_FALSE(c().isVisible());
    EXPECT_TRUE(QFile::exists(TForm_debug::buttonsFileName()));
}

// A console never opened keeps the operator's buttons: the program's end
// writes back what was read, byte for byte, and a programmed command goes
// out as it would from the button; none of it builds the controls.
TEST_F(ConsoleTest, NeverShownConsoleKeepsItsButtonsFile)
{
    QByteArray content;
    for (int n = 1; n <= 26; ++n)
        content += "desc" + QByteArray::number(n) + "=Luminosit\xE9 " + QByteArray::number(n) + "\r\nadon" +
                   QByteArray::number(n) + "=" + (n % 3 ? QByteArray::number(n) + "B" : QByteArray()) + "\r\n";
    const QString file = TForm_debug::buttonsFileName();
    writeFile(file, content);
    startLink();
    c().BitBtn_ADBGClick(2);
    c().BitBtn_ADBGClick(3);  // no command
    EXPECT_EQ(sent(), QList<QByteArray>{"2B"});
    QFile::remove(file);
    w().close();
    EXPECT_EQ(readFile(file), content);
    EXPECT_EQ(c().findChild<QPushButton*>(QStringLiteral("BitBtn_ADBG_1")), nullptr);

    // Opened afterwards, the buttons show the same.
    c().show();
    EXPECT_EQ(c().BitBtn_ADBG[1]->text(), QStringLiteral("Luminosité 2"));
    EXPECT_EQ(c().BitBtn_ADBG[1]->toolTip(), QStringLiteral("2B"));
    EXPECT_TRUE(c().BitBtn_ADBG[2]->toolTip().isEmpty());
}

// A buttons file refused for its kind or size is not read (a FIFO does not
// hold the start): the buttons keep their design. When the console closes
// the thing is moved aside whole, and the new file takes its place.
TEST_F(ConsoleTest, RefusedButtonsFileIsMovedAsideWhenTheConsoleCloses)
{
    const QString file = TForm_debug::buttonsFileName();
    const QString bak = backupName(file, 0);
    const qint64 big = MaxTextFileBytes + 1;
    for (const bool fifo : {true, false}) {
        if (fifo)
            makeFifo(file);
        else
            makeSparse(file, "desc1=Reset\r\nadon1=1Z\r\n", big);
        start();
        c().show();
        EXPECT_EQ(c().BitBtn_ADBG[0]->text(), QStringLiteral("..@..> Click")) << fifo;
        EXPECT_TRUE(c().BitBtn_ADBG[0]->toolTip().isEmpty()) << fifo;
        c().close();
        EXPECT_TRUE(fifo ? isFifo(bak) : QFileInfo(bak).size() == big) << fifo;
        EXPECT_EQ(readTextLines(file).value_or(QStringList()).size(), 52) << fifo;
        windows.reset();
        QFile::remove(file);
        QFile::remove(bak);
    }
}

// The console's table: 137 rows in their own order, "Z" twice, and, where
// a row names a register of the device link, the same command code (but
// for the scaler video checksum, which the console asks with "xv").
TEST_F(ConsoleTest, RegisterTableIntegrity)
{
    start();
    c().show();
    ASSERT_EQ(int(c().codeTable().size()), 137);
    ASSERT_EQ(c()._->count(), 137);
    ASSERT_EQ(receptionList().count(), 137);
    EXPECT_EQ(c().codeTable().front(), QStringLiteral("#"));
    EXPECT_EQ(c().mnemonicTable().back(), QStringLiteral("ADIP"));
    EXPECT_EQ(std::count(c().codeTable().begin(), c().codeTable().end(), QStringLiteral("Z")), 2);

    std::set<std::string> ownRows, missing;
    std::set<std::string> covered;
    for (int r = 0; r < 137; ++r) {
        const QString& code = c().codeTable()[size_t(r)];
        const QString& m = c().mnemonicTable()[size_t(r)];
        EXPECT_EQ(code, QString::fromLatin1(ConsoleRows[size_t(r)].code)) << r;
        EXPECT_EQ(m, QString::fromLatin1(ConsoleRows[size_t(r)].mnemonic)) << r;
        EXPECT_EQ(receptionList().item(r)->text(), code + QStringLiteral("->") + m);
        EXPECT_TRUE(c().rowTicked(r));
        EXPECT_GT(QString::fromUtf8(ConsoleRows[size_t(r)].description).size(), 4) << r;
        uint32_t v = 0;
        const std::string reply = m.toStdString();
        const int reg = zeph::matchReply(reply, v);
        if (reg < 0 || zeph::Registers[size_t(reg)].reply != reply) {
            ownRows.insert(reply);
            continue;
        }
        covered.insert(reply);
        if (reply != "V_") {
            EXPECT_EQ(code.toStdString(), zeph::Registers[size_t(reg)].command) << reply;
        }
    }
    for (const zeph::RegisterInfo& r : zeph::Registers)
        if (!covered.count(std::string(r.reply))) missing.insert(std::string(r.name));
    EXPECT_EQ(ownRows, (std::set<std::string>{"VERR", "+", "-", "LMPL", "ZAPP"}));
    EXPECT_EQ(missing, (std::set<std::string>{"EISP", "STDBYEN", "MESSON", "MESSOFF", "STDBY", "MESSRATE", "MESSCTRL",
                                              "MESSREAD", "STDBM", "AUTOFRAME"}));
    EXPECT_EQ(c()._->itemText(c().rowOfMnemonic(QStringLiteral("LFD"))).section(QLatin1Char(' '), 0, 0), QStringLiteral("Lf"));
    EXPECT_TRUE(c()._->itemText(c().rowOfMnemonic(QStringLiteral("LFD"))).endsWith(QStringLiteral("Durée du fade frame x100ms")));
}

}  // namespace
