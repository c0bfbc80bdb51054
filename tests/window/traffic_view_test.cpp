// The traffic view: what it holds of long lines, where it puts the
// characters it draws, and what assistive tools read of it.
#include "console_fixture.h"

#include "look.h"

#include "qt_wait.h"
#include "tool_events.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

namespace {

// A view of the console's font, shown with the given lines.
struct ShownView {
    TrafficView v;
    explicit ShownView(const QStringList& lines, QSize size = {400, 120})
    {
        v.setFont(fixedFont());
        v.resize(size);
        v.show();
        for (const QString& l : lines) v.appendLine(l);
        QCoreApplication::processEvents();
    }
};

// Where the view sets column 0 on a line: the offset at which the
// platform's own drawing of the whole line gives the view's pixels; -1 when
// none does.
int textOrigin(TrafficView& v, const QString& line)
{
    const QImage shown = v.viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int height = QFontMetrics(v.font()).lineSpacing();
    for (int dx = 0; dx <= 6; ++dx) {
        QImage expected(shown.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(v.palette().color(QPalette::Base));
        QPainter p(&expected);
        p.setFont(v.font());
        p.setPen(v.palette().color(QPalette::Text));
        p.drawText(dx, QFontMetrics(v.font()).ascent(), line);
        p.end();
        if (expected.copy(0, 0, expected.width(), height) == shown.copy(0, 0, shown.width(), height)) return dx;
    }
    return -1;
}

// An assistive tool's copy of a view's text, kept from the text events the
// view sends while a tool listens: each removal must take away what the
// copy holds there, each insertion go inside it.
struct TextListener {
    static inline TextListener* current = nullptr;
    QObject* view = nullptr;
    QString mirror;
    int inserted = 0;
    int removed = 0;
    int lastPosition = -1;  // of the last change
    QString lastText;
    QStringList faults;
    ToolListener previous = nullptr;

    TextListener(QObject* v, QString text) : view(v), mirror(std::move(text))
    {
        current = this;
        previous = setToolListener(&handle);
    }
    ~TextListener()
    {
        setToolListener(previous);
        current = nullptr;
    }
    static void handle(QAccessibleEvent* e)
    {
        TextListener* l = current;
        if (!l || e->object() != l->view) return;
        if (e->type() == QAccessible::TextInserted) {
            const auto* i = static_cast<QAccessibleTextInsertEvent*>(e);
            ++l->inserted;
            l->lastPosition = i->changePosition();
            l->lastText = i->textInserted();
            if (i->changePosition() < 0 || i->changePosition() > l->mirror.size())
                l->faults << QStringLiteral("insert at %1 of %2").arg(i->changePosition()).arg(l->mirror.size());
            else
                l->mirror.insert(i->changePosition(), i->textInserted());
        } else if (e->type() == QAccessible::TextRemoved) {
            const auto* r = static_cast<QAccessibleTextRemoveEvent*>(e);
            ++l->removed;
            l->lastPosition = r->changePosition();
            l->lastText = r->textRemoved();
            if (l->mirror.mid(r->changePosition(), r->textRemoved().size()) != r->textRemoved())
                l->faults << QStringLiteral("removal at %1 of text not there").arg(r->changePosition());
            else
                l->mirror.remove(r->changePosition(), r->textRemoved().size());
        }
    }
};

}  // namespace

// Long lines are cut for the view with a visible mark, keeping their
// beginning and their end; the view holds a bounded number of bytes
// whatever the lines, and its newest line always.
TEST(TrafficViewLimits, ManyLongLinesStayWithinTheByteBound)
{
    TrafficView v;
    const QString tail = QStringLiteral("12   000Ch   0000.0000.0000.1100b");
    for (int i = 0; i < 300; ++i) v.appendLine(QStringLiteral("L%1 ").arg(i) + QString(64 * 1024, QLatin1Char('x')) + tail);
    qsizetype held = 0;
    for (int i = 0; i < v.lineCount(); ++i) held += v.line(i).size() * qsizetype(sizeof(QChar));
    EXPECT_LE(held, TrafficView::DefaultByteLimit);
    EXPECT_EQ(v.byteCount(), held);
    ASSERT_GT(v.lineCount(), 100);
    const QString last = v.line(v.lineCount() - 1);
    EXPECT_EQ(last.size(), TrafficView::MaxLineChars);
    EXPECT_TRUE(last.startsWith(QStringLiteral("L299 xxx")));
    EXPECT_TRUE(last.endsWith(tail));
    EXPECT_EQ(last.count(TrafficView::CutMark), 1);

    // A short line is kept as it is; a tight byte limit keeps the newest.
    v.appendLine(QStringLiteral("CON7"));
    EXPECT_EQ(v.line(v.lineCount() - 1), QStringLiteral("CON7"));
    v.setByteLimit(10);
    EXPECT_EQ(v.lineCount(), 1);
    EXPECT_EQ(v.byteCount(), 8);
    v.clear();
    EXPECT_EQ(v.byteCount(), 0);
}

// A reply line far longer than the view keeps reaches the link whole: the
// value is stored from all of it, and only the console's copy is cut.
TEST_F(ConsoleTest, LongReplyIsCutInTheViewOnly)
{
    startConsole();
    const QByteArray line = "BRG" + QByteArray(70000, ' ') + "12";  // blanks may lead a value
    z().receive(line + "\r\n");
    EXPECT_EQ(z().BRGT(), 12u);
    EXPECT_EQ(z().receivedString, QString::fromLatin1(line));
    ASSERT_EQ(shown().size(), 1);
    const QString l = shown().back();
    EXPECT_EQ(l.size(), TrafficView::MaxLineChars);
    EXPECT_TRUE(l.startsWith(QStringLiteral("BRG      ")));
    EXPECT_TRUE(l.endsWith(QStringLiteral("12   000Ch   0000.0000.0000.1100b")));
    EXPECT_TRUE(l.contains(TrafficView::CutMark));
}

// The view draws a line as the platform draws text, and the mouse takes
// the characters it draws, however far along the line: a column is the
// font's advance, not that advance rounded.
TEST(TrafficViewPaint, MouseTakesTheCharactersItDraws)
{
    QString line;
    for (int i = 0; i < 50; ++i) line += QChar(u'A' + i % 26);
    ShownView s({line});
    const int x0 = textOrigin(s.v, line);
    ASSERT_GE(x0, 0) << "the view's pixels differ from the platform's text";

    const qreal advance = QFontMetricsF(s.v.font()).horizontalAdvance(QLatin1Char('0'));
    const int y = QFontMetrics(s.v.font()).lineSpacing() / 2;
    const auto at = [&](int column) { return QPoint(x0 + int(column * advance + advance / 4), y); };
    QTest::mousePress(s.v.viewport(), Qt::LeftButton, {}, at(40));
    QTest::mouseMove(s.v.viewport(), at(48));
    QTest::mouseRelease(s.v.viewport(), Qt::LeftButton, {}, at(48));
    EXPECT_EQ(s.v.selectedText(), line.mid(40, 8));
}

// A hidden view lays nothing out: it catches up when shown, on the newest
// line if it stood at the bottom, on the same line if it was scrolled back,
// however many lines dropped off the top meanwhile.
TEST(TrafficViewHidden, CatchesUpWhenShown)
{
    TrafficView v;
    v.setFont(fixedFont());
    v.setLimit(60);
    v.resize(200, 10 * QFontMetrics(v.font()).lineSpacing() + 2 * v.frameWidth());
    const auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i) v.appendLine(QStringLiteral("L%1").arg(i));
        QCoreApplication::processEvents();
    };
    add(0, 50);
    EXPECT_EQ(v.verticalScrollBar()->maximum(), 0) << "laid out while hidden";
    v.show();
    QCoreApplication::processEvents();
    const int page = v.verticalScrollBar()->pageStep();
    ASSERT_GT(page, 3);
    EXPECT_EQ(v.topLine(), 50 - page);

    v.verticalScrollBar()->setValue(20);  // L20 on top
    v.hide();
    add(50, 70);  // L0 to L9 drop off
    v.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(v.line(0), QStringLiteral("L10"));
    EXPECT_EQ(v.line(v.topLine()), QStringLiteral("L20"));

    v.verticalScrollBar()->setValue(v.verticalScrollBar()->maximum());
    v.hide();
    add(70, 75);
    v.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(v.line(v.topLine() + page - 1), QStringLiteral("L74"));
}

