// The model table and the window fitted to each model: what each model
// shows, its texts and the places of its controls, the test-pattern rules,
// the reference list cut and restored, laying out once per model, hiding
// the page in view, and that no control of the window covers another.
#include "page_fixture.h"

#include "about.h"
#include "gfx_shapecontrol.h"
#include "hd15.h"
#include "model_layout.h"
#include "output_controller.h"
#include "radio_group.h"
#include "real_input.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <map>

namespace Reg = zeph::Reg;

namespace {

// What a model shows, by groups of controls (a few names of each group).
struct Shows {
    bool inputs58, audio58, mic, fastSeam, logoItems, vide, logos, effects, alignment, standby;
};
const std::map<std::string, QStringList> kGroups = {
    {"inputs58",
     {"label_input5", "label_input8", "Label_input_6", "CheckBox_PProc_pchan_7", "ComboBox_signaltype8",
      "ComboBox_standard5", "GfxRadioButton_HiZ8", "Input5", "Input8"}},
    {"audio58", {"Label_audio5", "ScrollBar_audio8", "Edit_audio_6", "ScrollBar_balance_7", "Edit_balance_8", "Audio5"}},
    {"mic", {"Label18", "Bevel9", "Label1", "ScrollBar_tone", "Edit_tone", "RadioGroup_mic_compression",
             "RadioGroup_mic_noise_gate"}},
    {"fastSeam", {"RadioGroup_fast_seam"}},
    {"logoItems", {"Logo1", "Logo8", "Frame"}},
    {"vide", {"vide1", "vide5"}},
    {"logos", {"new_logos", "new_Panel1", "Frame1", "AutoFrame1"}},
    {"effects", {"Effects", "GfxShapeControl_effects", "StaticText_effect", "SpeedButton_cut", "SpeedButton_title"}},
    {"alignment", {"BitBtn_alignment"}},
    {"standby", {"N12", "Standbymode"}},
    {"always", {"TabSheet_input", "TabSheet_output", "TabSheet_image", "TabSheet_audio", "FadeColor_et_Frame", "Color1",
                "CleanCut1"}},
};

// One model's row: the model table, the shown groups, the texts, and the
// places the layout gives.
struct ModelCase {
    uint32_t dev;
    const char* product;
    int about;
    const char* hd15;
    Shows shows;
    bool hints;      // the input buttons tell their logo assignments
    int references;  // items of combo_refreq
    int panel;       // height of the top panel
    int pagesTop;    // top of the page control
    QRect input1, input4;
    QRect refreq, aspect;
    int inputGroupTop, inputGroupHeight;
    int audioGroupTop, audioGroupHeight, audioRow1, audioRow4;
    int masterLabel, masterBar, masterWidth;
    int pleaseWait;
};

constexpr Shows kFir18{true, true, true, true, true, false, false, false, false, false};
constexpr Shows kElm21{true, true, true, true, true, true, true, false, true, false};
constexpr Shows kBirch22{true, true, true, true, true, false, false, true, true, false};
constexpr Shows kAsh23{true, true, true, true, true, true, true, true, true, false};
constexpr Shows kFir25{true, true, true, true, true, false, false, false, true, false};
constexpr Shows kOak26{false, false, false, false, false, false, false, false, true, true};

const char* const Hd15Eight = "HD15 PIN ASSIGNMENT (INPUT #1 to #8)";
const QRect EightRef(104, 52, 169, 21), EightAspect(104, 72, 169, 17);

const ModelCase kModels[] = {
    {18, "Zeph-Fir", 0, Hd15Eight, kFir18, false, 9, 44, 67, {4, 5, 76, 33}, {252, 5, 76, 33}, EightRef, EightAspect,
     8, 314, 11, 222, 54, 116, 208, 260, 333, 217},
    {21, "Zeph-Elm", 1, Hd15Eight, kElm21, true, 9, 107, 130, {4, 5, 76, 33}, {252, 5, 76, 33}, EightRef, EightAspect,
     8, 314, 11, 222, 54, 116, 208, 260, 333, 261},
    {22, "Zeph-Birch", 2, Hd15Eight, kBirch22, false, 9, 44, 67, {4, 5, 76, 33}, {252, 5, 76, 33}, EightRef,
     EightAspect, 8, 314, 11, 222, 54, 116, 404, 456, 137, 217},
    {23, "Zeph-Ash", 3, Hd15Eight, kAsh23, true, 9, 107, 130, {4, 5, 76, 33}, {252, 5, 76, 33}, EightRef, EightAspect,
     8, 314, 11, 222, 54, 116, 404, 456, 137, 261},
    {25, "Zeph-Fir", 0, Hd15Eight, kFir25, false, 9, 44, 67, {4, 5, 76, 33}, {252, 5, 76, 33}, EightRef, EightAspect,
     8, 314, 11, 222, 54, 116, 208, 260, 333, 217},
    {26, "Zeph-Oak", 4, "HD15 PIN ASSIGNMENT (INPUT #1 to #4)", kOak26, false, 5, 44, 67, {4, 5, 140, 33},
     {516, 5, 140, 33}, {24, 52, 249, 21}, {24, 72, 249, 17}, 81, 157, 80, 126, 114, 176, 208, 260, 333, 217},
};

class ModelLayout : public PageTest {
protected:
    ModelLayoutController& layout() { return w().modelLayout(); }
    QWidget* client() { return w().centralWidget(); }

