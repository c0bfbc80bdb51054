#include "gfx_clock.h"

#include "gfx_application.h"
#include "gfx_customcontrol.h"
#include "gfx_shape.h"
#include "gfx_strings.h"
#include "platform/gfx_exceptions.h"

#include <QBackingStore>
#include <QLocale>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

void FillWith(TGfxCanvas& canvas, const TRect& rect, TColor colour)
{
    canvas.Brush.SetBitmap(nullptr);
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(colour);
    canvas.FillRect(rect);
}

QRect PixelsOf(const TRect& r) { return GfxToQRect(r); }

// The pixels a hand's line may touch: its end points' box, widened by
// half the pen's width and its round ends, with a pixel to spare.
QRect HandPixels(const TGfxClockFace& f, int i)
{
    if (!f.handVisible[i])
        return QRect();
    const TPoint a = f.handFrom[i], b = f.handTo[i];
    const int k = f.handWidth[i] / 2 + 2;
    return PixelsOf(TRect{std::min(a.X, b.X) - k, std::min(a.Y, b.Y) - k, std::max(a.X, b.X) + k + 1,
                          std::max(a.Y, b.Y) + k + 1});
}

// The text's cells: one per character, a row more for each line break.
QRect TextPixels(const TGfxClockFace& f)
{
    if (!f.digits)
        return QRect();
    const int lines = 1 + static_cast<int>(f.text.count(QChar(13)));
    const int width = static_cast<int>(f.text.size()) * f.cellWidth;
    return PixelsOf(TRect{f.textAt.X, f.textAt.Y, f.textAt.X + width, f.textAt.Y + lines * f.cellHeight});
}

bool PlainText(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 32; });
}

void SolidPen(TGfxCanvas& canvas, TColor colour, int width)
{
    canvas.Pen.SetStyle(psSolid);
    canvas.Pen.SetMode(pmCopy);
    canvas.Pen.SetWidth(width);
    canvas.Pen.SetColor(colour);
}

}  // namespace

// ------------------------------------------------------------ sub-objects
TGfxTimeInterval::TGfxTimeInterval() { SetEndTime(GfxNow() + GfxEncodeTime(0, 1, 0, 0)); }

void TGfxTimeInterval::EndFromNow()
{
    endTime_ = GfxNow() + GfxEncodeTime(parts_[0], parts_[1], parts_[2], 0);
}

void TGfxTimeInterval::SetPart(int Index, std::uint16_t Value)
{
    if (Index < 1 || Index > 3 || parts_[Index - 1] == Value)
        return;
    parts_[Index - 1] = Value;
    EndFromNow();
    DoChange();
}

void TGfxTimeInterval::SetEnabled(bool Value)
{
    if (enabled_ == Value)
        return;
    enabled_ = Value;
    EndFromNow();
    DoChange();
}

void TGfxTimeInterval::SetEndTime(TDateTime Value)
{
    if (endTime_ == Value)
        return;
    endTime_ = Value;
    const TDateTime now = GfxNow();
    if (Value > now) {
        // What remains, as a time of day; the end stays as given.
        int h = 0, m = 0, s = 0, ms = 0;
        GfxDecodeTime(Value - now, h, m, s, ms);
        parts_[0] = static_cast<std::uint16_t>(h);
        parts_[1] = static_cast<std::uint16_t>(m);
        parts_[2] = static_cast<std::uint16_t>(s);
    } else {
        // An end already past becomes a minute (with the hours and seconds
        // kept) from now.
        parts_[1] = 1;
        EndFromNow();
    }
    DoChange();
}

void TGfxTimeOffset::Assign(const TObject* Source)
{
    const auto* src = dynamic_cast<const TGfxTimeOffset*>(Source);
    if (!src) {
        TGfxObject::Assign(Source);
        return;
    }
    Days = src->Days;
    Hours = src->Hours;
    Minutes = src->Minutes;
    Seconds = src->Seconds;
}

