#pragma once
// TrafficView: the console's read-only view of received lines. It keeps the
// newest lines only: at most 10,000 of them (a device that sends a
// keep-alive every two seconds would otherwise fill the memory over a long
// session) and at most 4 MB of text, so that long lines cannot fill it
// either. A line longer than 1,000 characters is cut for display: its
// beginning and its end are kept with " [...] " between them. What the
// device sent is not touched; only the view's copy is cut.
//
// Appending costs a string move: the scroll range follows once per pass of
// the event loop, and the painting too, but while lines keep coming no more
// than once a frame (16 ms); a hidden view catches up when it is shown and
// measures nothing before. Only the visible lines and columns are drawn
// (one fixed-pitch font, so a column is a character). The operator selects
// with the mouse (Shift extends, a double click takes the line) and copies
// with the usual keys or the context menu; the view follows the newest line
// while it is scrolled to the bottom and keeps its place otherwise. Assistive tools read its lines as one text, lines
// joined by "\n", and hear what came and went: while they listen and the
// view is shown, what changed since they last heard is told at most every
// NotifyMs, as one removal at the start (lines dropped, or a clear) and one
// insertion at the end (the lines that came and are still held).

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <deque>

class TrafficViewAccessible;

class TrafficView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int DefaultLimit = 10000;
    static constexpr qsizetype DefaultByteLimit = 4 * 1024 * 1024;
    static constexpr int MaxLineChars = 1000;
    static constexpr int CutTailChars = 200;  // what a cut line keeps of its end
    static const QString CutMark;
    static constexpr int FrameMs = 16;  // the shortest time between two paints of new lines
    static constexpr int NotifyMs = 250;  // the shortest time between two changes told to assistive tools

    explicit TrafficView(QWidget* parent = nullptr);

    void appendLine(QString line);
    void clear();
    int lineCount() const { return int(lines_.size()); }
    const QString& line(int i) const { return lines_[size_t(i)]; }
    // Every line, joined by "\n".
    QString text() const;
    int limit() const { return limit_; }
    void setLimit(int lines);
    // The bytes of text the view holds, and the most it keeps.
    qsizetype byteCount() const { return bytes_; }
    qsizetype byteLimit() const { return byteLimit_; }
    void setByteLimit(qsizetype bytes);
    // A line as the view keeps it: cut when longer than MaxLineChars.
    static QString forDisplay(QString line);

    // Selection from (line, column) to (line, column), the end excluded;
    // line numbers count from the first line kept.
    void select(int fromLine, int fromColumn, int toLine, int toColumn);
    void selectAll();
    bool hasSelectedText() const;
    // The selected characters, lines joined by "\n".
    QString selectedText() const;
    void copy() const;

    // The first line shown (the vertical scroll position).
    int topLine() const;
    // The width of one column, in pixels (fractional, as the font sets its
    // glyphs).
    qreal columnWidth() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class TrafficViewAccessible;

    // A place in the text: the line by its number since the view was made
    // (so that it survives lines dropping off the top), and a column.
    struct Place {
        int64_t line = 0;
        int column = 0;
        bool operator<(const Place& o) const { return line < o.line || (line == o.line && column < o.column); }
        bool operator==(const Place& o) const { return line == o.line && column == o.column; }
    };
    Place placeAt(const QPoint& viewportPos) const;
    Place clamp(Place p) const;
    void dropFront();
    // Assistive tools: a change to the text is about to be made; and what
    // changed since they last heard, told.
    void noteChange();
    void notifyChanges();
    void scheduleSync();
    void sync();
    void repaintSoon();
    int lineHeight() const;
    int visibleLines() const;
    qreal firstColumnX() const;  // where column 0 stands in the viewport

    // The text as assistive tools read it: a character offset in the lines
    // joined by "\n", and back.
    int characterCount() const;
    int offsetOf(Place p) const;
    Place placeOfOffset(int offset) const;

    // Glyphs of the printable Latin-1 characters in the view's font, so
    // that painting a line needs no text shaping: a fixed-pitch font puts
    // every glyph one column after the one before.
    struct Glyphs {
        QRawFont font;
        std::array<quint32, 256> index{};
        std::array<bool, 256> printable{};
        qreal advance = 1;
        bool built = false;  // looked for in the present font
        bool ready = false;  // and usable
    };
    const Glyphs& glyphs() const;
    void drawColumns(QPainter& p, const QString& l, int from, int to, QPointF at) const;

    std::deque<QString> lines_;
    int64_t firstNumber_ = 0;  // number of lines_.front()
    int limit_ = DefaultLimit;
    qsizetype byteLimit_ = DefaultByteLimit;
    qsizetype bytes_ = 0;
    qsizetype chars_ = 0;  // characters of all lines
    int widestLine_ = 0;   // in characters
    Place anchor_, cursor_;
    bool selecting_ = false;
    bool syncPending_ = false;  // lines changed since the last sync
    bool syncPosted_ = false;   // and a sync is queued
    bool follow_ = true;   // the view was at the bottom when lines came
    int droppedSinceSync_ = 0;
    QElapsedTimer lastPaint_;
    QTimer repaint_;
    // What assistive tools were last told the text holds: the lines
    // numbered from toldFirst_ to toldEnd_ (excluded), while toldKnown_.
    // The lines among them that dropped off since wait in toldDropped_.
    bool toldKnown_ = false;
    int64_t toldFirst_ = 0;
    int64_t toldEnd_ = 0;
    QStringList toldDropped_;
    QElapsedTimer lastNotify_;
    QTimer notify_;
    mutable Glyphs glyphs_;
    mutable QList<quint32> runIndexes_;  // kept between lines and paints
    mutable QList<QPointF> runPositions_;
};
