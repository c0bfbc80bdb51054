#pragma once
// TGfxApplication: the library's one application object (GfxApplication),
// created when the library initialises, before any window, and freed when
// it finalises. It owns the timer pool and the shared timers handed out by
// number, an ini control, the named mutex, the log-file name, the cached
// 8 x 8 pattern bitmap, the check-box glyph size and the switch between
// themed and classic drawing.

#include "gfx_geometry.h"
#include "gfx_inictrl.h"
#include "gfx_timerpool.h"
#include "platform/gfx_exceptions.h"
#include "platform/gfx_types.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

bool GfxIsThemeActive();

class TGfxApplication : public TComponent {
public:
    static constexpr std::uint16_t SharedTimerBase = 0xFD00;
    static constexpr int SharedTimerSlots = 250;

    // Without a tick source the timer pool ticks from a QBasicTimer.
    explicit TGfxApplication(QObject* AOwner = nullptr, std::unique_ptr<GfxTickSource> ticks = {});
    ~TGfxApplication() override;

    // A shared timer: 0xFD00 + a free slot (1..250); 0 when every slot is
    // taken or the platform refuses the tick (the pool then keeps no item
    // for it). The interval follows AddTimer's rule.
    std::uint16_t AllocTimer(TGfxTimerInterval interval, TNotifyEvent callback);
    // Frees a shared timer; an ident that names no slot (0xFD01..0xFDFA) is ignored.
    void FreeTimer(std::uint16_t ident);
    TGfxTimerItem* GetTimerItem(std::uint16_t ident) const;
    int FindFreeTimerSlot() const;

    // The 8 x 8 checker: the squares with x + y odd in the colour, the rest
    // white. clNone paints them white.
    const QImage* GetPatternBitmap(TColor colour);
    void SetLogFileName(const QString& name);
    bool GetThemed() const;
    void SetThemed(bool on);
    void RefreshThemeState();

    std::uint8_t Options = 0x36;
    TGfxIniCtrl* IniCtrl() const { return iniCtrl_.get(); }
    TGfxPathPrefix LogPrefix = ppProgram;
    QString LogFile;
    TGfxTimerPool* TimerPool() const { return timerPool_.get(); }
    TColor PatternColor = clNone;
    std::uintptr_t MutexHandle = 0;
    bool SecondInstance = false;
    std::int64_t PerformanceFrequency = 0;
    std::int32_t CheckGlyphHeight = 0;
    std::int32_t CheckGlyphWidth = 0;
    bool Themed = true;
    QString ShortText;

private:
    std::unique_ptr<TGfxIniCtrl> iniCtrl_;
    std::unique_ptr<TGfxTimerPool> timerPool_;
    std::unique_ptr<QImage> patternBitmap_;
    std::array<std::uint8_t, SharedTimerSlots + 1> slots_{};  // index 0 unused
};

extern TGfxApplication* GfxApplication;

// The exception a form-level component raises for a second instance on one form.
class GfxEOneInstError : public Exception {
public:
    using Exception::Exception;
    // kind 0: "<name>:\rInvalid owner (<>TForm) or second instance on a form";
    // kind 1: "<name>:\rAlready one <name> control in this project!".
    static GfxEOneInstError CreateKind(const QString& className, int kind);
};