// --------------------------------------------------------------- geometry
TPoint TGfxClockGeometry::At(double A, int L) const
{
    const double a = A * Pi / 180.0;
    return TPoint{cx + GfxRound(L * std::sin(a)), cy - GfxRound(L * std::cos(a))};
}

void TGfxClockGeometry::Hand(double A, int L, TPoint& From, TPoint& To) const
{
    const double a = A * Pi / 180.0;
    const int d = Tail();
    From = TPoint{cx - GfxRound(d * std::sin(a)), cy + GfxRound(d * std::cos(a))};
    To = At(A, L);
}

int TGfxClockGeometry::Tail() const { return GfxRound(0.1 * r); }
int TGfxClockGeometry::HourLength() const { return GfxRound(0.5 * r); }
int TGfxClockGeometry::MinuteLength() const { return GfxRound(0.6 * r); }
int TGfxClockGeometry::SecondLength() const { return GfxRound(0.7 * r); }

TGfxClockGeometry GfxClockGeometry(int Width, int Height, int BevelWidth, int SecondCirclePen)
{
    TGfxClockGeometry g;
    const int margin = (BevelWidth > 1 ? 2 * BevelWidth : 4) + SecondCirclePen;
    g.cx = Width / 2;
    g.cy = Height / 2;
    g.r = std::min(g.cx, g.cy) - margin;
    return g;
}

void GfxClockHandAngles(TDateTime Time, double& Hour, double& Minute, double& Second)
{
    int h = 0, m = 0, s = 0, ms = 0;
    GfxDecodeTime(Time, h, m, s, ms);
    Hour = h * 30 + m * 0.5;
    Minute = m * 6;
    Second = s * 6;
}

// --------------------------------------------------------------- TGfxClock
TGfxClock::TGfxClock(QWidget* AParent)
    : TGfxGraphicControl(AParent), digital_(std::make_unique<TGfxLED>()),
      secondCircle_(std::make_unique<TGfxPen>()), fill_(std::make_unique<TGfxFillObject>()),
      fixedTime_(std::make_unique<TGfxDateTime>()), offset_(std::make_unique<TGfxTimeOffset>()),
      interval_(std::make_unique<TGfxTimeInterval>()), dialCache_(std::make_unique<TGfxBitmap>())
{
    // Every paint covers the whole control, also when transparent (the
    // parent's picture or the colour goes under the dial first), so Qt
    // never needs to paint what lies behind it: a tick repaints the clock
    // alone.
    SetControlStyle((ControlStyle() & ~csSetCaption) | csOpaque);
    const struct {
        int thickness;
        TColor colour;
    } hands[3] = {{5, clAqua}, {3, clTeal}, {1, 0}};
    for (int i = 0; i < 3; ++i) {
        hands_[i] = std::make_unique<TGfxClockHand>();
        hands_[i]->SetThickness(static_cast<std::uint8_t>(hands[i].thickness));
        hands_[i]->SetColor(hands[i].colour);
        hands_[i]->OnChange = [this](TObject* Sender) { RepaintRequestFrom(Sender); };
    }
    digital_->OnChange = [this](TObject* Sender) { RepaintRequestFrom(Sender); };
    fill_->OnChange = [this](TObject* Sender) { RepaintRequestFrom(Sender); };
    secondCircle_->OnChange = [this](TObject* Sender) { RepaintRequestFrom(Sender); };
    alarmTime_ = std::trunc(GfxNow());
    timerIdent_ = GfxApplication ? GfxApplication->AllocTimer(1000, [this](TObject*) { Tick(); }) : 0;
    if (timerIdent_ == 0)
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
    constructed_ = true;
}

TGfxClock::~TGfxClock()
{
    Destroying();
    // The shared timer goes back to the pool, its callback cleared first.
    if (timerIdent_ != 0 && GfxApplication) {
        if (TGfxTimerItem* item = GfxApplication->GetTimerItem(timerIdent_)) {
            item->SetEnabled(false);
            item->OnTimer = nullptr;
        }
        GfxApplication->FreeTimer(timerIdent_);
    }
    timerIdent_ = 0;
    for (auto& hand : hands_)
        hand->OnChange = nullptr;
    digital_->OnChange = nullptr;
    fill_->OnChange = nullptr;
    secondCircle_->OnChange = nullptr;
}