    void model(uint32_t dev) { reply(Reg::DEV, dev); }

    // Whether the control of that name is shown: a page by its tab, a menu
    // item, or a widget not hidden (on a page not in view as well).
    bool shown(const QString& name)
    {
        QTabWidget* pages = w().PageControl1;
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->objectName() == name) return pages->isTabVisible(i);
        if (auto* c = client()->findChild<QWidget*>(name)) return !c->isHidden();
        if (auto* a = w().findChild<QAction*>(name)) return a->isVisible();
        ADD_FAILURE() << "no control " << name.toStdString();
        return false;
    }
    QWidget* widget(const char* name) { return client()->findChild<QWidget*>(QString::fromLatin1(name)); }
    QRect geometry(const char* name)
    {
        QWidget* c = widget(name);
        EXPECT_NE(c, nullptr) << name;
        return c ? c->geometry() : QRect();
    }
    QComboBox* references() { return find<QComboBox>("combo_refreq"); }
    QStringList referenceItems()
    {
        QStringList items;
        for (int i = 0; i < references()->count(); ++i) items << references()->itemText(i);
        return items;
    }
    // Whether hovering over an input button shows its hint (a new one each
    // time, so that a tip still fading out does not count).
    bool hintShows(QWidget* button)
    {
        static int n = 0;
        const QString hint = QStringLiteral("hint %1").arg(++n);
        button->setToolTip(hint);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(button, &help);
        const bool shows = QToolTip::isVisible() && QToolTip::text() == hint;
        QToolTip::hideText();
        return shows;
    }

