#include "traffic_view.h"

#include "tool_events.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {
constexpr int Margin = 2;  // left of the first column

QAccessibleInterface* accessibleFactory(const QString&, QObject* object);
}  // namespace

const QString TrafficView::CutMark = QStringLiteral(" [...] ");

TrafficView::TrafficView(QWidget* parent) : QAbstractScrollArea(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(&accessibleFactory);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    repaint_.setSingleShot(true);
    connect(&repaint_, &QTimer::timeout, viewport(), [this] { viewport()->update(); });
    notify_.setSingleShot(true);
    connect(&notify_, &QTimer::timeout, this, [this] { notifyChanges(); });
}

QString TrafficView::forDisplay(QString line)
{
    if (line.size() <= MaxLineChars) return line;
    const qsizetype head = MaxLineChars - CutTailChars - CutMark.size();
    return line.left(head) + CutMark + line.right(CutTailChars);
}

void TrafficView::appendLine(QString line)
{
    noteChange();
    if (line.size() > MaxLineChars) line = forDisplay(std::move(line));
    widestLine_ = std::max(widestLine_, int(line.size()));
    scheduleSync();
    chars_ += line.size();
    bytes_ += line.size() * qsizetype(sizeof(QChar));
    lines_.push_back(std::move(line));
    // The newest line always stays, whatever the limits.
    while (lines_.size() > 1 && (int(lines_.size()) > limit_ || bytes_ > byteLimit_)) dropFront();
}

void TrafficView::dropFront()
{
    const qsizetype n = lines_.front().size();
    chars_ -= n;
    bytes_ -= n * qsizetype(sizeof(QChar));
    // A line the tools were told of is kept until they hear it went.
    if (toldKnown_ && firstNumber_ < toldEnd_) toldDropped_.append(std::move(lines_.front()));
    lines_.pop_front();
    ++firstNumber_;
    ++droppedSinceSync_;
}

void TrafficView::clear()
{
    noteChange();
    scheduleSync();
    while (toldKnown_ && !lines_.empty() && firstNumber_ < toldEnd_) {
        toldDropped_.append(std::move(lines_.front()));
        lines_.pop_front();
        ++firstNumber_;
    }
    firstNumber_ += int64_t(lines_.size());
    lines_.clear();
    chars_ = bytes_ = 0;
    widestLine_ = 0;
    anchor_ = cursor_ = Place{firstNumber_, 0};
    droppedSinceSync_ = 0;
    follow_ = true;
}

QString TrafficView::text() const
{
    QString out;
    out.reserve(characterCount());
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += QLatin1Char('\n');
        out += lines_[i];
    }
    return out;
}

void TrafficView::setLimit(int lines)
{
    noteChange();
    limit_ = std::max(1, lines);
    if (int(lines_.size()) > limit_) scheduleSync();
    while (int(lines_.size()) > limit_) dropFront();
}

void TrafficView::setByteLimit(qsizetype bytes)
{
    noteChange();
    byteLimit_ = std::max<qsizetype>(0, bytes);
    if (lines_.size() > 1 && bytes_ > byteLimit_) scheduleSync();
    while (lines_.size() > 1 && bytes_ > byteLimit_) dropFront();
}

// ---------------------------------------------------------------------------
// Selection

TrafficView::Place TrafficView::clamp(Place p) const
{
    if (lines_.empty()) return Place{firstNumber_, 0};
    const int64_t last = firstNumber_ + int64_t(lines_.size()) - 1;
    if (p.line < firstNumber_) return Place{firstNumber_, 0};
    if (p.line > last) return Place{last, int(lines_.back().size())};
    p.column = std::clamp(p.column, 0, int(lines_[size_t(p.line - firstNumber_)].size()));
    return p;
}

void TrafficView::select(int fromLine, int fromColumn, int toLine, int toColumn)
{
    anchor_ = clamp(Place{firstNumber_ + fromLine, fromColumn});
    cursor_ = clamp(Place{firstNumber_ + toLine, toColumn});
    viewport()->update();
}

void TrafficView::selectAll()
{
    if (lines_.empty()) return;
    select(0, 0, lineCount() - 1, int(lines_.back().size()));
}