void TGfxClock::SetOptions(TGfxClockOptions Value)
{
    Value &= 0x7F;
    if (options_ == Value)
        return;
    if (!(Value & (coShowDigital | coShowAnalog)))
        throw Exception(GfxLoadResString(SGfxClockStyle));
    if ((options_ & coShowAnalog) && !(Value & coShowAnalog)) {
        digitalPos_[0] = 0;
        digitalPos_[1] = 0;
    }
    options_ = Value;
    RepaintRequestFrom(nullptr);
}

void TGfxClock::SetMode(TGfxClockMode Value)
{
    if (mode_ == Value)
        return;
    interval_->SetEnabled(false);
    stopwatchRunning_ = false;
    mode_ = Value;
    Repaint();
}

void TGfxClock::SetColorIndex(int Index, TColor Value)
{
    if (Index < 0 || Index > 4)
        return;
    SetProp(colors_[Index], Value);
}

void TGfxClock::SetDigitalFormat()
{
    digitalFormat_ = DigitalShowSecs() ? QStringLiteral("hh:mm:ss") : QStringLiteral("hh:mm");
}

void TGfxClock::SetDigitalFlag(int Index, bool Value)
{
    if (Index < 0 || Index > 2 || digitalFlags_[Index] == Value)
        return;
    digitalFlags_[Index] = Value;
    SetDigitalFormat();
    if (!dialCache_->Empty())
        dialCache_->SetSize(0, 0);
    RepaintRequestFrom(nullptr);
}

void TGfxClock::SetCustomDateTimeFormat(const QString& Value)
{
    if (customFormat_ == Value)
        return;
    customFormat_ = Value;
    if (UseCustomDateTime())
        RepaintRequestFrom(nullptr);
}

TGfxClockGeometry TGfxClock::Geometry() const
{
    const int pen = (options_ & coShowSecCircle) ? secondCircle_->Width() : 0;
    return GfxClockGeometry(Width(), Height(), BevelWidth(), pen);
}

TDateTime TGfxClock::GetCurrentTime() const
{
    TDateTime t = (options_ & coFixed) ? fixedTime_->Value() : GfxNow();
    if (options_ & coOffset)
        t = offset_->AddTo(t);
    return t;
}

void TGfxClock::GetDigitalText(QString& Text) const
{
    const QString format = UseCustomDateTime() ? customFormat_ : digitalFormat_;
    if (!Enabled()) {
        Text = QStringLiteral("--- NA ---");
        return;
    }
    const TDateTime t = GetCurrentTime();
    const QString normal = (options_ & co24Hour) ? format : format + QStringLiteral(" a/p");
    switch (mode_) {
    case cmNormal: Text = GfxFormatDateTime(normal, t); break;
    case cmDate:
        Text = QLocale::system().dayName(GfxDayOfWeek(t) == 1 ? 7 : GfxDayOfWeek(t) - 1, QLocale::ShortFormat) +
               QLatin1Char(' ') + GfxShortDate(t);
        break;
    case cmStopwatch:
        Text = QStringLiteral("S ") + GfxLongTime(stopwatchRunning_ && t > stopwatch_ ? t - stopwatch_ : stopwatch_);
        break;
    case cmCountdown: {
        const TDateTime end = interval_->EndTime();
        if (end <= t) {
            Text = QStringLiteral("C 00:00:00");
        } else {
            int h = 0, m = 0, s = 0, ms = 0;
            GfxDecodeTime(end - t, h, m, s, ms);
            Text = QStringLiteral("C %1:%2:%3")
                       .arg(h, 2, 10, QLatin1Char('0'))
                       .arg(m, 2, 10, QLatin1Char('0'))
                       .arg(s, 2, 10, QLatin1Char('0'));
        }
        break;
    }
    case cmAlarm:
        Text = ((options_ & coEnableAlarm) ? QStringLiteral("A ") : QStringLiteral("NA ")) +
               GfxFormatDateTime(normal, alarmTime_);
        break;
    }
}