    // Everything the layout can change, to tell that a layout changed nothing.
    QStringList snapshot()
    {
        QStringList lines;
        for (QWidget* c : client()->findChildren<QWidget*>()) {
            if (c->objectName().isEmpty()) continue;
            const QRect r = c->geometry();
            lines << QStringLiteral("%1 %2 %3,%4 %5x%6")
                         .arg(c->objectName())
                         .arg(c->isHidden())
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height());
        }
        for (QAction* a : w().findChildren<QAction*>())
            if (!a->objectName().isEmpty()) lines << a->objectName() + (a->isVisible() ? " shown" : " hidden");
        for (int i = 0; i < w().PageControl1->count(); ++i)
            lines << QStringLiteral("tab %1 %2").arg(i).arg(w().PageControl1->isTabVisible(i));
        lines << referenceItems() << QString::number(client()->height());
        return lines;
    }

    // No two shown controls among `controls` overlap (positions taken in
    // `root`), except a frame with the controls it frames, and each lies
    // within `bounds`.
    void expectNoOverlap(QWidget* root, const QRect& bounds, const QList<QWidget*>& controls, const char* where)
    {
        const std::map<QString, QStringList> frames = {
            {QStringLiteral("GfxDrawEdge1"), {QStringLiteral("GfxGraphicLabel1")}},
            {QStringLiteral("GfxShapeControl_effects"),
             {QStringLiteral("StaticText_effect"), QStringLiteral("SpeedButton_cut"), QStringLiteral("SpeedButton_fade"),
              QStringLiteral("SpeedButton_title")}},
        };
        auto framed = [&](QWidget* a, QWidget* b) {
            const auto f = frames.find(a->objectName());
            return f != frames.end() && f->second.contains(b->objectName());
        };
        QList<QWidget*> shownControls;
        for (QWidget* c : controls)
            if (!c->isHidden() && !c->objectName().isEmpty() && c->width() > 0) shownControls << c;
        for (qsizetype i = 0; i < shownControls.size(); ++i) {
            QWidget* a = shownControls[i];
            const QRect ra(a->mapTo(root, QPoint(0, 0)), a->size());
            EXPECT_TRUE(bounds.contains(ra)) << where << ": " << a->objectName().toStdString() << " outside";
            for (qsizetype j = i + 1; j < shownControls.size(); ++j) {
                QWidget* b = shownControls[j];
                const QRect rb(b->mapTo(root, QPoint(0, 0)), b->size());
                if (framed(a, b) || framed(b, a)) continue;
                EXPECT_FALSE(ra.intersects(rb)) << where << ": " << a->objectName().toStdString() << " covers "
                                                << b->objectName().toStdString();
            }
        }
    }
    void expectNothingCovered(uint32_t dev)
    {
        const std::string where = "model " + std::to_string(dev);
        // The window's own rows (top panel, the row below it, the pages and
        // the status line). The please-wait panel floats over the pages.
        QList<QWidget*> rows;
        for (QObject* o : client()->children())
            if (auto* c = qobject_cast<QWidget*>(o); c && c != w().BitBtn_initial_please) rows << c;
        expectNoOverlap(client(), client()->rect(), rows, where.c_str());
        // The "Audio" page: its rows and the buttons of its group box.
        QList<QWidget*> audio;
        QWidget* group = widget("GroupBox7");
        for (QObject* o : w().audioPage->children())
            if (auto* c = qobject_cast<QWidget*>(o); c && c != group) audio << c;
        for (QObject* o : group->children())
            if (auto* c = qobject_cast<QWidget*>(o)) audio << c;
        // (A page not in view keeps its size of before; the one in view has
        // the size of every page.)
        expectNoOverlap(w().audioPage, w().PageControl1->currentWidget()->rect(), audio, (where + " audio").c_str());
    }
};

}  // namespace

// The row under the input buttons on the models with effects: the effect
// buttons and the caption lie inside the frame's body, side by side, and
// the master volume's two lines are whole.
TEST_F(ModelLayout, EffectStripFitsItsFrame)
{
    auto* frame = dynamic_cast<TGfxShapeControl*>(widget("GfxShapeControl_effects"));
    ASSERT_NE(frame, nullptr);
    QWidget* caption = widget("StaticText_effect");
    QWidget* label = widget("Label17");
    for (uint32_t dev : {22u, 23u, 21u}) {
        model(dev);
        const std::string where = "model " + std::to_string(dev);
        const QSize text = label->sizeHint();
        EXPECT_GE(label->height(), text.height()) << where << ": \"Master volume :\" clipped";
        EXPECT_GE(label->width(), text.width()) << where;
        if (dev == 21) continue;  // no effects
        const int room = frame->Shadow().Room();
        const QRect body = frame->geometry().adjusted(0, 0, -room, -room);
        QRect before = caption->geometry();
        EXPECT_TRUE(body.contains(caption->geometry())) << where << ": the caption leaves the frame";
        EXPECT_GE(caption->height(), caption->sizeHint().height()) << where;
        for (const char* name : {"SpeedButton_cut", "SpeedButton_fade", "SpeedButton_title"}) {
            const QRect b = widget(name)->geometry();
            EXPECT_TRUE(body.contains(b)) << where << ": " << name << " hangs out of the frame's body";
            EXPECT_FALSE(b.intersects(before)) << where << ": " << name << " overlaps what is left of it";
            before = b;
        }
    }
}