bool TrafficView::hasSelectedText() const
{
    return !selectedText().isEmpty();
}

QString TrafficView::selectedText() const
{
    const Place a = clamp(std::min(anchor_, cursor_));
    const Place b = clamp(std::max(anchor_, cursor_));
    if (lines_.empty() || a == b) return {};
    QString out;
    for (int64_t n = a.line; n <= b.line; ++n) {
        const QString& l = lines_[size_t(n - firstNumber_)];
        const int from = n == a.line ? a.column : 0;
        const int to = n == b.line ? b.column : int(l.size());
        if (n != a.line) out += QLatin1Char('\n');
        out += l.mid(from, to - from);
    }
    return out;
}

void TrafficView::copy() const
{
    const QString s = selectedText();
    if (!s.isEmpty()) QApplication::clipboard()->setText(s);
}

int TrafficView::topLine() const
{
    return verticalScrollBar()->value();
}

// ---------------------------------------------------------------------------
// Offsets for assistive tools

int TrafficView::characterCount() const
{
    return int(chars_) + std::max(0, lineCount() - 1);
}

int TrafficView::offsetOf(Place p) const
{
    p = clamp(p);
    int offset = 0;
    for (int64_t n = firstNumber_; n < p.line; ++n) offset += int(lines_[size_t(n - firstNumber_)].size()) + 1;
    return offset + p.column;
}

TrafficView::Place TrafficView::placeOfOffset(int offset) const
{
    int rest = std::max(0, offset);
    for (size_t i = 0; i < lines_.size(); ++i) {
        const int size = int(lines_[i].size());
        if (rest <= size) return Place{firstNumber_ + int64_t(i), rest};
        rest -= size + 1;
    }
    return clamp(Place{firstNumber_ + int64_t(lines_.size()), 0});
}

// ---------------------------------------------------------------------------
// Telling assistive tools what changed

void TrafficView::noteChange()
{
    // Nobody listens, or the view is not shown: the tools read the text
    // afresh when they come or the view shows.
    if (!toolsListen() || !isVisible()) {
        if (toldKnown_) {
            toldKnown_ = false;
            toldDropped_.clear();
            notify_.stop();
        }
        return;
    }
    if (!toldKnown_) {
        // They read what the view holds now, before this change.
        toldKnown_ = true;
        toldFirst_ = firstNumber_;
        toldEnd_ = firstNumber_ + int64_t(lines_.size());
    }
    // A flood is told a few times a second, each time all that came since;
    // a change after a quiet moment at the next pass of the event loop.
    if (notify_.isActive()) return;
    const qint64 since = lastNotify_.isValid() ? lastNotify_.elapsed() : NotifyMs;
    notify_.start(int(std::max<qint64>(0, NotifyMs - since)));
}

void TrafficView::notifyChanges()
{
    if (!toldKnown_) return;
    if (!toolsListen() || !isVisible()) {
        toldKnown_ = false;
        toldDropped_.clear();
        return;
    }
    lastNotify_.start();
    const int64_t end = firstNumber_ + int64_t(lines_.size());
    // The lines told of that are still held, and those that came after.
    const int64_t keptFrom = std::max(toldFirst_, firstNumber_);
    const bool kept = keptFrom < toldEnd_;
    const int64_t newFrom = std::max(toldEnd_, firstNumber_);
    if (!toldDropped_.isEmpty()) {
        // Each dropped line went with the line break after it, when a line
        // the tools know stays after it.
        QString gone = toldDropped_.join(QLatin1Char('\n'));
        if (kept) gone += QLatin1Char('\n');
        toldDropped_.clear();
        QAccessibleTextRemoveEvent removed(this, 0, gone);
        tellTools(removed);
    }
    if (newFrom < end) {
        QString came;
        for (int64_t n = newFrom; n < end; ++n) {
            if (n != newFrom || kept) came += QLatin1Char('\n');
            came += lines_[size_t(n - firstNumber_)];
        }
        QAccessibleTextInsertEvent inserted(this, characterCount() - int(came.size()), came);
        tellTools(inserted);
    }
    toldFirst_ = firstNumber_;
    toldEnd_ = end;
}

// ---------------------------------------------------------------------------
// Scrolling and painting