// Assistive tools read the lines as one text with its name, select in it
// and find its characters on the screen.
TEST(TrafficViewAccessibility, ToolsReadTheLinesAsText)
{
    ShownView s({QStringLiteral("BRG1"), QStringLiteral("CON22"), QStringLiteral("COL3")});
    s.v.setAccessibleName(QStringLiteral("Reception RS232"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&s.v);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Reception RS232"));
    EXPECT_EQ(a->role(), QAccessible::EditableText);
    EXPECT_TRUE(a->state().readOnly);
    EXPECT_TRUE(a->state().multiLine);
    QAccessibleTextInterface* t = a->textInterface();
    ASSERT_TRUE(t);
    const QString all = QStringLiteral("BRG1\nCON22\nCOL3");
    EXPECT_EQ(t->characterCount(), all.size());
    EXPECT_EQ(t->text(0, t->characterCount()), all);
    EXPECT_EQ(a->text(QAccessible::Value), all);
    EXPECT_EQ(t->text(5, 8), QStringLiteral("CON"));
    EXPECT_EQ(t->text(3, 6), QStringLiteral("1\nC"));
    int start = -1, end = -1;
    EXPECT_EQ(t->textAtOffset(7, QAccessible::LineBoundary, &start, &end).trimmed(), QStringLiteral("CON22"));
    EXPECT_EQ(start, 5);

    // The operator's selection is the tool's, and the tool's the operator's.
    s.v.select(0, 1, 1, 2);
    EXPECT_EQ(t->selectionCount(), 1);
    t->selection(0, &start, &end);
    EXPECT_EQ(all.mid(start, end - start), QStringLiteral("RG1\nCO"));
    t->setSelection(0, 11, 15);
    EXPECT_EQ(s.v.selectedText(), QStringLiteral("COL3"));
    t->removeSelection(0);
    EXPECT_EQ(t->selectionCount(), 0);

    // A character's place on the screen leads back to it.
    const QRect r = t->characterRect(7);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(t->offsetAtPoint(r.center()), 7);

    // Lines dropping off the top move the offsets with them.
    s.v.setLimit(2);
    EXPECT_EQ(t->text(0, t->characterCount()), QStringLiteral("CON22\nCOL3"));
}

TEST_F(ConsoleTest, TrafficViewIsNamedAfterItsCaption)
{
    startLink();  // named before its caption exists
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c().Memo_recu);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Reception RS232"));
    c().ensureContent();
    EXPECT_EQ(c().Label_reception->text(), QStringLiteral("Reception RS232"));
    reply("BRG300");
    ASSERT_TRUE(a->textInterface());
    EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()),
              QStringLiteral("BRG300   012Ch   0000.0001.0010.1100b"));
}