// Every model in turn, each after a quite different one, then codes without
// a row of their own: the model table, what is shown, the texts and places.
TEST_F(ModelLayout, EachModelGetsItsRow)
{
    auto* about = windows->About_zeph_350.get();
    auto* hd15 = windows->Form_HD15_PIN_ASSIGNEMENT.get();
    auto* aspect = find<QTabBar>("TabSet_IASPR");
    // Shown, so that the pages have their real size.
    w().show();
    QApplication::processEvents();
    for (uint32_t dev : {26u, 18u, 23u, 21u, 25u, 22u, 26u}) {
        const ModelCase& m = *std::find_if(std::begin(kModels), std::end(kModels), [dev](const ModelCase& c) { return c.dev == dev; });
        SCOPED_TRACE("model " + std::to_string(dev));
        model(dev);
        EXPECT_EQ(w().state.productName, m.product);
        EXPECT_EQ(about->ShownPicture(), m.about);
        EXPECT_EQ(hd15->windowTitle(), m.hd15);
        EXPECT_EQ(w().windowTitle(), QString::fromLatin1(m.product) + " remote control  Port: COM1");

        const std::map<std::string, bool> groups = {
            {"inputs58", m.shows.inputs58}, {"audio58", m.shows.audio58},     {"mic", m.shows.mic},
            {"fastSeam", m.shows.fastSeam}, {"logoItems", m.shows.logoItems}, {"vide", m.shows.vide},
            {"logos", m.shows.logos},       {"effects", m.shows.effects},     {"alignment", m.shows.alignment},
            {"standby", m.shows.standby},   {"always", true},
        };
        for (const auto& [group, expected] : groups)
            for (const QString& name : kGroups.at(group)) EXPECT_EQ(shown(name), expected) << group << " " << name.toStdString();
        // The reference lists: the input list is shown on 26, the computer
        // list goes; elsewhere the switching mode decides (FAST here).
        EXPECT_TRUE(shown(QStringLiteral("combo_refreq")));
        EXPECT_EQ(shown(QStringLiteral("ComboBox_seamless_computer")), false);

        // Texts.
        const bool four = dev == 26;
        EXPECT_EQ(aspect->tabText(0), four ? QStringLiteral("Output   4/3") + QString(15, ' ') : "Output   4/3");
        EXPECT_EQ(aspect->tabText(1), four ? QStringLiteral("Output 16/9") + QString(15, ' ') : "Output 16/9");
        EXPECT_EQ(aspect->tabText(0).size(), four ? 27 : 12);
        EXPECT_EQ(references()->count(), m.references);
        EXPECT_EQ(references()->maxVisibleItems(), four ? 5 : 16);
        EXPECT_EQ(w().state.fourInputs, four);
        EXPECT_EQ(hintShows(w().label_input[0]), m.hints);

        // Places.
        EXPECT_EQ(w().Panel_ichmp->height(), m.panel);
        EXPECT_EQ(w().PageControl1->y(), m.pagesTop);
        EXPECT_EQ(client()->height(), 503 + m.panel - 44);
        EXPECT_EQ(geometry("label_input1"), m.input1);
        EXPECT_EQ(geometry("label_input4"), m.input4);
        if (!four) { EXPECT_EQ(geometry("label_input8"), QRect(583, 5, 76, 33)); }
        EXPECT_EQ(geometry("combo_refreq"), m.refreq);
        EXPECT_EQ(geometry("ComboBox_seamless_computer"), m.refreq);
        EXPECT_EQ(geometry("TabSet_IASPR"), m.aspect);
        for (const char* box : {"GroupBox1", "GroupBox8", "GroupBox2", "GroupBox3", "GroupBox9"}) {
            EXPECT_EQ(geometry(box).y(), m.inputGroupTop) << box;
            EXPECT_EQ(geometry(box).height(), m.inputGroupHeight) << box;
        }
        EXPECT_EQ(geometry("GroupBox7").y(), m.audioGroupTop);
        EXPECT_EQ(geometry("GroupBox7").height(), m.audioGroupHeight);
        EXPECT_EQ(geometry("ScrollBar_audio1").y(), m.audioRow1);
        EXPECT_EQ(geometry("ScrollBar_balance_4").y(), m.audioRow4);
        EXPECT_EQ(geometry("Edit_audio_1").y(), m.audioRow1 - 2);
        EXPECT_EQ(geometry("Edit_balance_4").y(), m.audioRow4);
        EXPECT_EQ(geometry("Label17").x(), m.masterLabel);
        EXPECT_EQ(geometry("ScrollBar_AMAST").x(), m.masterBar);
        EXPECT_EQ(geometry("ScrollBar_AMAST").width(), m.masterWidth);
        if (m.shows.effects) { EXPECT_EQ(geometry("GfxShapeControl_effects").y(), m.panel); }
        EXPECT_EQ(geometry("BitBtn_initial_please").y(), m.pleaseWait);
        EXPECT_EQ(geometry("BitBtn_effect_color_frame_cleancut").y(), geometry("GfxDrawEdge1").y());
        expectNothingCovered(dev);
    }

    // Codes without a row: the product and the HD15 window only; nothing is
    // shown, hidden or moved, and the About box keeps the model's picture.
    for (uint32_t dev : {24u, 0u, 99u}) {
        SCOPED_TRACE("code " + std::to_string(dev));
        const QStringList before = snapshot();
        model(dev);
        EXPECT_EQ(w().state.productName, "Zeph-Cedar");
        EXPECT_EQ(hd15->windowTitle(), "HD15 PIN ASSIGNMENT (INPUT)");
        EXPECT_EQ(about->ShownPicture(), 4);
        EXPECT_EQ(w().windowTitle(), "Zeph-Cedar remote control  Port: COM1");
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(w().state.Last_model, dev);
    }
}

