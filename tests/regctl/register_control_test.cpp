// The register control's forms: Enter through the offset, the display of
// reports, the standard scroll with its drag mark and drag guard, the
// end-of-drag-only variant and the echo-paced sender.
#include "regctl_fixture.h"

#include <QLineEdit>

#include <variant>

using namespace zeph;

// --- Enter --------------------------------------------------------------------

struct EnterCase {
    const char* edit;
    int reg;
    uint32_t stored;       // the device's value before the entry
    const char* text;
    const char* expected;  // command sent, or null for none
    bool reported;         // the conversion error reached the operator
};

void PrintTo(const EnterCase& c, std::ostream* os)
{
    *os << c.edit << " \"" << c.text << '"';
}

class EnterTest : public ImagePageTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTest, WritesThroughTheOffsetOrResendsTheStoredValue)
{
    const EnterCase& c = GetParam();
    reply(c.reg, c.stored);
    sent.clear();
    enter(c.edit, QString::fromLatin1(c.text));
    EXPECT_EQ(sent, c.expected ? QStringList{QString::fromLatin1(c.expected)} : QStringList{});
    if (c.reported)
        EXPECT_EQ(prompt.messages, QStringList{QStringLiteral("'%1' is not a valid integer value").arg(c.text)});
    else
        EXPECT_TRUE(prompt.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, EnterTest,
    ::testing::Values(
        // offset 128
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "127", "255B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "128", "77B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "-128", "0B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "-129", "77B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "0", "128B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "  $7F", "255B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "-0x10", "112B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "+5", "133B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "2147483647", "77B", false},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "abc", nullptr, true},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "", nullptr, true},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "12 ", nullptr, true},
        EnterCase{"Edit_brightness", Reg::BRGT, 77, "2147483648", nullptr, true},
        EnterCase{"Edit_hue", Reg::HUE, 3, "-1", "127T", false},
        // offset 64
        EnterCase{"Edit_redlevel", Reg::RLV, 10, "63", "127QR", false},
        EnterCase{"Edit_redlevel", Reg::RLV, 10, "64", "10QR", false},
        EnterCase{"Edit_redlevel", Reg::RLV, 10, "-64", "0QR", false},
        EnterCase{"Edit_ddivider", Reg::DDIVIDER, 70, "-65", "70mC", false},
        // offset 16
        EnterCase{"Edit_dphase", Reg::DPHASE, 9, "15", "31mP", false},
        EnterCase{"Edit_dphase", Reg::DPHASE, 9, "16", "9mP", false},
        EnterCase{"Edit_dphase", Reg::DPHASE, 9, "-16", "0mP", false},
        EnterCase{"Edit_dphase", Reg::DPHASE, 9, "x", nullptr, true},
        // a twin edit: the Sender's own text counts
        EnterCase{"new_Edit_hpos", Reg::HPOS, 128, "5", "133H", false},
        EnterCase{"new_Edit_vsize", Reg::VSIZ, 1, "200", "1S", false}));

TEST_F(ImagePageTest, OutOfRangeEntryReturnsToTheDevicesValue)
{
    reply(Reg::BRGT, 77);
    enter("Edit_brightness", "128");
    EXPECT_EQ(sent, QStringList{"77B"});
    reply(Reg::BRGT, 77);  // the device answers the re-sent value
    EXPECT_EQ(edit("Edit_brightness")->text(), "-51");
}

TEST_F(ImagePageTest, TwinEditsReadTheirOwnText)
{
    edit("Edit_hpos")->setText("-100");
    enter("new_Edit_hpos", "100");
    edit("new_Edit_hpos")->setText("-100");
    enter("Edit_hpos", "1");
    EXPECT_EQ(sent, QStringList({"228H", "129H"}));
}

TEST_F(ImagePageTest, KeysOtherThanEnterWriteNothing)
{
    RegisterControl* c = ctl->control(Reg::BRGT);
    ASSERT_NE(c, nullptr);
    edit("Edit_brightness")->setText("5");
    for (QChar k : {QChar(u'5'), QChar(10), QChar(8), QChar(27)}) c->KeyPress(edit("Edit_brightness"), k);
    EXPECT_TRUE(sent.isEmpty());
    QChar enterKey(13);
    c->KeyPress(edit("Edit_brightness"), enterKey);
    EXPECT_EQ(sent, QStringList{"133B"});
}

// --- display -----------------------------------------------------------------

