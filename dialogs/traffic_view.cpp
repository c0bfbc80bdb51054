#include "traffic_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
constexpr int Margin = 2;  // left of the first column
}

TrafficView::TrafficView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
}

void TrafficView::appendLine(QString line)
{
    widestLine_ = std::max(widestLine_, int(line.size()));
    scheduleSync();
    lines_.push_back(std::move(line));
    if (int(lines_.size()) > limit_) {
        lines_.pop_front();
        ++firstNumber_;
        ++droppedSinceSync_;
    }
}

void TrafficView::clear()
{
    scheduleSync();
    firstNumber_ += int64_t(lines_.size());
    lines_.clear();
    widestLine_ = 0;
    anchor_ = cursor_ = Place{firstNumber_, 0};
    droppedSinceSync_ = 0;
    follow_ = true;
}

QString TrafficView::text() const
{
    QString out;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += QLatin1Char('\n');
        out += lines_[i];
    }
    return out;
}

void TrafficView::setLimit(int lines)
{
    limit_ = std::max(1, lines);
    while (int(lines_.size()) > limit_) {
        scheduleSync();
        lines_.pop_front();
        ++firstNumber_;
        ++droppedSinceSync_;
    }
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
// Scrolling and painting

void TrafficView::scheduleSync()
{
    if (syncPending_) return;
    syncPending_ = true;
    // Whether to follow is decided by where the view stood before the new
    // lines came.
    const QScrollBar* v = verticalScrollBar();
    follow_ = v->value() >= v->maximum();
    QMetaObject::invokeMethod(this, [this] { sync(); }, Qt::QueuedConnection);
}

void TrafficView::sync()
{
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
    h->setRange(0, std::max(0, widestLine_ * charWidth() + 2 * Margin - width));
    h->setPageStep(width);
    h->setSingleStep(charWidth());
    viewport()->update();
}

int TrafficView::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int TrafficView::charWidth() const
{
    return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0')));
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

void TrafficView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.setFont(font());
    const int lh = lineHeight();
    const int cw = charWidth();
    const int ascent = fontMetrics().ascent();
    const int x0 = Margin - horizontalScrollBar()->value();
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
        p.drawText(x0, y + ascent, l);
        const int64_t n = firstNumber_ + i;
        if (!selection || n < a.line || n > b.line) continue;
        const int from = n == a.line ? a.column : 0;
        const int to = n == b.line ? b.column : int(l.size());
        if (to <= from) continue;
        p.fillRect(x0 + from * cw, y, (to - from) * cw, lh, highlight);
        p.setPen(highlighted);
        p.drawText(x0 + from * cw, y + ascent, l.mid(from, to - from));
        p.setPen(text);
    }
}

// ---------------------------------------------------------------------------
// Operator

TrafficView::Place TrafficView::placeAt(const QPoint& pos) const
{
    const int row = pos.y() < 0 ? -1 : pos.y() / lineHeight();
    const int x = pos.x() - Margin + horizontalScrollBar()->value();
    const int column = x <= 0 ? 0 : (x + charWidth() / 2) / charWidth();
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
