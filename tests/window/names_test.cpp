// The renamable labels: the renaming questions, what repeats the names,
// the input buttons' popup and hints, and "Default".
#include "entry_texts.h"
#include "inputs_fixture.h"

#include <QMenu>

#include <functional>

namespace {

// --- how long a name may be ---------------------------------------------------

struct NameCase {
    const char* what;
    std::vector<std::optional<QString>> answers;
    int questions;
    const char* caption;  // input 3's caption afterwards
    // Answers refused with a message: the file could not hold them.
    std::vector<const char*> unstorable = {};
};

class NameLengths : public InputsPage, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameLengths, AskedAgainUntilTheNameFits)
{
    const NameCase& c = GetParam();
    for (const auto& a : c.answers) naming.answers << a;
    action("Input3")->trigger();
    ASSERT_EQ(naming.questions.size(), c.questions);
    for (const auto& q : naming.questions) {
        EXPECT_EQ(q.title, QStringLiteral("Change the button' label INPUT 3"));
        EXPECT_EQ(q.prompt, QStringLiteral("Enter a new label (10 characters maximum)"));
        EXPECT_EQ(q.initial, QStringLiteral("Input 3")) << "the old name every time";
    }
    EXPECT_EQ(w().label_input[2]->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(in().Label_input_[2]->text(), QString::fromUtf8(c.caption));
    EXPECT_TRUE(sent.isEmpty()) << "renaming writes no register";
    ASSERT_EQ(naming.messages.size(), qsizetype(c.unstorable.size()));
    for (size_t i = 0; i < c.unstorable.size(); ++i) {
        EXPECT_EQ(naming.messages[qsizetype(i)].text, names::unstorableName(QString::fromUtf8(c.unstorable[i])));
        EXPECT_TRUE(naming.messages[qsizetype(i)].text.startsWith(QLatin1Char('"') + QString::fromUtf8(c.unstorable[i])));
        EXPECT_EQ(naming.messages[qsizetype(i)].icon, Prompter::Icon::Warning);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameLengths,
    ::testing::Values(NameCase{"ten", {QStringLiteral("Camera 10!")}, 1, "Camera 10!"},
                      NameCase{"eleven", {QStringLiteral("Camera 11!!"), QStringLiteral("Cam")}, 2, "Cam"},
                      NameCase{"tenWide", {QStringLiteral("Kaméra éé!")}, 1, "Kaméra éé!"},
                      NameCase{"empty", {QString(), QStringLiteral("x")}, 2, "x"},
                      NameCase{"blank", {QStringLiteral("   "), QStringLiteral(" y ")}, 2, " y "},
                      NameCase{"cancel", {std::nullopt}, 1, "Input 3"},
                      NameCase{"longThenCancel", {QStringLiteral("a very long name"), std::nullopt}, 2, "Input 3"},
                      NameCase{"beyondLatin1", {QStringLiteral("Caméra ★"), QStringLiteral("Caméra 2")}, 2, "Caméra 2", {"Caméra ★"}},
                      NameCase{"cyrillicThenCancel", {QStringLiteral("Камера"), std::nullopt}, 2, "Input 3", {"Камера"}},
                      NameCase{"euroSign", {QStringLiteral("10 €"), QStringLiteral("10 EUR")}, 2, "10 EUR", {"10 €"}}),
    [](const testing::TestParamInfo<NameCase>& i) { return std::string(i.param.what); });

// A name longer than the box takes (from a file) can still be cancelled.
TEST_F(InputsPage, LongNameFromAFileCanBeKeptByCancel)
{
    w().label_input[0]->setText(QStringLiteral("Fifteen letters"));
    naming.answers << QStringLiteral("Twelve chars") << std::nullopt;
    nm().renameInput(1);
    EXPECT_EQ(naming.questions.size(), 2);
    EXPECT_EQ(w().label_input[0]->text(), QStringLiteral("Fifteen letters"));
}

// --- what repeats the names ------------------------------------------------------

TEST_F(InputsPage, InputNameSpreadsToUsedBoxInputOnOutputAndReferenceList)
{
    replies({"CH2", "REFR4"});
    ASSERT_EQ(in().reference().combo_refreq->count(), 9);
    naming.answers << QStringLiteral("Studio");
    action("Input2")->trigger();
    EXPECT_EQ(in().Label_input_[1]->text(), QStringLiteral("Studio"));
    EXPECT_EQ(in().status().Label_ICHM->text(), QStringLiteral("Studio"));
    EXPECT_EQ(in().reference().combo_refreq->itemText(2), QStringLiteral("Follow  Studio"));
    EXPECT_EQ(in().reference().combo_refreq->itemText(0), QStringLiteral("Internal reference"));
    EXPECT_EQ(in().reference().combo_refreq->currentIndex(), 4) << "the reference chosen stays";
    // The input on the output follows the reports; one that names no
    // input leaves the label as it is.
    replies({"CH5"});
    EXPECT_EQ(in().status().Label_ICHM->text(), QStringLiteral("Input 5"));
    replies({"CH0"});
    EXPECT_EQ(in().status().Label_ICHM->text(), QStringLiteral("Input 5"));
    // Four inputs: the reference list holds the first four.
    w().state.fourInputs = true;
    names::rename(w());
    EXPECT_EQ(in().reference().combo_refreq->count(), 5);
}

TEST_F(InputsPage, AudioNameReachesItsButton)
{
    naming.answers << QStringLiteral("Mics");
    action("Audio2")->trigger();
    ASSERT_EQ(naming.questions.size(), 1);
    EXPECT_EQ(naming.questions[0].title, QStringLiteral("Change the button' label AUDIO 2"));
    EXPECT_EQ(naming.questions[0].initial, QStringLiteral("Audio 2"));
    EXPECT_EQ(w().Label_audio[1]->text(), QStringLiteral("Mics"));
}

// The frame and the logos: every logo list and the store list, unless the
// slot is reported empty; then the name waits in the names table.
TEST_F(InputsPage, LogoNameSpreadsUnlessTheSlotIsEmpty)
{
    naming.answers << QStringLiteral("Backdrop") << QStringLiteral("Sponsor");
    action("Frame")->trigger();
    action("Logo3")->trigger();
    ASSERT_EQ(naming.questions.size(), 2);
    EXPECT_EQ(naming.questions[0].title, QStringLiteral("Change the button' label Frame"));
    EXPECT_EQ(naming.questions[1].title, QStringLiteral("Change the button' label Logo 3"));
    EXPECT_EQ(naming.questions[1].initial, QStringLiteral("Logo 3"));
    for (QComboBox* c : logos().assignment().new_Combologo) {
        EXPECT_EQ(c->itemText(1), QStringLiteral("Backdrop"));
        EXPECT_EQ(c->itemText(4), QStringLiteral("Sponsor"));
    }
    for (QComboBox* c : logos().assignment().LINDEX2_Combologo) EXPECT_EQ(c->itemText(4), QStringLiteral("Sponsor"));
    EXPECT_EQ(logos().ComboBox_lstore->itemText(2), QStringLiteral("Sponsor"));

    // Slot 5 ("Logo 4") reported empty, as the logo family shows it.
    for (QComboBox* c : logos().assignment().new_Combologo) c->setItemText(5, QStringLiteral("Empty"));
    naming.answers << QStringLiteral("Clock");
    action("Logo4")->trigger();
    EXPECT_EQ(logos().assignment().new_Combologo[0]->itemText(5), QStringLiteral("Empty"));
    EXPECT_EQ(logos().assignment().LINDEX2_Combologo[0]->itemText(5), QStringLiteral("Logo 4"));
    EXPECT_EQ(w().state.Logo_names[5], QStringLiteral("Clock"));
    // Reported full again: the name shows.
    for (QComboBox* c : logos().assignment().new_Combologo) c->setItemText(5, w().state.Logo_names[5]);
    names::logorename(w(), 5);
    EXPECT_EQ(logos().assignment().LINDEX2_Combologo[7]->itemText(5), QStringLiteral("Clock"));
}

// Every renaming question refuses what the file cannot hold, and the file
// gets the name that was taken instead of a "?".
TEST_F(InputsPage, NamesBeyondLatin1AreRefusedAtEntry)
{
    for (const char* item : {"Audio2", "Frame", "Logo8"}) {
        naming.answers << QStringLiteral("Star ★") << QStringLiteral("Star");
        action(item)->trigger();
    }
    EXPECT_EQ(naming.questions.size(), 6);
    EXPECT_EQ(naming.messages.size(), 3);
    EXPECT_EQ(w().Label_audio[1]->text(), QStringLiteral("Star"));
    w().close();
    const QByteArray file = readFile(QStringLiteral("zeph350.ini"));
    for (const char* line : {"\r\n10=Star\r\n", "\r\n18=Star\r\n", "\r\n26=Star\r\n"})
        EXPECT_TRUE(file.contains(line)) << line;
    EXPECT_FALSE(file.contains('?'));
}

// What a label takes, through every kind of renaming item: a control
// character (a line break above all, which would split the file's line)
// is refused as a character beyond Latin-1 is, with the same message, and
// asked again; the file written at exit then loads whole at the next start.
TEST_F(InputsPage, LabelsRefuseControlCharactersAndTheFileLoadsBack)
{
    struct Item {
        QString action;
        std::function<QString()> name;
    };
    std::vector<Item> items;
    for (int n = 1; n <= 8; ++n) {
        items.push_back({QStringLiteral("Input%1").arg(n), [this, n] { return w().label_input[size_t(n - 1)]->text(); }});
        items.push_back({QStringLiteral("Audio%1").arg(n), [this, n] { return w().Label_audio[size_t(n - 1)]->text(); }});
    }
    items.push_back({QStringLiteral("Frame"), [this] { return w().state.Logo_names[1]; }});
    for (int n = 1; n <= 8; ++n)
        items.push_back({QStringLiteral("Logo%1").arg(n), [this, n] { return w().state.Logo_names[size_t(n + 1)]; }});

    const std::vector<EntryText> texts = entryTexts();
    ASSERT_LE(texts.size(), items.size());
    std::vector<QString> names;
    for (size_t i = 0; i < texts.size(); ++i) {
        const EntryText& t = texts[i];
        const QString instead = QStringLiteral("Other %1").arg(i);
        naming.questions.clear();
        naming.messages.clear();
        naming.answers = {t.text, instead};
        action(items[i].action.toLatin1().constData())->trigger();
        if (t.taken) {
            EXPECT_EQ(naming.questions.size(), 1) << t.what;
            EXPECT_TRUE(naming.messages.isEmpty()) << t.what;
            names.push_back(t.text);
        } else {
            ASSERT_EQ(naming.questions.size(), 2) << t.what;
            EXPECT_EQ(naming.questions[1].initial, naming.questions[0].initial) << t.what << ": the old name again";
            ASSERT_EQ(naming.messages.size(), 1) << t.what;
            EXPECT_EQ(naming.messages[0].text, names::unstorableName(t.text)) << t.what;
            EXPECT_EQ(naming.messages[0].icon, Prompter::Icon::Warning) << t.what;
            names.push_back(instead);
        }
        EXPECT_EQ(items[i].name(), names.back()) << t.what;
        naming.answers.clear();
    }
    action("COM3")->trigger();
    w().close();

    windows.reset();
    start();
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(items[i].name(), names[i]) << texts[i].what;
    EXPECT_EQ(z().Port(), QStringLiteral("COM3")) << "the file was read";
}

// --- the input buttons' popup, hints and "Default" ---------------------------------------

TEST_F(InputsPage, PopupActsOnTheButtonItWasOpenedOn)
{
    EXPECT_EQ(nm().popupTag(), 0);
    nm().all_Used->trigger();  // never opened: no input to act on
    EXPECT_TRUE(sent.isEmpty());
    nm().all_PopupMenuPopup(w().label_input[6]);
    nm().all_PopupMenuPopup(w().Label__black);  // elsewhere: the tag stays
    EXPECT_EQ(nm().popupTag(), 7);
    naming.answers << QStringLiteral("Laptop");
    nm().all_Rename->trigger();
    ASSERT_EQ(naming.questions.size(), 1);
    EXPECT_EQ(naming.questions[0].title, QStringLiteral("Change the button' label INPUT 7"));
    EXPECT_EQ(w().label_input[6]->text(), QStringLiteral("Laptop"));
    replies({"PCH7", "PEN0"});
    nm().all_Used->trigger();
    EXPECT_EQ(sent, (QStringList{"7PC", "1PE"}));
    QStringList items;
    for (QAction* a : nm().all_PopupMenu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{"Input unused", "-", "Rename"}));
    EXPECT_EQ(w().label_input[0]->contextMenuPolicy(), Qt::CustomContextMenu);
}

// Each input button's hint names the frame or logo of its two layers, and
// follows the logo rows as they are drawn.
TEST_F(InputsPage, HintsNameTheLogoOfEachLayer)
{
    for (QToolButton* b : w().label_input)
        EXPECT_EQ(b->toolTip(), QStringLiteral("1: LOGO : None\n2: LOGO : None")) << "built at start";
    replies({"PCH3", "LIND1"});
    w().state.perInput.LPLOGO.store(3, 1, 1);
    in().Tableau_input(50);
    EXPECT_EQ(w().label_input[2]->toolTip(), QStringLiteral("1: LOGO : None\n2: FRAME : Frame"));
    replies({"LIND0"});
    w().state.perInput.LPLOGO.store(3, 0, 6);
    in().Tableau_input(50);
    EXPECT_EQ(w().label_input[2]->toolTip(), QStringLiteral("1: LOGO : Logo 5\n2: FRAME : Frame"));
    EXPECT_EQ(w().label_input[3]->toolTip(), QStringLiteral("1: LOGO : None\n2: LOGO : None"));
    // A layer that does not exist draws no list.
    replies({"LIND2"});
    w().state.perInput.LPLOGO.store(3, 2, 2);
    in().Tableau_input(50);
    EXPECT_EQ(logos().assignment().new_Combologo[2]->currentIndex(), 6);
    EXPECT_EQ(logos().assignment().LINDEX2_Combologo[2]->currentIndex(), 1);
}

// "Default" brings every caption and logo name back and keeps the link.
TEST_F(InputsPage, DefaultRestoresNamesAndKeepsTheLink)
{
    action("COM3")->trigger();
    for (QAbstractButton* b : w().state.renamable) b->setText(QStringLiteral("x"));
    for (QString& n : w().state.Logo_names) n = QStringLiteral("y");
    names::rename(w());
    names::spreadLogoNames(w());
    w().state.fourInputs = true;  // a four-input model hides inputs 5 to 8
    action("Default1")->trigger();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w().label_input[size_t(i)]->text(), QStringLiteral("Input %1").arg(i + 1));
        EXPECT_EQ(w().Label_audio[size_t(i)]->text(), QStringLiteral("Audio %1").arg(i + 1));
        EXPECT_EQ(in().Label_input_[size_t(i)]->text(), QStringLiteral("Input %1").arg(i + 1));
    }
    EXPECT_EQ(w().state.Logo_names[0], QStringLiteral("None"));
    EXPECT_EQ(w().state.Logo_names[1], QStringLiteral("Frame"));
    EXPECT_EQ(w().state.Logo_names[9], QStringLiteral("Logo 8"));
    EXPECT_EQ(logos().assignment().new_Combologo[4]->itemText(9), QStringLiteral("Logo 8"));
    EXPECT_EQ(logos().ComboBox_lstore->itemText(0), QStringLiteral("Logo 1"));
    EXPECT_EQ(in().reference().combo_refreq->itemText(1), QStringLiteral("Follow  Input 1"));
    EXPECT_EQ(z().Port(), QStringLiteral("COM3"));
    EXPECT_TRUE(action("COM3")->isChecked());
    EXPECT_FALSE(QFile::exists(scratch.path(QStringLiteral("zeph350.ini")))) << "written at exit only";
}

}  // namespace