void TrafficView::scheduleSync()
{
    if (!syncPending_) {
        syncPending_ = true;
        // Whether to follow is decided by where the view stood before the
        // new lines came.
        const QScrollBar* v = verticalScrollBar();
        follow_ = v->value() >= v->maximum();
    }
    // A hidden view owes its sync to the next show: laying out and measuring
    // lines nobody sees (the glyph table first) would be wasted.
    if (syncPosted_ || !isVisible()) return;
    syncPosted_ = true;
    QMetaObject::invokeMethod(this, [this] { sync(); }, Qt::QueuedConnection);
}

void TrafficView::sync()
{
    syncPosted_ = false;
    if (!isVisible()) return;  // hidden meanwhile: the show syncs
    syncPending_ = false;
    QScrollBar* v = verticalScrollBar();
    const int page = visibleLines();
    const int top = std::max(0, lineCount() - page);
    const int old = v->value();
    v->setRange(0, top);
    v->setPageStep(page);
    v->setValue(follow_ ? top : std::max(0, old - droppedSinceSync_));
    droppedSinceSync_ = 0;
    follow_ = true;
    QScrollBar* h = horizontalScrollBar();
    const int width = viewport()->width();
    const qreal cw = columnWidth();
    h->setRange(0, std::max(0, int(std::ceil(widestLine_ * cw)) + 2 * Margin - width));
    h->setPageStep(width);
    h->setSingleStep(std::max(1, int(std::lround(cw))));
    repaintSoon();
}

void TrafficView::repaintSoon()
{
    // A flood of lines repaints the view once a frame, not once for each
    // pass of the event loop: nobody reads faster, and drawing the text
    // cost more than all the rest of the console put together. A line after
    // a quiet moment shows at once.
    if (repaint_.isActive()) return;
    const qint64 since = lastPaint_.isValid() ? lastPaint_.elapsed() : FrameMs;
    if (since >= FrameMs)
        viewport()->update();
    else
        repaint_.start(int(FrameMs - since));
}

void TrafficView::scrollContentsBy(int, int)
{
    repaintSoon();
}

int TrafficView::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

qreal TrafficView::columnWidth() const
{
    // The glyphs' own advance: text drawn by the platform sets a glyph
    // there, so the selection, the mouse and the glyphs agree on every
    // column, however far along the line.
    const Glyphs& g = glyphs();
    if (g.ready) return g.advance;
    return std::max<qreal>(1, QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0')));
}

qreal TrafficView::firstColumnX() const
{
    return Margin - horizontalScrollBar()->value();
}

int TrafficView::visibleLines() const
{
    return std::max(1, viewport()->height() / lineHeight());
}

void TrafficView::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    scheduleSync();
}

void TrafficView::showEvent(QShowEvent* e)
{
    QAbstractScrollArea::showEvent(e);
    scheduleSync();
}

void TrafficView::changeEvent(QEvent* e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        glyphs_ = Glyphs{};
        scheduleSync();
    }
}

const TrafficView::Glyphs& TrafficView::glyphs() const
{
    if (glyphs_.built) return glyphs_;
    Glyphs g;
    g.built = true;
    g.font = QRawFont::fromFont(font());
    if (g.font.isValid()) {
        QString latin1(256, Qt::Uninitialized);
        for (int c = 0; c < 256; ++c) latin1[c] = QChar(c);
        const QList<quint32> index = g.font.glyphIndexesForString(latin1);
        if (index.size() == 256) {
            const QList<QPointF> advances = g.font.advancesForGlyphIndexes(index);
            g.advance = advances['0'].x();
            for (int c = 0; c < 256; ++c) {
                g.index[size_t(c)] = index[c];
                // Only glyphs that the font has, one column wide: anything
                // else is left to the platform's text drawing.
                const bool shown = (c >= 0x20 && c < 0x7F) || c >= 0xA0;
                g.printable[size_t(c)] = shown && index[c] != 0 && advances[c].x() == g.advance;
            }
            g.ready = g.advance > 0;
        }
    }
    glyphs_ = g;
    return glyphs_;
}

