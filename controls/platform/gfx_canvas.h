#pragma once
// TGfxCanvas: the platform's device-context drawing, answered on QPainter.
//
// The library's drawing code was written against a platform whose rules
// differ from Qt's in many small ways. This class keeps those rules in one
// place, so no caller maps them onto QPainter in its own way:
//
// - Rectangles are half-open (TRect): FillRect(L, T, R, B) paints the pixels
//   L..R-1 and T..B-1.
// - MoveTo/LineTo draw from the current position up to, not including, the
//   end point. A pen of width 0 or 1 draws one-pixel lines pixel by pixel
//   (Bresenham), with the dash patterns of the dashed styles; in opaque
//   background mode the gaps of a dashed line take the background colour.
//   Wider pens draw solid, with round ends and joins.
// - Rectangle, Ellipse, RoundRect, Pie and Polygon fill with the brush and
//   outline with the pen. A one-pixel pen outlines the pixels L..R-1, so the
//   shape covers the same pixels as FillRect; without a pen the shape
//   shrinks by one pixel at the right and bottom (L..R-2). Polygons fill the
//   pixels whose top-left point lies inside them (their right and bottom
//   edges stay out), with the alternate or winding rule; curved shapes fill
//   by pixel centres. Every pen and brush drawing uses the pen's raster
//   mode; FillRect, FrameRect and the copies do not.
// - Arc and Pie run counter-clockwise from the radial through the start
//   point to the radial through the end point; equal radials give the whole
//   ellipse.
// - Text: TextOut/ExtTextOut place text by the text alignment (top-left by
//   default, or baseline, bottom, centre, right), draw with the font's
//   escapement (rotated counter-clockwise about the reference point), add
//   the inter-character spacing after every character and fill the text
//   cell in the background colour in opaque mode. DrawText lays out lines
//   by its flags (alignment, word break, single line, tabs, "&" prefixes,
//   calculate-rectangle, clipping, end ellipsis); it draws unrotated.
// - Colours: the text colour follows the font and the background colour and
//   mode follow the brush (a solid brush gives opaque mode in its colour,
//   any other brush transparent mode) whenever the font or brush changes;
//   SetTextColor, SetBkColor and SetBkMode override that until the next
//   change.
// - CopyRect copies (and stretches) another canvas's pixels through the
//   CopyMode raster operation. A monochrome source draws its black pixels
//   in this canvas's text colour and its white ones in its background
//   colour; a monochrome destination takes white where the source has the
//   source canvas's background colour and black elsewhere.
// - Stretching uses the stretch mode: COLORONCOLOR (the default) and the
//   two monochrome modes pick whole pixels, HALFTONE averages them.
// - Clipping is in device pixels, by region; the window origin moves every
//   later coordinate.
// - Between BeginPath and EndPath, lines, shapes and text are recorded into
//   a path instead of drawn; the path is then stroked, filled, widened or
//   turned into a region.
// - DrawEdge draws the platform's 3-D edges from one table of edge colours.
// - Antialiasing is off for shapes and text.
//
// A canvas draws on a QImage, on a TGfxBitmap (its own canvas) or on a
// widget. A widget canvas can only be used while the widget paints. The
// QPainter starts with the first drawing and ends with Release or the
// canvas; reading pixels works on image and bitmap canvases only.

#include "gfx_graphics.h"
#include "gfx_region.h"
#include "gfx_types.h"

#include <QPainterPath>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class QBrush;
class QColor;
class QImage;
class QPaintDevice;
class QPainter;
class QRect;
class TGfxBitmap;

struct TGfxSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TGfxSize&, const TGfxSize&) = default;
};

// Text layout flags of DrawText.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;       // with DT_SINGLELINE only
constexpr unsigned DT_BOTTOM = 0x8;        // with DT_SINGLELINE only
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;   // tab stops every 8 average character widths
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;    // measure only: the rectangle gets the text's size
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// ExtTextOut options.
constexpr unsigned ETO_OPAQUE = 0x2;   // fill the rectangle in the background colour first
constexpr unsigned ETO_CLIPPED = 0x4;  // clip the text to the rectangle

// Text alignment (reference point of TextOut).
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// Raster operations of the copies (CopyMode).
using TGfxCopyMode = std::uint32_t;
constexpr TGfxCopyMode cmBlackness = 0x00000042;
constexpr TGfxCopyMode cmDstInvert = 0x00550009;
constexpr TGfxCopyMode cmMergePaint = 0x00BB0226;  // NOT source OR dest
constexpr TGfxCopyMode cmNotSrcCopy = 0x00330008;
constexpr TGfxCopyMode cmNotSrcErase = 0x001100A6; // NOT (source OR dest)
constexpr TGfxCopyMode cmSrcAnd = 0x008800C6;
constexpr TGfxCopyMode cmSrcCopy = 0x00CC0020;
constexpr TGfxCopyMode cmSrcErase = 0x00440328;    // source AND NOT dest
constexpr TGfxCopyMode cmSrcInvert = 0x00660046;   // source XOR dest
constexpr TGfxCopyMode cmSrcPaint = 0x00EE0086;    // source OR dest
constexpr TGfxCopyMode cmWhiteness = 0x00FF0062;