// The window itself grows and shrinks with the band of the logo rows.
TEST_F(ModelLayout, BandOpensAndClosesTheWindow)
{
    model(21);
    const int pages21 = w().PageControl1->y(), status21 = w().connection->y(), window21 = w().height();
    model(22);
    EXPECT_EQ(pages21 - w().PageControl1->y(), 63);
    EXPECT_EQ(status21 - w().connection->y(), 63);
    EXPECT_EQ(window21 - w().height(), 63);
    model(23);
    EXPECT_EQ(w().PageControl1->y(), pages21);
    EXPECT_EQ(w().height(), window21);
}

// DEV 0 right after start lays nothing out; the same model again does
// nothing at all, not even the caption; a lost link then the same model lays
// it out again.
TEST_F(ModelLayout, SameModelTwiceDoesNothing)
{
    auto* hd15 = windows->Form_HD15_PIN_ASSIGNEMENT.get();
    const QString startCaption = w().windowTitle(), startHd15 = hd15->windowTitle();
    const QStringList start = snapshot();
    model(0);
    EXPECT_EQ(w().windowTitle(), startCaption);
    EXPECT_EQ(hd15->windowTitle(), startHd15);
    EXPECT_EQ(snapshot(), start);

    model(23);
    w().setWindowTitle(QStringLiteral("untouched"));
    widget("label_input5")->hide();
    model(23);
    EXPECT_EQ(w().windowTitle(), "untouched");
    EXPECT_TRUE(widget("label_input5")->isHidden());
    model(0);  // link lost
    model(23);
    EXPECT_EQ(w().windowTitle(), "Zeph-Ash remote control  Port: COM1");
    EXPECT_FALSE(widget("label_input5")->isHidden());
}

// The caption ends in the link the device component holds, tenth port as
// stored.
TEST_F(ModelLayout, CaptionNamesThePortAsStored)
{
    link().COM10Click(&w());
    EXPECT_EQ(w().windowTitle(), "Zeph-Cedar remote control  Port: COM10");
    model(21);
    EXPECT_EQ(w().windowTitle(), "Zeph-Elm remote control  Port: \\\\.\\COM10");
}

// T and T*: the position button, the hint and the "Position && Size" popup
// of the test-pattern group follow OPAT, on 21 only with a recent VERI; never
// on 18 and 26. OPAT and VERI lay the remembered model out again.
TEST_F(ModelLayout, PatternPositionFollowsOpatAndVeri)
{
    OutputController& out = w().output();
    const struct {
        uint32_t dev, veri, opat;
        bool shown;
    } cases[] = {
        {23, 0, 1, true},      {23, 0, 0, false},     {23, 0, 2, false},     {22, 0, 1, true},
        {25, 0, 1, true},      {25, 0, 0, false},     {21, 32767, 1, false}, {21, 32768, 1, true},
        {21, 65535, 0, false}, {21, 40000, 1, true},  {21, 100, 1, false},   {18, 40000, 1, false},
        {26, 40000, 1, false}, {23, 100, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.dev) + " VERI " + std::to_string(c.veri) + " OPAT " +
                     std::to_string(c.opat));
        model(c.dev);
        reply(Reg::VERI, c.veri);
        reply(Reg::OPAT, c.opat);
        EXPECT_EQ(!out.BitBtn_cadrage_pattern->isHidden(), c.shown);
        EXPECT_EQ(out.RadioGroup_test_pattern->toolTip().isEmpty(), !c.shown);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), out.RadioGroup_test_pattern->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(out.RadioGroup_test_pattern, &menu);
        EXPECT_EQ(out.PopupMenu_mireseamles->isVisible(), c.shown);
        out.PopupMenu_mireseamles->hide();
        // The other order of the two reports ends the same.
        reply(Reg::OPAT, c.opat);
        reply(Reg::VERI, c.veri);
        EXPECT_EQ(!out.BitBtn_cadrage_pattern->isHidden(), c.shown);
    }
}