TEST_F(ImagePageTest, ReportsShowValueMinusOffsetAndMoveTheBars)
{
    const struct {
        int reg;
        uint32_t value;
        const char* edit;
        const char* shown;
        const char* bar;
        int thumb;
    } cases[] = {
        {Reg::BRGT, 0, "Edit_brightness", "-128", "ScrollBar_brightness", 0},
        {Reg::BRGT, 255, "Edit_brightness", "127", "ScrollBar_brightness", 255},
        {Reg::RLV, 127, "Edit_redlevel", "63", "ScrollBar_redlevel", 127},
        {Reg::DPHASE, 0, "Edit_dphase", "-16", "ScrollBar_dphase", 0},
        {Reg::DDIVIDER, 64, "Edit_ddivider", "0", "ScrollBar_ddivider", 64},
        {Reg::HPOS, 255, "Edit_hpos", "127", "ScrollBar_hpos_video", 255},
        {Reg::HPOS, 3, "new_Edit_hpos", "-125", "new_ScrollBar_hpos_video", 3},
        {Reg::VSIZ, 200, "new_Edit_vsize", "72", "ScrollBar_vsiz_video", 200},
        // Values beyond the bar: the text tells the truth, the thumb stops
        // at the end.
        {Reg::CONTR, 300, "Edit_contrast", "172", "ScrollBar_contrast", 255},
        {Reg::CONTR, 0xFFFFFFFFu, "Edit_contrast", "4294967167", "ScrollBar_contrast", 255},
        {Reg::DPHASE, 40, "Edit_dphase", "24", "ScrollBar_dphase", 31},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        reply(c.reg, c.value);
        EXPECT_EQ(edit(c.edit)->text(), c.shown);
        EXPECT_EQ(bar(c.bar)->value(), c.thumb);
    }
    EXPECT_TRUE(sent.isEmpty());
}

// --- standard scroll, drag mark, drag guard -------------------------------------

struct Scroll {
    const char* bar;
    int code, pos;
};
struct Reply {
    int reg;
    uint32_t value;
};
struct Step {
    std::variant<Scroll, Reply> what;
    QStringList sent;         // commands this step sends
    QList<int> tags;          // drag marks after it, per bar of `bars`
    QList<int> thumbs;        // thumb positions after it, per bar
    const char* shown;        // edit text after it (null: not checked)
};

class SequenceTest : public ImagePageTest {
protected:
    void run(const QList<const char*>& bars, const char* editName, const std::vector<Step>& steps)
    {
        int n = 0;
        for (const Step& s : steps) {
            SCOPED_TRACE(::testing::Message() << "step " << n++);
            sent.clear();
            if (auto* sc = std::get_if<Scroll>(&s.what)) {
                emit bar(sc->bar)->scrolled(sc->code, sc->pos);
            } else {
                const Reply& r = std::get<Reply>(s.what);
                reply(r.reg, r.value);
            }
            EXPECT_EQ(sent, s.sent);
            for (int i = 0; i < bars.size(); ++i) {
                EXPECT_EQ(bar(bars[i])->Tag, s.tags[i]) << bars[i];
                EXPECT_EQ(bar(bars[i])->value(), s.thumbs[i]) << bars[i];
            }
            if (s.shown) {
                EXPECT_EQ(edit(editName)->text(), s.shown);
            }
        }
    }
};

// The bar's own scroll events move its thumb; the test's events stand for
// them, so the expected thumb stays where the device or the design put it
// until a reply moves it.
TEST_F(SequenceTest, ContrastDragWritesEveryEventAndRepliesSpareTheThumb)
{
    const char* b = "ScrollBar_contrast";
    run({b}, "Edit_contrast",
        {
            {Scroll{b, ScrollBarEx::ThumbTrack, 130}, {"130D"}, {1}, {128}, "0"},
            {Scroll{b, ScrollBarEx::ThumbTrack, 131}, {"131D"}, {1}, {128}, nullptr},
            {Reply{Reg::CONTR, 130}, {}, {1}, {128}, "2"},  // the edit follows, the thumb does not
            {Scroll{b, ScrollBarEx::ThumbTrack, 140}, {"140D"}, {1}, {128}, nullptr},
            {Scroll{b, ScrollBarEx::ThumbPosition, 140}, {"140D"}, {1}, {128}, nullptr},
            {Reply{Reg::CONTR, 131}, {}, {1}, {128}, "3"},
            {Scroll{b, ScrollBarEx::EndScroll, 140}, {"140D"}, {0}, {128}, nullptr},
            {Reply{Reg::CONTR, 140}, {}, {0}, {140}, "12"},  // now the thumb follows
            {Scroll{b, ScrollBarEx::LineDown, 141}, {"141D"}, {1}, {140}, nullptr},
            {Scroll{b, ScrollBarEx::EndScroll, 141}, {"141D"}, {0}, {140}, nullptr},
            {Scroll{b, ScrollBarEx::PageUp, 131}, {"131D"}, {1}, {140}, nullptr},
            {Scroll{b, ScrollBarEx::Top, 0}, {"0D"}, {1}, {140}, nullptr},
            {Scroll{b, ScrollBarEx::Bottom, 255}, {"255D"}, {1}, {140}, nullptr},
            {Scroll{b, ScrollBarEx::EndScroll, 255}, {"255D"}, {0}, {140}, nullptr},
            {Reply{Reg::CONTR, 255}, {}, {0}, {255}, "127"},
        });
}