void TGfxClock::Alarm()
{
    ringing_ = true;
    digital_->StartFlash();
    if (OnAlarm)
        OnAlarm(this);
}

void TGfxClock::StopAlarm()
{
    digital_->StopFlash();
    SetMode(cmNormal);
    ringing_ = false;
    repeatCounter_ = repeatAlarm_;
}

void TGfxClock::Tick()
{
    if (IsDesigning())
        return;
    NotifyAccessibleValue();  // the time shown
    if (interval_->Enabled() && GfxTimeReached(interval_->EndTime(), GetCurrentTime()) && Enabled()) {
        interval_->SetEnabled(false);
        mode_ = cmNormal;
        if (OnCountdownEnd)
            OnCountdownEnd(this);
        if (options_ & coEnableAlarm)
            Alarm();
    }
    if (!ringing_) {
        if (mode_ == cmAlarm && (options_ & coEnableAlarm) && GfxTimeReached(alarmTime_, GetCurrentTime()))
            Alarm();
        PaintTick();
        return;
    }
    --repeatCounter_;
    PaintTick();
    if (repeatAlarm_ != 0)
        Alarm();
    if (repeatCounter_ < 1)
        StopAlarm();
}

void TGfxClock::PaintTick()
{
    // A stale dial, a hidden clock or one that would change its size takes
    // the whole paint.
    if (!isVisible() || dialStale_ || IsPainting() || IsDestroying()) {
        Repaint();
        return;
    }
    const TGfxClockFace face = CurrentFace(Geometry());
    if (DigitalOnly() && (face.text.size() != screenFace_.text.size() || !screenKnown_)) {
        Repaint();
        return;
    }
    const QRegion client(0, 0, Width(), Height());
    const QRegion dirty = (screenKnown_ ? ChangedArea(screenFace_, face) : (screenArea_ | FaceArea(face))) & client;
    if (dirty.isEmpty())
        return;  // the screen shows this face already
    tickFace_ = face;
    repaint(dirty);
    tickFace_.reset();
}

void TGfxClock::RepaintRequestFrom(TObject* Sender)
{
    if (!constructed_ || IsDestroying())
        return;
    const bool hand = dynamic_cast<TGfxClockHand*>(Sender) != nullptr;
    if (!Sender || Sender == fill_.get() || hand)
        dialStale_ = true;
    Repaint();
}

// The bevel's change arrives here, without a sender.
void TGfxClock::RepaintRequest() { RepaintRequestFrom(nullptr); }

void TGfxClock::BoundsChanged(TGfxBoundsFlags Flags)
{
    dialStale_ = true;
    TGfxGraphicControl::BoundsChanged(Flags);
}

void TGfxClock::ImageListChanged(TObject*)
{
    TakeListBitmap(*fill_);
    RepaintRequestFrom(fill_.get());
}

void TGfxClock::Loaded()
{
    TGfxGraphicControl::Loaded();
    if (Enabled())
        Repaint();
    repeatCounter_ = repeatAlarm_;
    if (Transparent())
        dialStale_ = true;
}

void TGfxClock::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        // A disabled clock stops ticking.
        if (GfxApplication && timerIdent_ != 0)
            if (TGfxTimerItem* item = GfxApplication->GetTimerItem(timerIdent_))
                item->SetEnabled(Enabled());
        RepaintRequestFrom(nullptr);
        TGfxGraphicControl::WndProc(Message);
        break;
    case CM_COLORCHANGED:
    case GFX_PARENTBKGNDCHANGED:
        dialStale_ = true;
        TGfxGraphicControl::WndProc(Message);
        break;
    case GFX_TRANSPARENTCHANGED:
        SetControlStyle(ControlStyle() | csOpaque);  // opaque either way
        TGfxGraphicControl::WndProc(Message);
        break;
    default: TGfxGraphicControl::WndProc(Message); break;
    }
}