// DrawEdge: edges and border flags.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_DIAGONAL = 0x10;
constexpr unsigned BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT;
constexpr unsigned BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT;
constexpr unsigned BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT;
constexpr unsigned BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_MIDDLE = 0x800;   // fill the inside in the button face
constexpr unsigned BF_SOFT = 0x1000;    // the brighter highlight outside
constexpr unsigned BF_ADJUST = 0x2000;  // the rectangle shrinks to the inside
constexpr unsigned BF_FLAT = 0x4000;    // flat: shadow outer, face inner
constexpr unsigned BF_MONO = 0x8000;    // one-colour: the window frame colour

// The colour the edge part draws (outer or inner ring, top-left or
// bottom-right side) for the edge and flags; clNone when the edge has no
// such part. The one table behind every DrawEdge.
TColor GfxEdgeColor(unsigned edge, unsigned flags, bool outer, bool topLeft);

class TGfxCanvas {
public:
    // A canvas on a QImage or a widget (or nothing until SetDevice).
    explicit TGfxCanvas(QPaintDevice* device = nullptr);
    ~TGfxCanvas();
    TGfxCanvas(const TGfxCanvas&) = delete;
    TGfxCanvas& operator=(const TGfxCanvas&) = delete;

    // Ends any drawing and binds the canvas to another device.
    void SetDevice(QPaintDevice* device);
    // Ends the QPainter; drawing resumes on the next operation with the
    // same settings. Call before touching the device's pixels directly.
    void Release();

    TGfxPen Pen;
    TGfxBrush Brush;
    TGfxFont Font;
    TGfxCopyMode CopyMode = cmSrcCopy;
    // Called after every drawing operation (a bitmap's canvas tells the
    // bitmap that it changed).
    std::function<void()> OnChange;

    // ----------------------------------------------------------- lines
    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = TPoint{x, y}; }
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);

    // ---------------------------------------------------------- shapes
    void Rectangle(const TRect& r);
    void Ellipse(const TRect& r);
    void RoundRect(const TRect& r, int w, int h);
    void Polygon(std::span<const TPoint> points);
    void Arc(const TRect& box, TPoint start, TPoint end);
    void Pie(const TRect& box, TPoint start, TPoint end);
    int SetPolyFillMode(int mode);  // ALTERNATE or WINDING; returns the previous

    // The brush over the rectangle; no pen, no raster mode.
    void FillRect(const TRect& r);
    // A one-pixel frame just inside the rectangle, in the brush.
    void FrameRect(const TRect& r);
    // The dotted focus frame: every other pixel inverted.
    void DrawFocusRect(const TRect& r);

    // GfxInvalidColor outside the surface, on a widget or without a device.
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor c);

    // ------------------------------------------------------------ text
    void TextOut(int x, int y, const QString& text);
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text);
    // Returns the height of the drawn (or measured) text.
    int DrawText(const QString& text, TRect& rect, unsigned flags);
    TGfxSize TextExtent(const QString& text);
    int TextWidth(const QString& text) { return TextExtent(text).cx; }
    int TextHeight(const QString& text) { return TextExtent(text).cy; }
    unsigned SetTextAlign(unsigned align);
    unsigned TextAlign() const { return textAlign_; }
    int SetTextCharacterExtra(int extra);
    int TextCharacterExtra() const { return charExtra_; }
    TColor SetTextColor(TColor c);
    TColor SetBkColor(TColor c);
    int SetBkMode(int mode);
    TColor TextColor();
    TColor BkColor();
    int BkMode();

    // ----------------------------------------------------------- copies
    // Copies source's pixels of sourceRect into dest (stretched when the
    // sizes differ) through CopyMode.
    void CopyRect(const TRect& dest, TGfxCanvas& source, const TRect& sourceRect);
    void Draw(int x, int y, TGfxBitmap& bitmap);
    void StretchDraw(const TRect& dest, TGfxBitmap& bitmap);
    int SetStretchBltMode(int mode);
    int StretchBltMode() const { return stretchMode_; }

    // ------------------------------------------------------ clip, origin
    // None (nullptr) removes clipping. The region is in device pixels.
    void SelectClipRgn(const TGfxRgn* region);
    // Intersects clipping with the rectangle (logical coordinates).
    void IntersectClipRect(const TRect& r);
    std::optional<TGfxRgn> ClipRegion() const { return clip_; }
    // The clip box in logical coordinates (the surface when not clipped).
    TRect ClipRect() const;
    TPoint WindowOrg() const { return origin_; }
    // Logical (x, y) lands on device (0, 0); returns the previous origin.
    TPoint SetWindowOrg(int x, int y);

    // ---------------------------------------------------------- regions
    void FillRgn(const TGfxRgn& region, const TGfxBrush& brush);
    void FrameRgn(const TGfxRgn& region, const TGfxBrush& brush, int w, int h);

    // ------------------------------------------------------------ paths
    void BeginPath();
    void EndPath();
    void AbortPath();
    bool PathOpen() const { return recording_; }
    void StrokePath();
    void FillPath();
    void StrokeAndFillPath();
    // The path becomes its outline widened by the pen.
    void WidenPath();
    // The region enclosed by the path (device pixels); the path is used up.
    TGfxRgn PathToRegion();

    // ---------------------------------------------------------- palette
    // Returns the previously selected palette (none: nullptr).
    const TGfxPalette* SelectPalette(const TGfxPalette* palette, bool forceBackground);
    // The number of entries realised (no pixel changes on true colour).
    int RealizePalette();
    const TGfxPalette* SelectedPalette() const { return palette_; }

    // ------------------------------------------------------------ edges
    // Draws the edge on the sides of flags; with BF_ADJUST the rectangle
    // shrinks to the inside (every drawn side by the width it took).
    bool DrawEdge(TRect& r, unsigned edge, unsigned flags);

    // The size of the surface ((0, 0) without one).
    TGfxSize SurfaceSize() const;
    // The QPainter, begun (for the few Qt-only needs of the widget layer).
    QPainter* Painter();

