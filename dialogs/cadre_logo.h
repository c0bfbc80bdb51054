#pragma once
// TCadre_logo ("Logo mouse driver"): places the inserted logo on the output
// picture, and in logo-capture mode also sizes it, by dragging a rectangle
// with the mouse.
//
// The window draws a scaled picture of the output area and the logo
// rectangle from the device's logo registers, so it always shows what the
// device last reported, never the pointer itself. Mouse drags become
// streams of register values sent paced by the device: the next value of a
// stream goes out only once the device has reported the previous one. The
// main window forwards the reports of LHPOS, LVPOS (and, in mode 1, LHSIZ
// and LVSIZ) while the window is visible, and every report of IASP.

#include <QDialog>
#include <QPointer>
#include <QPointF>
#include <QRect>

#include <cstdint>
#include <vector>

class TZEPH350_d;

class TCadre_logo : public QDialog {
public:
    explicit TCadre_logo(TZEPH350_d* device, QWidget* parent = nullptr);

    // The buttons and keys held during a mouse event.
    struct TShiftState {
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        // Exactly the left button, no other button and no Shift, Ctrl or Alt.
        bool leftOnly() const { return buttons == Qt::LeftButton && modifiers == Qt::NoModifier; }
    };

    // What is drawn for a set of register values. The sizes used for the
    // geometry are limited to 0..255 (the registers keep what the device
    // said), so a wild reply cannot ask for a huge window.
    struct Geometry {
        QSize area;           // the drawing area, and the window's client size
        bool bars = false;    // letterbox bars drawn
        QRect topBar, bottomBar;
        QRect logo;           // the logo rectangle
    };
    static Geometry layout(uint32_t LMODE, uint32_t LHPOS, uint32_t LVPOS, uint32_t LHSIZ, uint32_t LVSIZ,
                           uint32_t IFAMM, uint32_t IASP);
    Geometry layout() const;

    void FormCreate();
    void FormShow();
    // Sizes the surface and the window to the drawing area and repaints.
    void PaintBox1Paint();
    void PaintBox1MouseDown(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void PaintBox1MouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void PaintBox1MouseUp(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);

    // The device reported the register (called by the main window while
    // this window is visible): its queue may send its next value.
    void ZEPH350_d1LHPOSchange();
    void ZEPH350_d1LVPOSchange();
    void ZEPH350_d1LHSIZchange();
    void ZEPH350_d1LVSIZchange();
    // Every IASP report: the letterbox bars may change.
    void ZEPH350_d1IASPchange();
    // Sends what the may-send flags allow, then repaints.
    void cadragereception();

    // --- pacing state ----------------------------------------------------
    static constexpr uint32_t QueueSize = 65536;
    enum Queue { QLHPOS, QLVPOS, QLHSIZ, QLVSIZ, QueueCount };
    std::vector<uint32_t> queue[QueueCount];
    uint32_t positionCount = 0;  // both position queues
    uint32_t hsizCount = 0;
    uint32_t vsizCount = 0;
    uint32_t readIndex[QueueCount] = {};
    bool maySend[QueueCount] = {};

    // --- drag state --------------------------------------------------------
    bool moving = false;
    bool resizingH = false;
    bool resizingV = false;
    bool moveMode = false;  // the drag began inside the logo
    int grabX = 0, grabY = 0;

    QWidget* PaintBox1;

protected:
    void showEvent(QShowEvent* event) override;
    // No button closes this window: Escape does not either.
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Surface;
    friend class Surface;
    void paintSurface(QPainter& p) const;
    // The hit tests, against the stored registers; the three-quarter lines
    // of the logo.
    QPointF threeQuarters() const;
    bool inside(int X, int Y) const;
    bool rightBand(int X, int Y) const;
    bool bottomBand(int X, int Y) const;
    bool corner(int X, int Y) const;
    // Steps H and V of a mouse move: the first value of a size stream.
    void startResize(bool horizontal, TShiftState Shift, int X, int Y);
    void write(Queue q, uint32_t v);

    QPointer<TZEPH350_d> device_;
};