QString TGfxClock::AccessibleText(QAccessible::Text Kind) const
{
    if (Kind == QAccessible::Value)
        return GfxFormatDateTime(QStringLiteral("hh:nn:ss"), GetCurrentTime());
    return TGfxGraphicControl::AccessibleText(Kind);
}

void TGfxClock::PaintDial(TGfxCanvas& Canvas, const TGfxClockGeometry& G)
{
    const TRect square{G.cx - G.r, G.cy - G.r, G.cx + G.r, G.cy + G.r};
    if (fillMode_ == fmClock && fill_->Style() != sfNone)
        GfxWithClip(Canvas, TGfxRgn::Ellipse(square), [&] { fill_->FillRect(Canvas, square, Color()); });
    SolidPen(Canvas, clBlack, 1);
    Canvas.Brush.SetBitmap(nullptr);
    for (int A = 0; A < 360; A += 6) {
        const bool big = A % 30 == 0;
        const TPoint outer = G.At(A, G.r);
        if (style_ == csSimple) {
            const TPoint inner = G.At(A, GfxRound((big ? 0.8 : 0.9) * G.r));
            SolidPen(Canvas, clBlack, 1);
            Canvas.MoveTo(outer.X, outer.Y);
            Canvas.LineTo(inner.X, inner.Y);
            continue;
        }
        const int x = outer.X, y = outer.Y;
        if (!big) {
            SolidPen(Canvas, colors_[0], 1);
            Canvas.Brush.SetStyle(bsSolid);
            Canvas.Brush.SetColor(colors_[0]);
            Canvas.Ellipse(TRect{x + 2, y + 2, x - 2, y - 2});
            SolidPen(Canvas, colors_[1], 1);
            Canvas.Brush.SetColor(colors_[1]);
            Canvas.Ellipse(TRect{x - 2, y - 2, x + 1, y + 1});
        } else {
            SolidPen(Canvas, colors_[3], 1);
            Canvas.Brush.SetStyle(bsSolid);
            Canvas.Brush.SetColor(colors_[2]);
            Canvas.Rectangle(TRect{x + 2, y + 2, x - 3, y - 3});
            SolidPen(Canvas, clBlack, 1);
            Canvas.MoveTo(x - 3, y + 1);
            Canvas.LineTo(x + 1, y + 1);
            Canvas.LineTo(x + 1, y - 3);
        }
    }
}

TGfxClockFace TGfxClock::CurrentFace(const TGfxClockGeometry& G) const
{
    TGfxClockFace f;
    if ((options_ & coShowAnalog) && !DigitalOnly()) {
        double angles[3] = {0, 0, 0};
        if (Enabled() && !IsDesigning()) {
            GfxClockHandAngles(GetCurrentTime(), angles[0], angles[1], angles[2]);
            f.second = GfxRound(angles[2] / 6);
        }
        const int lengths[3] = {G.HourLength(), G.MinuteLength(), G.SecondLength()};
        for (int i = 0; i < 3; ++i) {
            f.handVisible[i] = hands_[i]->Visible();
            f.handWidth[i] = hands_[i]->Thickness();
            G.Hand(angles[i], lengths[i], f.handFrom[i], f.handTo[i]);
        }
        if (options_ & coShowSecCircle) {
            f.circle = true;
            const int r2 = G.r + secondCircle_->Width() + 2;
            const int k = secondCircle_->Width() + 2;
            f.circleBox = TRect{G.cx - r2 - k, G.cy - r2 - k, G.cx + r2 + k + 1, G.cy + r2 + k + 1};
        }
    }
    if (DigitalOnly() || (options_ & coShowDigital)) {
        f.digits = true;
        GetDigitalText(f.text);
        f.cellWidth = digital_->CellWidth();
        f.cellHeight = digital_->CellHeight();
        f.flashing = digital_->Flashing();
        const int bw = BevelWidth();
        const int width = static_cast<int>(f.text.size()) * f.cellWidth;
        f.textAt = TPoint{bw, bw};
        if (!DigitalOnly()) {
            f.textAt.Y = digitalPos_[1] == -1 ? std::min(G.cx, G.cy) : bw + digitalPos_[1];
            f.textAt.X = digitalPos_[0] == -1 ? G.cx - width / 2 : bw + digitalPos_[0];
        }
    }
    return f;
}