// One handler serves both picture bars and marks the one that moves: a
// reply during a drag of the twin moves the page's bar, not the twin.
TEST_F(SequenceTest, TwinBarsCarryTheirOwnDragMark)
{
    const char* a = "ScrollBar_hpos_video";
    const char* t = "new_ScrollBar_hpos_video";
    run({a, t}, "Edit_hpos",
        {
            {Scroll{t, ScrollBarEx::ThumbTrack, 100}, {"100H"}, {0, 1}, {128, 128}, nullptr},
            {Reply{Reg::HPOS, 100}, {}, {0, 1}, {100, 128}, "-28"},
            {Scroll{a, ScrollBarEx::ThumbTrack, 90}, {"90H"}, {1, 1}, {100, 128}, nullptr},
            {Reply{Reg::HPOS, 90}, {}, {1, 1}, {100, 128}, "-38"},
            {Scroll{t, ScrollBarEx::EndScroll, 100}, {"100H"}, {1, 0}, {100, 128}, nullptr},
            {Reply{Reg::HPOS, 100}, {}, {1, 0}, {100, 100}, "-28"},
            {Scroll{a, ScrollBarEx::EndScroll, 90}, {"90H"}, {0, 0}, {100, 100}, nullptr},
            {Reply{Reg::HPOS, 90}, {}, {0, 0}, {90, 90}, "-38"},
        });
    EXPECT_EQ(edit("new_Edit_hpos")->text(), "-38");
}

// --- the variants on their own bars --------------------------------------------

class VariantTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        z.setHandler(TZEPH350_d::Event::OnSentString, [this](TZEPH350_d* s, int) { sent << s->sentString; });
        z.SetForceConn(true);
        z.LinkTimerTick();
        ASSERT_TRUE(z.Connected());
    }
    // A bar and edit for `def` on `page`, wired to the control, with the
    // register's change event bound to it.
    void build(const regctl::Definition& def, TZEPH350_d::Event change)
    {
        rc = std::make_unique<RegisterControl>(z, def);
        barW = regctl::makeBar(&page, def.bar, def, QRect(0, 0, 200, 17));
        editW = regctl::makeEdit(&page, def.edit, QRect(0, 20, 50, 21));
        rc->add(barW, editW);
        regctl::wire(
            barW, editW, &page, [this](QObject* s, int c, int& p) { rc->Scroll(s, c, p); },
            [this](QObject* s, QChar& k) { rc->KeyPress(s, k); });
        z.setHandler(change, [this](TZEPH350_d*, int) { rc->Change(); });
        sent.clear();
    }
    // An operator step: the thumb moves, then the bar reports.
    void scroll(int code, int pos)
    {
        barW->setValue(pos);
        emit barW->scrolled(code, pos);
    }
    void reply(int reg, uint32_t v) { z.receive(replyLine(reg, v)); }

    TZEPH350_d z;
    QWidget page;
    std::unique_ptr<RegisterControl> rc;
    ScrollBarEx* barW = nullptr;
    QLineEdit* editW = nullptr;
    QStringList sent;
};