// From the four-input model back to eight inputs the four "Follow  " items
// come back once, with the inputs' names; between eight-input models the
// list is left alone.
TEST_F(ModelLayout, FourReferenceItemsComeBackOnce)
{
    const QStringList eight = referenceItems();
    ASSERT_EQ(eight.size(), 9);
    model(26);
    EXPECT_EQ(referenceItems(), eight.mid(0, 5));
    w().label_input[4]->setText(QStringLiteral("Camera"));
    model(21);
    QStringList expected = eight;
    expected[5] = QStringLiteral("Follow  Camera");
    EXPECT_EQ(referenceItems(), expected);
    EXPECT_FALSE(w().state.fourInputs);
    model(23);
    reply(Reg::OPAT, 1);
    reply(Reg::VERI, 1);
    EXPECT_EQ(referenceItems(), expected);
}

// The four-input model laid out again (after a lost link, after the names
// were spread again, after OPAT) cuts nothing more: the five entries stay
// and the selection with them; the next eight-input model restores once.
TEST_F(ModelLayout, FourInputModelAgainCutsNothingMore)
{
    const QStringList eight = referenceItems();
    reply(Reg::REFREQ, 3);
    model(26);
    model(0);
    model(26);
    EXPECT_EQ(referenceItems(), eight.mid(0, 5));
    reply(Reg::ICHM, 2);  // the input on the output spreads the names again
    reply(Reg::OPAT, 1);  // and the layout runs again
    model(0);
    model(26);
    EXPECT_EQ(referenceItems(), eight.mid(0, 5));
    EXPECT_EQ(references()->currentIndex(), 3);
    model(22);
    EXPECT_EQ(referenceItems(), eight);
    EXPECT_EQ(references()->currentIndex(), 3);
}

