#include "gfx_clock.h"

#include "gfx_application.h"
#include "gfx_customcontrol.h"
#include "gfx_shape.h"
#include "gfx_strings.h"
#include "platform/gfx_exceptions.h"

#include <QLocale>

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
    SetControlStyle(ControlStyle() & ~csSetCaption);
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
        Repaint();
        return;
    }
    --repeatCounter_;
    Repaint();
    if (repeatAlarm_ != 0)
        Alarm();
    if (repeatCounter_ < 1)
        StopAlarm();
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

void TGfxClock::PaintHands(TGfxCanvas& Canvas, const TGfxClockGeometry& G)
{
    double angles[3] = {0, 0, 0};
    int second = 0;
    if (Enabled() && !IsDesigning()) {
        const TDateTime t = GetCurrentTime();
        GfxClockHandAngles(t, angles[0], angles[1], angles[2]);
        second = GfxRound(angles[2] / 6);
    }
    const int lengths[3] = {G.HourLength(), G.MinuteLength(), G.SecondLength()};
    for (int i = 0; i < 3; ++i) {
        if (!hands_[i]->Visible())
            continue;
        SolidPen(Canvas, hands_[i]->Color(), hands_[i]->Thickness());
        TPoint from, to;
        G.Hand(angles[i], lengths[i], from, to);
        Canvas.MoveTo(from.X, from.Y);
        Canvas.LineTo(to.X, to.Y);
    }
    if (!(options_ & coShowSecCircle))
        return;
    Canvas.Pen.Assign(*secondCircle_);
    const int r2 = G.r + secondCircle_->Width() + 2;
    if (second < lastSecond_)
        secondPhase_ ^= 1;
    const TRect box{G.cx - r2, G.cy - r2, G.cx + r2, G.cy + r2};
    const TPoint top{G.cx, 0};
    const TPoint hand = G.At(angles[2], r2);
    if (secondPhase_ == 0)
        Canvas.Arc(box, top, hand);  // the part of the minute still to come
    else if (second != 0)
        Canvas.Arc(box, hand, top);  // the part already passed
    lastSecond_ = second;
}

void TGfxClock::PaintDigital(TGfxCanvas& Canvas, const TGfxClockGeometry& G)
{
    QString text;
    GetDigitalText(text);
    const int bw = BevelWidth();
    const int width = static_cast<int>(text.size()) * digital_->CellWidth();
    int x = bw, y = bw;
    if (!DigitalOnly()) {
        y = digitalPos_[1] == -1 ? std::min(G.cx, G.cy) : bw + digitalPos_[1];
        x = digitalPos_[0] == -1 ? G.cx - width / 2 : bw + digitalPos_[0];
    }
    digital_->SetCellColor(DigitalColor());
    digital_->DrawText(Canvas, TRect{x, y, x + width, y + digital_->CellHeight()}, text, true, Enabled());
}

void TGfxClock::Paint()
{
    TGfxCanvas* canvas = Canvas();
    if (!canvas || !isVisible() || IsLoading() || painting_)
        return;
    const int bw = BevelWidth();
    if (DigitalOnly()) {
        QString text;
        GetDigitalText(text);
        const int w = static_cast<int>(text.size()) * digital_->CellWidth() + 2 * bw;
        const int h = digital_->CellHeight() + 2 * bw;
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
    TGfxBitmap buffer(Width(), Height(), pf32bit);
    TGfxCanvas& b = buffer.Canvas();
    const TGfxClockGeometry g = Geometry();
    if (DigitalOnly()) {
        FillWith(b, client, Color());
        Bevel().Paint(b, client, Transparent());
        PaintDigital(b, g);
    } else {
        if (dialStale_) {
            dialStale_ = false;
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
            PaintDigital(b, g);
        if (options_ & coShowAnalog)
            PaintHands(b, g);
    }
    b.Release();
    canvas->Draw(0, 0, buffer);
}