void TrafficView::drawColumns(QPainter& p, const QString& l, int from, int to, QPointF at) const
{
    if (to <= from) return;
    const Glyphs& g = glyphs();
    if (g.ready) {
        runIndexes_.clear();
        runPositions_.clear();
        bool plain = true;
        for (int c = from; c < to && plain; ++c) {
            const char16_t u = l[c].unicode();
            plain = u < 256 && g.printable[u];
            runIndexes_.append(g.index[u & 0xFF]);
            runPositions_.append(QPointF((c - from) * g.advance, 0));
        }
        if (plain) {
            QGlyphRun run;
            run.setRawFont(g.font);
            run.setGlyphIndexes(runIndexes_);
            run.setPositions(runPositions_);
            p.drawGlyphRun(at, run);
            return;
        }
    }
    p.drawText(at, l.mid(from, to - from));
}

void TrafficView::paintEvent(QPaintEvent*)
{
    lastPaint_.start();
    QPainter p(viewport());
    p.setFont(font());
    const int lh = lineHeight();
    const qreal cw = columnWidth();
    const int ascent = fontMetrics().ascent();
    const qreal x0 = firstColumnX();
    // Only the columns inside the viewport are drawn: a long line costs no
    // more than a short one.
    const int width = viewport()->width();
    const int firstColumn = std::max(0, int(std::floor(-x0 / cw)));
    const int endColumn = std::max(firstColumn, int(std::ceil((width - x0) / cw)) + 1);
    const Place a = clamp(std::min(anchor_, cursor_));
    const Place b = clamp(std::max(anchor_, cursor_));
    const bool selection = !(a == b);
    const QColor text = palette().color(QPalette::Text);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlighted = palette().color(QPalette::HighlightedText);
    p.setPen(text);
    const int height = viewport()->height();
    for (int i = topLine(), y = 0; i < lineCount() && y < height; ++i, y += lh) {
        const QString& l = lines_[size_t(i)];
        const int size = int(l.size());
        const int from = std::min(firstColumn, size);
        const int to = std::min(endColumn, size);
        drawColumns(p, l, from, to, QPointF(x0 + from * cw, y + ascent));
        const int64_t n = firstNumber_ + i;
        if (!selection || n < a.line || n > b.line) continue;
        const int selFrom = std::max(from, n == a.line ? a.column : 0);
        const int selTo = std::min(to, n == b.line ? b.column : size);
        if (selTo <= selFrom) continue;
        p.fillRect(QRectF(x0 + selFrom * cw, y, (selTo - selFrom) * cw, lh), highlight);
        p.setPen(highlighted);
        drawColumns(p, l, selFrom, selTo, QPointF(x0 + selFrom * cw, y + ascent));
        p.setPen(text);
    }
}

// ---------------------------------------------------------------------------
// Operator

TrafficView::Place TrafficView::placeAt(const QPoint& pos) const
{
    const int row = pos.y() < 0 ? -1 : pos.y() / lineHeight();
    const qreal x = pos.x() - firstColumnX();
    // The nearest boundary between two characters.
    const int column = x <= 0 ? 0 : int(std::floor(x / columnWidth() + 0.5));
    return clamp(Place{firstNumber_ + topLine() + row, column});
}

void TrafficView::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
    cursor_ = placeAt(e->position().toPoint());
    if (!(e->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
    selecting_ = true;
    viewport()->update();
}

void TrafficView::mouseMoveEvent(QMouseEvent* e)
{
    if (!selecting_) return QAbstractScrollArea::mouseMoveEvent(e);
    cursor_ = placeAt(e->position().toPoint());
    viewport()->update();
}

void TrafficView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) selecting_ = false;
    QAbstractScrollArea::mouseReleaseEvent(e);
}

void TrafficView::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || lines_.empty()) return;
    const Place at = placeAt(e->position().toPoint());
    anchor_ = Place{at.line, 0};
    cursor_ = clamp(Place{at.line, int(lines_[size_t(at.line - firstNumber_)].size())});
    viewport()->update();
}

void TrafficView::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy)) {
        copy();
    } else if (e->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else {
        QAbstractScrollArea::keyPressEvent(e);
    }
}