QRegion TGfxClock::FaceArea(const TGfxClockFace& Face) const
{
    QRegion area;
    for (int i = 0; i < 3; ++i)
        area |= HandPixels(Face, i);
    if (Face.circle)
        area |= PixelsOf(Face.circleBox);
    area |= TextPixels(Face);
    return area;
}

QRegion TGfxClock::ChangedArea(const TGfxClockFace& From, const TGfxClockFace& To) const
{
    QRegion area;
    for (int i = 0; i < 3; ++i) {
        const bool same = From.handVisible[i] == To.handVisible[i] &&
                          (!To.handVisible[i] || (From.handFrom[i] == To.handFrom[i] && From.handTo[i] == To.handTo[i] &&
                                                  From.handWidth[i] == To.handWidth[i]));
        if (!same)
            area |= HandPixels(From, i) | HandPixels(To, i);
    }
    if (From.circle != To.circle || (To.circle && (From.second != To.second || !(From.circleBox == To.circleBox)))) {
        if (From.circle)
            area |= PixelsOf(From.circleBox);
        if (To.circle)
            area |= PixelsOf(To.circleBox);
    }
    if (From.digits || To.digits) {
        // Cell by cell when only characters changed in place; a flashing
        // text changes on every paint.
        const bool inPlace = From.digits && To.digits && !From.flashing && !To.flashing && From.textAt == To.textAt &&
                             From.cellWidth == To.cellWidth && From.cellHeight == To.cellHeight &&
                             From.text.size() == To.text.size() && PlainText(From.text) && PlainText(To.text);
        if (!inPlace) {
            area |= TextPixels(From) | TextPixels(To);
        } else {
            for (qsizetype i = 0; i < To.text.size(); ++i)
                if (From.text[i] != To.text[i])
                    area |= QRect(To.textAt.X + static_cast<int>(i) * To.cellWidth, To.textAt.Y, To.cellWidth,
                                  To.cellHeight);
        }
    }
    return area;
}

void TGfxClock::PaintedOnScreen(const QRegion& Painted, const TGfxClockFace& Face, bool DialRebuilt)
{
    const QRegion client(0, 0, Width(), Height());
    if ((client - Painted).isEmpty()) {
        screenArea_ = FaceArea(Face);
        screenFace_ = Face;
        screenKnown_ = true;
        return;
    }
    if (DialRebuilt) {
        // The old dial still shows outside the region.
        screenArea_ = client;
        screenKnown_ = false;
        return;
    }
    if (screenKnown_ && (ChangedArea(screenFace_, Face) - Painted).isEmpty()) {
        screenArea_ = FaceArea(Face);
        screenFace_ = Face;
        return;
    }
    screenArea_ = (screenArea_ - Painted) | (FaceArea(Face) & Painted);
    screenKnown_ = false;
}

bool TGfxClock::event(QEvent* e)
{
    if (e->type() != QEvent::Paint)
        return TGfxGraphicControl::event(e);
    // Qt paints a widget through a redirection to the device that receives
    // it: the window's backing store, or the image of a grab.
    QBackingStore* store = window() ? window()->backingStore() : nullptr;
    paintOnScreen_ = store && redirected(nullptr) == store->paintDevice();
    paintRegion_ = static_cast<QPaintEvent*>(e)->region();
    struct Reset {
        TGfxClock& c;
        ~Reset()
        {
            c.paintOnScreen_ = false;
            c.paintRegion_ = QRegion();
        }
    } reset{*this};
    return TGfxGraphicControl::event(e);
}

