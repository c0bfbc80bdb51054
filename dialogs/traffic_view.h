#pragma once
// TrafficView: the console's read-only view of received lines. It keeps the
// newest lines only (10,000 by default): a device that sends a keep-alive
// every two seconds would otherwise fill the memory over a long session.
//
// Appending costs a string move: the scroll range and the painting follow
// once per pass of the event loop, and only the visible lines are drawn
// (one fixed-pitch font, so a column is a character). The operator selects
// with the mouse (Shift extends, a double click takes the line) and copies
// with the usual keys or the context menu; the view follows the newest
// line while it is scrolled to the bottom and keeps its place otherwise.

#include <QAbstractScrollArea>
#include <QString>

#include <cstdint>
#include <deque>

class TrafficView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int DefaultLimit = 10000;

    explicit TrafficView(QWidget* parent = nullptr);

    void appendLine(QString line);
    void clear();
    int lineCount() const { return int(lines_.size()); }
    const QString& line(int i) const { return lines_[size_t(i)]; }
    // Every line, joined by "\n".
    QString text() const;
    int limit() const { return limit_; }
    void setLimit(int lines);

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

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
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
    void scheduleSync();
    void sync();
    int lineHeight() const;
    int charWidth() const;
    int visibleLines() const;

    std::deque<QString> lines_;
    int64_t firstNumber_ = 0;  // number of lines_.front()
    int limit_ = DefaultLimit;
    int widestLine_ = 0;  // in characters
    Place anchor_, cursor_;
    bool selecting_ = false;
    bool syncPending_ = false;
    bool follow_ = true;   // the view was at the bottom when lines came
    int droppedSinceSync_ = 0;
};