void TrafficView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    QAction* copyItem = menu.addAction(QStringLiteral("&Copy"), this, [this] { copy(); });
    copyItem->setEnabled(hasSelectedText());
    menu.addAction(QStringLiteral("Select &All"), this, [this] { selectAll(); });
    menu.exec(e->globalPos());
}

// ---------------------------------------------------------------------------
// Assistive tools: the lines as one read-only text, lines joined by "\n".

class TrafficViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TrafficViewAccessible(TrafficView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return view().text();
        return QAccessibleWidget::text(t);
    }

    // Selection: the one the mouse makes.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || selectionCount() == 0) return;
        const TrafficView& v = view();
        *startOffset = v.offsetOf(std::min(v.anchor_, v.cursor_));
        *endOffset = v.offsetOf(std::max(v.anchor_, v.cursor_));
    }
    int selectionCount() const override
    {
        const TrafficView& v = view();
        return v.clamp(v.anchor_) == v.clamp(v.cursor_) ? 0 : 1;
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex != 0) return;
        TrafficView& v = view();
        v.anchor_ = v.cursor_;
        v.viewport()->update();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex != 0) return;
        TrafficView& v = view();
        v.anchor_ = v.placeOfOffset(startOffset);
        v.cursor_ = v.placeOfOffset(endOffset);
        v.viewport()->update();
    }

    int cursorPosition() const override { return view().offsetOf(view().cursor_); }
    void setCursorPosition(int position) override
    {
        TrafficView& v = view();
        v.anchor_ = v.cursor_ = v.placeOfOffset(position);
        v.viewport()->update();
    }

    QString text(int startOffset, int endOffset) const override
    {
        const TrafficView& v = view();
        const int count = v.characterCount();
        startOffset = std::clamp(startOffset, 0, count);
        endOffset = std::clamp(endOffset, startOffset, count);
        if (endOffset == startOffset) return {};
        const TrafficView::Place a = v.placeOfOffset(startOffset);
        const TrafficView::Place b = v.placeOfOffset(endOffset);
        QString out;
        out.reserve(endOffset - startOffset);
        for (int64_t n = a.line; n <= b.line; ++n) {
            const QString& l = v.lines_[size_t(n - v.firstNumber_)];
            const int from = n == a.line ? a.column : 0;
            const int to = n == b.line ? b.column : int(l.size());
            if (n != a.line) out += QLatin1Char('\n');
            out += QStringView(l).mid(from, to - from);
        }
        return out;
    }
    int characterCount() const override { return view().characterCount(); }

    QRect characterRect(int offset) const override
    {
        const TrafficView& v = view();
        if (v.lines_.empty()) return {};
        const TrafficView::Place p = v.placeOfOffset(offset);
        const int row = int(p.line - v.firstNumber_) - v.topLine();
        const qreal cw = v.columnWidth();
        const QRectF r(v.firstColumnX() + p.column * cw, row * v.lineHeight(), cw, v.lineHeight());
        return QRect(v.viewport()->mapToGlobal(r.topLeft().toPoint()), r.size().toSize());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const TrafficView& v = view();
        const QPoint local = v.viewport()->mapFromGlobal(point);
        if (!v.viewport()->rect().contains(local) || v.lines_.empty()) return -1;
        return v.offsetOf(v.placeAt(local));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        Q_UNUSED(endIndex);
        TrafficView& v = view();
        if (v.lines_.empty()) return;
        const TrafficView::Place p = v.placeOfOffset(startIndex);
        const int index = int(p.line - v.firstNumber_);
        QScrollBar* vertical = v.verticalScrollBar();
        if (index < v.topLine())
            vertical->setValue(index);
        else if (index >= v.topLine() + v.visibleLines())
            vertical->setValue(index - v.visibleLines() + 1);
        QScrollBar* horizontal = v.horizontalScrollBar();
        const int x = int(p.column * v.columnWidth());
        if (x < horizontal->value() || x >= horizontal->value() + v.viewport()->width()) horizontal->setValue(x);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        // One look for the whole text.
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    TrafficView& view() const { return *static_cast<TrafficView*>(widget()); }
};

namespace {
QAccessibleInterface* accessibleFactory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<TrafficView*>(object)) return new TrafficViewAccessible(view);
    return nullptr;
}
}  // namespace