void TGfxClock::PaintHands(TGfxCanvas& Canvas, const TGfxClockGeometry& G, const TGfxClockFace& Face)
{
    for (int i = 0; i < 3; ++i) {
        if (!Face.handVisible[i])
            continue;
        SolidPen(Canvas, hands_[i]->Color(), Face.handWidth[i]);
        Canvas.MoveTo(Face.handFrom[i].X, Face.handFrom[i].Y);
        Canvas.LineTo(Face.handTo[i].X, Face.handTo[i].Y);
    }
    if (!Face.circle)
        return;
    const int second = Face.second;
    Canvas.Pen.Assign(*secondCircle_);
    const int r2 = G.r + secondCircle_->Width() + 2;
    if (second < lastSecond_)
        secondPhase_ ^= 1;
    const TRect box{G.cx - r2, G.cy - r2, G.cx + r2, G.cy + r2};
    const TPoint top{G.cx, 0};
    const TPoint hand = G.At(second * 6.0, r2);
    if (secondPhase_ == 0)
        Canvas.Arc(box, top, hand);  // the part of the minute still to come
    else if (second != 0)
        Canvas.Arc(box, hand, top);  // the part already passed
    lastSecond_ = second;
}

void TGfxClock::PaintDigital(TGfxCanvas& Canvas, const TGfxClockFace& Face)
{
    const int width = static_cast<int>(Face.text.size()) * Face.cellWidth;
    digital_->SetCellColor(DigitalColor());
    digital_->DrawText(Canvas, TRect{Face.textAt.X, Face.textAt.Y, Face.textAt.X + width, Face.textAt.Y + Face.cellHeight},
                       Face.text, true, Enabled());
}

void TGfxClock::Paint()
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas || !isVisible() || IsLoading() || painting_)
        return;
    const int bw = BevelWidth();
    const TGfxClockGeometry g = Geometry();
    // A tick's paint draws the face the tick measured its region for.
    const TGfxClockFace face = tickFace_ ? *tickFace_ : CurrentFace(g);
    if (DigitalOnly()) {
        const int w = static_cast<int>(face.text.size()) * face.cellWidth + 2 * bw;
        const int h = face.cellHeight + 2 * bw;
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);  // the resize paints again
            return;
        }
    }
    painting_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{painting_};
    const TRect client = ClientRect();
    if (!paintBuffer_ || paintBuffer_->Width() != Width() || paintBuffer_->Height() != Height())
        paintBuffer_ = std::make_unique<TGfxBitmap>(Width(), Height(), pf32bit);
    TGfxBitmap& buffer = *paintBuffer_;
    TGfxCanvas& b = buffer.Canvas();
    bool rebuilt = false;
    if (DigitalOnly()) {
        // The background of the digits is drawn each time; it changes with
        // what marks the dial stale.
        rebuilt = dialStale_;
        dialStale_ = false;
        FillWith(b, client, Color());
        Bevel().Paint(b, client, Transparent());
        PaintDigital(b, face);
    } else {
        if (dialStale_) {
            dialStale_ = false;
            rebuilt = true;
            bool copied = false;
            if (BackgroundRepaint())
                if (auto* parent = dynamic_cast<TGfxCustomControl*>(parentWidget()))
                    copied = parent->CopyParentBackground(b, client, 0, TPoint{Left(), Top()});
            if (!copied && !(fillMode_ == fmControl && fill_->Style() != sfNone && fill_->FillRect(b, client, Color())))
                FillWith(b, client, Color());
            Bevel().Paint(b, client, Transparent());
            if (options_ & coShowAnalog)
                PaintDial(b, g);
            dialCache_->Assign(&buffer);
        } else if (options_ & coShowAnalog) {
            b.Draw(0, 0, *dialCache_);
        } else {
            FillWith(b, client, Color());
        }
        if (options_ & coShowDigital)
            PaintDigital(b, face);
        if (options_ & coShowAnalog)
            PaintHands(b, g, face);
    }
    b.Release();
    canvas->Draw(0, 0, buffer);
    if (paintOnScreen_) {
        PaintedOnScreen(paintRegion_, face, rebuilt);
    } else if (rebuilt) {
        // The dial changed in an image of its own; the window may still
        // show the one before.
        screenArea_ = QRegion(0, 0, Width(), Height());
        screenKnown_ = false;
    }
}