TEST_F(VariantTest, EndOnlyWritesOnceOnRelease)
{
    build({Reg::AMAST, "ScrollBar_AMAST", "Edit17", nullptr, nullptr, 0, 255, 128, 0, regctl::ScrollForm::EndOnly,
           regctl::EntryForm::Unchecked},
          TZEPH350_d::Event::OnAMASTchange);
    for (int p : {130, 140, 150}) {
        scroll(ScrollBarEx::ThumbTrack, p);
        EXPECT_EQ(barW->Tag, 1);
    }
    reply(Reg::AMAST, 20);  // a report meanwhile: the edit, not the thumb
    EXPECT_EQ(editW->text(), "20");
    EXPECT_EQ(barW->value(), 150);
    scroll(ScrollBarEx::ThumbPosition, 150);
    EXPECT_TRUE(sent.isEmpty());
    scroll(ScrollBarEx::EndScroll, 150);
    EXPECT_EQ(sent, QStringList{"150AV"});
    EXPECT_EQ(barW->Tag, 0);
    reply(Reg::AMAST, 149);
    EXPECT_EQ(barW->value(), 149);

    // Unchecked entry: the number as it is, no offset, no bounds.
    sent.clear();
    editW->setText("300");
    emit editW->returnPressed();
    EXPECT_EQ(sent, QStringList{"300AV"});
}

// The pacing: ten positions before the first echo send only the first; the
// echo sends the latest; an echo while the thumb stands still sends nothing
// (the next scroll event goes out at once instead); the release sends the
// final position.
TEST_F(VariantTest, EchoPacedSenderKeepsOneValueInFlight)
{
    build({Reg::MHPOS, "ScrollBar_MHPOS", "Edit_MHPOS", nullptr, nullptr, 0, 255, 128, 0,
           regctl::ScrollForm::EchoPaced, regctl::EntryForm::Unchecked},
          TZEPH350_d::Event::OnMHPOSchange);
    auto step = [&](auto action, QStringList expected, const char* what) {
        sent.clear();
        action();
        EXPECT_EQ(sent, expected) << what;
    };
    step([&] { for (int p = 100; p < 110; ++p) scroll(ScrollBarEx::ThumbTrack, p); }, {"100mH"}, "ten positions");
    EXPECT_TRUE(rc->dragFlag());
    step([&] { reply(Reg::MHPOS, 100); }, {"109mH"}, "first echo: the latest position");
    EXPECT_EQ(editW->text(), "100");
    EXPECT_EQ(barW->value(), 109) << "an echo during the drag leaves the thumb";
    step([&] { reply(Reg::MHPOS, 109); }, {}, "echo with the thumb still");
    step([&] { for (int i = 0; i < 5; ++i) reply(Reg::MHPOS, 109); }, {}, "more echoes, thumb still");
    EXPECT_FALSE(rc->inFlight());
    step([&] { scroll(ScrollBarEx::ThumbTrack, 111); }, {"111mH"}, "nothing in flight: goes at once");
    step([&] { scroll(ScrollBarEx::ThumbTrack, 112); scroll(ScrollBarEx::ThumbTrack, 113); }, {}, "in flight");
    step([&] { scroll(ScrollBarEx::ThumbPosition, 113); }, {}, "release, before the end scroll");
    step([&] { scroll(ScrollBarEx::EndScroll, 113); }, {"113mH"}, "the final position");
    EXPECT_FALSE(rc->dragFlag());
    step([&] { reply(Reg::MHPOS, 111); }, {}, "late echo after the drag");
    EXPECT_EQ(barW->value(), 111);
    step([&] { reply(Reg::MHPOS, 113); }, {}, "echo of the final value");
    EXPECT_EQ(barW->value(), 113);
    EXPECT_EQ(editW->text(), "113");

    // An end scroll with no drag before it writes the position twice.
    step([&] { scroll(ScrollBarEx::EndScroll, 50); }, {"50mH", "50mH"}, "lone end scroll");
    // Enter sends the text as it is.
    step([&] { editW->setText("77"); emit editW->returnPressed(); }, {"77mH"}, "entry");
}

TEST_F(VariantTest, EchoPacedSenderWithTheLinkDownSendsNothingAndRecovers)
{
    build({Reg::MHPOS, "ScrollBar_MHPOS", "Edit_MHPOS", nullptr, nullptr, 0, 255, 128, 0,
           regctl::ScrollForm::EchoPaced, regctl::EntryForm::Unchecked},
          TZEPH350_d::Event::OnMHPOSchange);
    z.SetForceConn(false);
    z.setLinkState(0);
    z.LinkTimerTick();  // the link drops
    ASSERT_FALSE(z.Connected());
    scroll(ScrollBarEx::ThumbTrack, 10);
    scroll(ScrollBarEx::EndScroll, 10);
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(barW->value(), 10) << "a released bar stays where it was left";
    z.SetForceConn(true);
    z.LinkTimerTick();
    ASSERT_TRUE(z.Connected());
    sent.clear();
    scroll(ScrollBarEx::ThumbTrack, 20);  // a new drag starts afresh
    EXPECT_EQ(sent, QStringList{"20mH"});
}
