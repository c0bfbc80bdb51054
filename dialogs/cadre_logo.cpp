#include "cadre_logo.h"

#include "escape_key.h"
#include "zeph350_d.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

// The drawing surface: paints and reports the mouse to the window.
class TCadre_logo::Surface : public QWidget {
public:
    explicit Surface(TCadre_logo* owner) : QWidget(owner), owner_(owner)
    {
        setMouseTracking(true);
        setCursor(Qt::ArrowCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        owner_->paintSurface(p);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint at = e->position().toPoint();
        owner_->PaintBox1MouseDown(this, e->button(), {e->buttons(), e->modifiers()}, at.x(), at.y());
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint at = e->position().toPoint();
        owner_->PaintBox1MouseMove(this, {e->buttons(), e->modifiers()}, at.x(), at.y());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QPoint at = e->position().toPoint();
        owner_->PaintBox1MouseUp(this, e->button(), {e->buttons(), e->modifiers()}, at.x(), at.y());
    }

private:
    TCadre_logo* owner_;
};

namespace {

// The drawing area of the capture modes: 257 x 257, with bars of 33 when
// the picture is letterboxed.
constexpr int Area = 257;
constexpr int CaptureBar = 33;

// A rectangle given by its corners, right and bottom excluded.
QRect corners(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
}

int64_t clampByte(uint32_t v)
{
    return std::min<uint32_t>(v, 255);
}

}  // namespace

TCadre_logo::TCadre_logo(TZEPH350_d* device, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      device_(device)
{
    setObjectName(QStringLiteral("Cadre_logo"));
    setWindowTitle(QStringLiteral("Logo mouse driver"));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    PaintBox1 = new Surface(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    // The window sizes itself to the surface, which sits at its origin.
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(PaintBox1);
    box->setSizeConstraint(QLayout::SetFixedSize);

    for (auto& q : queue) q.assign(QueueSize, 0);
    FormCreate();
    PaintBox1Paint();
}

void TCadre_logo::FormCreate()
{
    positionCount = hsizCount = vsizCount = 0;
    std::fill(std::begin(readIndex), std::end(readIndex), 1u);
}

void TCadre_logo::FormShow()
{
    FormCreate();
    cadragereception();
}

void TCadre_logo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

// --- painting ---------------------------------------------------------------

TCadre_logo::Geometry TCadre_logo::layout(uint32_t LMODE, uint32_t LHPOS, uint32_t LVPOS, uint32_t LHSIZ,
                                          uint32_t LVSIZ, uint32_t IFAMM, uint32_t IASP)
{
    const int hsiz = int(clampByte(LHSIZ)), vsiz = int(clampByte(LVSIZ));
    const int hpos = int(clampByte(LHPOS)), vpos = int(clampByte(LVPOS));
    Geometry g;
    g.bars = IFAMM >= 24 || (IFAMM == 19 && IASP == 2);
    if (LMODE != 0) {
        g.area = QSize(Area, Area);
        g.topBar = corners(0, 0, Area, CaptureBar);
        g.bottomBar = corners(0, Area - CaptureBar, Area, Area);
    } else {
        // In use mode the area grows by the logo's size, so that the logo
        // can reach the right and bottom edges.
        const int width = hsiz + Area, height = vsiz + Area;
        g.area = QSize(width, height);
        const int picture = int(uint32_t(hsiz + 255) * 1000u / 1333u);
        const int m = ((vsiz + 255) - picture) / 2;
        g.topBar = corners(0, 0, width, m);
        g.bottomBar = corners(0, vsiz + 255 - m, width, vsiz + 255);
    }
    if (!g.bars) g.topBar = g.bottomBar = QRect();
    g.logo = corners(hpos, vpos, hpos + hsiz, vpos + vsiz);
    return g;
}

TCadre_logo::Geometry TCadre_logo::layout() const
{
    if (!device_) return layout(0, 0, 0, 0, 0, 0, 0);
    const TZEPH350_d& z = *device_;
    return layout(z.LMODE(), z.LHPOS(), z.LVPOS(), z.LHSIZ(), z.LVSIZ(), z.IFAMM(), z.IASP());
}

void TCadre_logo::PaintBox1Paint()
{
    const QSize area = layout().area;
    if (PaintBox1->size() != area) PaintBox1->setFixedSize(area);
    PaintBox1->update();
}

void TCadre_logo::paintSurface(QPainter& p) const
{
    const Geometry g = layout();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    // Outline and fill, right and bottom edges excluded.
    const auto rectangle = [&p](const QRect& r) {
        if (r.width() > 0 && r.height() > 0) p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    rectangle(QRect(QPoint(0, 0), g.area));
    if (g.bars) {
        p.setBrush(QBrush(Qt::black, Qt::FDiagPattern));
        rectangle(g.topBar);
        rectangle(g.bottomBar);
        p.setBrush(Qt::white);
    }
    p.setPen(QPen(Qt::black, 2));
    rectangle(g.logo);
}

void TCadre_logo::ZEPH350_d1IASPchange()
{
    PaintBox1Paint();
}

// --- mouse ------------------------------------------------------------------

QPointF TCadre_logo::threeQuarters() const
{
    // In floating point, as LHPOS + LHSIZ / 4 x 3.
    const TZEPH350_d& z = *device_;
    return QPointF(double(z.LHPOS()) + double(z.LHSIZ()) / 4 * 3, double(z.LVPOS()) + double(z.LVSIZ()) / 4 * 3);
}

bool TCadre_logo::inside(int X, int Y) const
{
    const QPointF q = threeQuarters();
    return int64_t(device_->LHPOS()) < X && X < q.x() && int64_t(device_->LVPOS()) < Y && Y < q.y();
}

bool TCadre_logo::rightBand(int X, int Y) const
{
    const QPointF q = threeQuarters();
    return int64_t(device_->LVPOS()) < Y && Y < q.y() && X >= q.x();
}

bool TCadre_logo::bottomBand(int X, int Y) const
{
    const QPointF q = threeQuarters();
    return int64_t(device_->LHPOS()) < X && X < q.x() && Y >= q.y();
}

bool TCadre_logo::corner(int X, int Y) const
{
    const int64_t dx = X - int64_t(device_->LHPOS()), dy = Y - int64_t(device_->LVPOS());
    return std::sqrt(double(dx * dx + dy * dy)) < 7;
}

void TCadre_logo::write(Queue q, uint32_t v)
{
    static constexpr int regs[QueueCount] = {zeph::Reg::LHPOS, zeph::Reg::LVPOS, zeph::Reg::LHSIZ, zeph::Reg::LVSIZ};
    maySend[q] = false;
    if (device_) device_->writeRegister(regs[q], v);
}

void TCadre_logo::PaintBox1MouseDown(QObject*, Qt::MouseButton, TShiftState Shift, int X, int Y)
{
    if (!device_ || !Shift.leftOnly() || !inside(X, Y)) return;
    moving = true;
    moveMode = true;
    grabX = X - int(device_->LHPOS());
    grabY = Y - int(device_->LVPOS());
}

void TCadre_logo::PaintBox1MouseUp(QObject*, Qt::MouseButton, TShiftState, int, int)
{
    moving = resizingH = resizingV = moveMode = false;
}

void TCadre_logo::startResize(bool horizontal, TShiftState Shift, int X, int Y)
{
    PaintBox1->setCursor(horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    uint32_t& count = horizontal ? hsizCount : vsizCount;
    if (!Shift.leftOnly() || count != 0 || positionCount != 0) return;
    const Queue q = horizontal ? QLHSIZ : QLVSIZ;
    const uint32_t size = horizontal ? uint32_t(X - int64_t(device_->LHPOS())) : uint32_t(Y - int64_t(device_->LVPOS()));
    (horizontal ? resizingH : resizingV) = true;
    readIndex[q] = 0;
    queue[q][0] = size;
    write(q, size);
    count = 1;
}

void TCadre_logo::PaintBox1MouseMove(QObject*, TShiftState Shift, int X, int Y)
{
    if (!device_) return;
    const TZEPH350_d& z = *device_;
    const bool left = Shift.leftOnly();
    const auto cursor = [this] { return PaintBox1->cursor().shape(); };

    // 1. Moving a logo grabbed inside: the point becomes the wanted corner.
    if (moveMode) {
        X -= grabX;
        Y -= grabY;
    }
    // 2. A resize in progress keeps its direction while the point stays in
    // the area.
    bool resized = false;
    if (resizingH && int64_t(z.LHPOS()) < X && X < 255) {
        startResize(true, Shift, X, Y);
        resized = true;
    } else if (resizingV && int64_t(z.LVPOS()) < Y && Y < 255) {
        startResize(false, Shift, X, Y);
        resized = true;
    } else if (corner(X, Y) || (moving && left && cursor() == Qt::SizeAllCursor)) {
        // 3. The corner, or a move going on from it.
        moving = true;
        PaintBox1->setCursor(moveMode ? Qt::PointingHandCursor : Qt::SizeAllCursor);
    } else if (inside(X, Y) || (moving && left && cursor() == Qt::PointingHandCursor)) {
        // 4. Inside, or a move going on from there.
        moving = true;
        PaintBox1->setCursor(Qt::PointingHandCursor);
    } else {
        // 5. to 7. Elsewhere; in logo-capture mode the bands size the logo.
        PaintBox1->setCursor(Qt::ArrowCursor);
        if (z.LMODE() == 1 && rightBand(X, Y)) {
            startResize(true, Shift, X, Y);
            resized = true;
        } else if (z.LMODE() == 1 && bottomBand(X, Y)) {
            startResize(false, Shift, X, Y);
            resized = true;
        }
    }
    // 8. Positions: never while a size value is pending, and a sizing
    // cursor ends here.
    if (resized) return;
    const Qt::CursorShape shape = cursor();
    if (shape != Qt::ArrowCursor && shape != Qt::SizeAllCursor && shape != Qt::PointingHandCursor) return;
    if (!left || hsizCount != 0 || vsizCount != 0 || X < 0 || Y < 0) return;
    if (positionCount == 0) {
        readIndex[QLHPOS] = readIndex[QLVPOS] = 0;
        queue[QLHPOS][0] = uint32_t(X);
        queue[QLVPOS][0] = uint32_t(Y);
        write(QLHPOS, uint32_t(X));
        write(QLVPOS, uint32_t(Y));
        positionCount = 1;
    } else if (positionCount < QueueSize) {
        // A full queue takes nothing more until the device has drained it.
        queue[QLHPOS][positionCount] = uint32_t(std::min(X, 255));
        queue[QLVPOS][positionCount] = uint32_t(std::min(Y, 255));
        ++positionCount;
    }
}

// --- pacing -----------------------------------------------------------------

void TCadre_logo::ZEPH350_d1LHPOSchange()
{
    maySend[QLHPOS] = true;
    cadragereception();
}

void TCadre_logo::ZEPH350_d1LVPOSchange()
{
    maySend[QLVPOS] = true;
    cadragereception();
}

void TCadre_logo::ZEPH350_d1LHSIZchange()
{
    maySend[QLHSIZ] = true;
    cadragereception();
}

void TCadre_logo::ZEPH350_d1LVSIZchange()
{
    maySend[QLVSIZ] = true;
    cadragereception();
}

void TCadre_logo::cadragereception()
{
    // Positions: once everything queued is sent, the next move starts a new
    // queue. The read index jumps halfway to the newest entry, so a backlog
    // is crossed in a few reports and the newest value is always sent last.
    if (positionCount != 0) {
        if (readIndex[QLHPOS] >= positionCount && readIndex[QLVPOS] >= positionCount) positionCount = 0;
        for (Queue q : {QLHPOS, QLVPOS}) {
            uint32_t& i = readIndex[q];
            if (maySend[q] && i < positionCount) {
                write(q, queue[q][i]);
                i += (positionCount + 1 - i) / 2;
            }
        }
    }
    // Sizes: every value in turn.
    for (Queue q : {QLHSIZ, QLVSIZ}) {
        uint32_t& count = q == QLHSIZ ? hsizCount : vsizCount;
        if (count == 0) continue;
        uint32_t& i = readIndex[q];
        if (i >= count) count = 0;
        if (maySend[q] && i < count) {
            write(q, queue[q][i]);
            ++i;
        }
    }
    PaintBox1Paint();
}

void TCadre_logo::keyPressEvent(QKeyEvent* event)
{
    if (holdEscape(event)) return;
    QDialog::keyPressEvent(event);
}