// Assistive tools hear the lines that come and go as text inserted at the
// end and removed at the start, with the very texts; a clear removes all.
TEST(TrafficViewAccessibility, ToolsHearLinesComeAndGo)
{
    ShownView s({QStringLiteral("BRG1"), QStringLiteral("CON22")});
    TextListener tool(&s.v, s.v.text());
    const auto heard = [&] { return zephtest::waitFor([&] { return tool.mirror == s.v.text(); }, 2000); };

    s.v.appendLine(QStringLiteral("COL3"));
    s.v.appendLine(QStringLiteral("DEV23"));
    ASSERT_TRUE(heard()) << tool.mirror.toStdString();
    EXPECT_EQ(tool.inserted, 1);
    EXPECT_EQ(tool.removed, 0);
    EXPECT_EQ(tool.lastPosition, 10);
    EXPECT_EQ(tool.lastText, QStringLiteral("\nCOL3\nDEV23"));

    // Lines dropping off the top as others come: one removal, one insertion.
    s.v.setLimit(3);
    s.v.appendLine(QStringLiteral("BRG2"));
    ASSERT_TRUE(heard()) << tool.mirror.toStdString();
    EXPECT_EQ(tool.mirror, QStringLiteral("COL3\nDEV23\nBRG2"));
    EXPECT_EQ(tool.removed, 1);

    // More lines than the view keeps: everything the tool knew went.
    for (int i = 0; i < 5; ++i) s.v.appendLine(QStringLiteral("L%1").arg(i));
    ASSERT_TRUE(heard()) << tool.mirror.toStdString();

    const QString before = s.v.text();
    s.v.clear();
    ASSERT_TRUE(heard()) << tool.mirror.toStdString();
    EXPECT_TRUE(tool.mirror.isEmpty());
    EXPECT_EQ(tool.lastPosition, 0);
    EXPECT_EQ(tool.lastText, before);
    s.v.appendLine(QStringLiteral("CON1"));
    ASSERT_TRUE(heard()) << tool.mirror.toStdString();
    EXPECT_EQ(tool.mirror, QStringLiteral("CON1"));
    EXPECT_EQ(tool.faults, QStringList{});
}

// The first lines after a quiet moment are told with their place; a flood
// is told a few times a second, whatever the number of lines.
TEST(TrafficViewAccessibility, ToolsHearAFloodInAFewEvents)
{
    ShownView s({QStringLiteral("BRG1")});
    TextListener tool(&s.v, s.v.text());
    s.v.appendLine(QStringLiteral("CON22"));
    ASSERT_TRUE(zephtest::waitFor([&] { return tool.inserted == 1; }, 2000));
    EXPECT_EQ(tool.mirror, QStringLiteral("BRG1\nCON22"));

    s.v.setLimit(1000);
    QElapsedTimer t;
    t.start();
    for (int chunk = 0; chunk < 100; ++chunk) {
        for (int i = 0; i < 100; ++i) s.v.appendLine(QStringLiteral("BRG%1   012Ch").arg(chunk * 100 + i));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(zephtest::waitFor([&] { return tool.mirror == s.v.text(); }, 3000));
    // At most one removal and one insertion per period, and those of the
    // first and the last pass.
    const qint64 periods = t.elapsed() / TrafficView::NotifyMs + 2;
    EXPECT_LE(tool.inserted - 1 + tool.removed, 2 * periods) << t.elapsed() << " ms";
    EXPECT_EQ(tool.faults, QStringList{});
}