// Hiding the page in view is not the operator leaving it: nothing that
// follows the page control's change runs, and a shown page comes into view.
TEST_F(ModelLayout, HidingThePageInViewRunsNoLeavingHandler)
{
    QTabWidget* pages = w().PageControl1;
    int leaving = 0;
    QObject::connect(pages, &QTabWidget::currentChanged, pages, [&leaving] { ++leaving; });
    const struct {
        uint32_t from, to;
        const char* page;
    } cases[] = {{23, 21, "Effects"}, {23, 26, "new_logos"}, {22, 18, "Effects"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        model(c.from);
        {
            const QSignalBlocker quiet(pages);
            pages->setCurrentWidget(find<QWidget>(c.page));
        }
        leaving = 0;
        model(c.to);
        EXPECT_EQ(leaving, 0);
        EXPECT_TRUE(pages->isTabVisible(pages->currentIndex()));
        EXPECT_EQ(pages->currentWidget(), w().inputPage);
        EXPECT_FALSE(pages->currentWidget()->isHidden());
    }
}

// Every gesture that changes the page moves between the pages shown, on
// every model: the wheel over the tabs and Left and Right on the focused
// tab bar step to the neighbouring shown page and stop at the last; Ctrl+Tab
// and Ctrl+Shift+Tab, pressed where the keyboard focus is, go round the
// shown pages. A hidden page never comes into view, not even in passing,
// and nothing is written but the use mode when the logo page is left.
TEST_F(ModelLayout, PageGesturesMoveBetweenTheShownPages)
{
    QTabWidget* pages = w().PageControl1;
    QTabBar* tabs = pages->tabBar();
    w().show();
    QApplication::setActiveWindow(&w());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QList<int> passed;  // every page in view during a gesture
    QObject::connect(pages, &QTabWidget::currentChanged, pages, [&passed](int index) { passed << index; });

    // Ctrl+Tab goes where the keyboard is: on a control of the page, reached
    // by Tab from the page's tabs.
    auto keyAtFocus = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    };
    auto onThePage = [&] {
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_Tab);
    };
    struct Gesture {
        const char* name;
        std::function<void()> focus;
        std::function<void()> act;
        int step;
        bool round;  // from the last page to the first, and back
    };
    const Gesture gestures[] = {
        {"wheel down", [] {}, [&] { zephtest::wheelNotch(tabs, -120); }, 1, false},
        {"wheel up", [] {}, [&] { zephtest::wheelNotch(tabs, 120); }, -1, false},
        {"Right on the tab bar", [&] { tabs->setFocus(); }, [&] { keyAtFocus(Qt::Key_Right, {}); }, 1, false},
        {"Left on the tab bar", [&] { tabs->setFocus(); }, [&] { keyAtFocus(Qt::Key_Left, {}); }, -1, false},
        {"Ctrl+Tab", onThePage, [&] { keyAtFocus(Qt::Key_Tab, Qt::ControlModifier); }, 1, true},
        {"Ctrl+Shift+Tab", onThePage,
         [&] { keyAtFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, -1, true},
    };
    const struct {
        uint32_t dev, opt;  // OPT 1 shows the "Voice over" page
    } setups[] = {{18, 0}, {21, 0}, {22, 0}, {23, 0}, {25, 1}, {26, 0}, {21, 1}, {22, 1}};
    for (const auto& setup : setups) {
        model(setup.dev);
        reply(Reg::OPT, setup.opt);
        QList<int> shownPages;
        for (int i = 0; i < pages->count(); ++i)
            if (pages->isTabVisible(i)) shownPages << i;
        const int n = int(shownPages.size());
        ASSERT_LT(n, pages->count()) << setup.dev;
        for (int k = 0; k < n; ++k) {
            for (const Gesture& g : gestures) {
                SCOPED_TRACE(testing::Message() << "model " << setup.dev << " OPT " << setup.opt << ", from "
                                                << pages->widget(shownPages[k])->objectName().toStdString() << ", "
                                                << g.name);
                pages->setCurrentIndex(shownPages[k]);
                g.focus();
                sent.clear();
                passed.clear();
                g.act();
                const int to = g.round ? (k + g.step + n) % n : std::clamp(k + g.step, 0, n - 1);
                EXPECT_EQ(pages->currentIndex(), shownPages[to]);
                for (int index : passed) EXPECT_TRUE(pages->isTabVisible(index)) << "passed hidden page " << index;
                EXPECT_TRUE(pages->currentWidget()->isVisible());
                const bool leftLogoPage = pages->widget(shownPages[k]) == w().logoFramePage && to != k;
                EXPECT_EQ(sent, leftLogoPage ? QStringList{"0LM"} : QStringList{});
            }
        }
    }
}

// Every control the table names is in the window.
TEST_F(ModelLayout, EveryNameInTheTableExists)
{
    const auto names = ModelLayoutController::tableNames();
    EXPECT_GT(names.size(), 90u);
    for (const auto& n : names) {
        EXPECT_NE(layout().find(n), nullptr) << n.name.toStdString();
    }
    // Names of the main window's controls, not of the dialogs it owns.
    EXPECT_EQ(layout().find({ModelLayoutController::Kind::Widget, QStringLiteral("Label1")})->parent()->objectName(),
              "TabSheet_audio");
}

// A control the table names that is gone stops the table from being
// attached, instead of being left as it was at every layout.
TEST_F(ModelLayout, AMissingControlOfTheTableIsRefused)
{
    EXPECT_NO_THROW(layout().attachControls());
    delete find<QWidget>("Bevel9");
    EXPECT_THROW(layout().attachControls(), std::logic_error);
}

// Device reports that lay the window out write nothing.
TEST_F(ModelLayout, LayoutReportsWriteNothing)
{
    for (uint32_t dev : {23u, 26u, 21u, 0u, 22u, 22u}) {
        model(dev);
        reply(Reg::OPAT, 1);
        reply(Reg::VERI, 40000);
    }
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}