private:
    friend class TGfxBitmap;
    explicit TGfxCanvas(TGfxBitmap* owner);

    QPaintDevice* Surface() const;
    QImage* SurfaceImage() const;
    QPainter& Begin();
    void ApplyState();
    void Changed();
    void SelectFontAndBrush();
    QColor QtColor(TColor c) const;

    // Pixels of a one-pixel line, end excluded, with the pen's dashes.
    void LinePixels(int x0, int y0, int x1, int y1, int& dashStep);
    static void RasterLine(QPainter& p, int x0, int y0, int x1, int y1, const QColor& color, const QColor* gap,
                           std::span<const int> pattern, int& dashStep);
    bool Recorded(const QPainterPath& logical);
    void ArcOrPie(const TRect& rect, TPoint start, TPoint end, bool pie);
    void DrawPath(bool stroke, bool fill);
    QPainter* BrushFill(const TGfxBrush& brush, QBrush& qtBrush);
    void FillArea(QPainter& p, const QRect& r, const QBrush& qtBrush, const TGfxBrush& brush);
    void StrokeWithPen(const QPainterPath& path);
    void DrawShape(const QPainterPath& fillPath, const QPainterPath& outline,
                   const std::span<const TPoint>* polygon, const QRectF* ellipse);
    bool ApplyPenMode(QPainter& p, QColor& color) const;
    QPainter* PenPainter(QColor& color);
    QBrush QtBrush(const TGfxBrush& brush);
    // The pixels of sourceRect as RGB32, mono-mapped for this destination.
    QImage SourcePixels(TGfxCanvas& source, const TRect& sourceRect, const QSize& destSize);
    void TextLine(int x, int baseline, const QString& text, int underline, const QFont& font);
    struct TextLayout;
    TextLayout LayoutText(const QString& text, const TRect& rect, unsigned flags, const QFont& font);

    QPaintDevice* device_ = nullptr;
    TGfxBitmap* owner_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    TPoint penPos_{};
    TPoint origin_{};
    std::optional<TGfxRgn> clip_;
    int fillMode_ = ALTERNATE;
    int stretchMode_ = COLORONCOLOR;
    unsigned textAlign_ = TA_LEFT | TA_TOP;
    int charExtra_ = 0;
    bool fontValid_ = false;
    bool brushValid_ = false;
    TColor textColor_ = clBlack;
    TColor bkColor_ = clWhite;
    int bkMode_ = OPAQUE;
    bool recording_ = false;
    QPainterPath path_;
    const TGfxPalette* palette_ = nullptr;
};

// Puts back the canvas's clipping when it goes out of scope.
class TGfxClipScope {
public:
    explicit TGfxClipScope(TGfxCanvas& canvas) : canvas_(canvas), saved_(canvas.ClipRegion()) {}
    ~TGfxClipScope() { canvas_.SelectClipRgn(saved_ ? &*saved_ : nullptr); }
    TGfxClipScope(const TGfxClipScope&) = delete;
    TGfxClipScope& operator=(const TGfxClipScope&) = delete;

private:
    TGfxCanvas& canvas_;
    std::optional<TGfxRgn> saved_;
};

// The colour an invalid read gives (outside the surface, no surface).
constexpr TColor GfxInvalidColor = 0xFFFFFFFF;
