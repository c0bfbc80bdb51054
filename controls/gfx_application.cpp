#include "gfx_application.h"

#include "gfx_strings.h"
#include "gfx_themes.h"
#include "platform/gfx_platform.h"

#include <QFileInfo>

TGfxApplication* GfxApplication = nullptr;

bool GfxIsThemeActive()
{
    if (!GfxThemesLoaded)
        return false;
    const TGfxIsThemeActive isActive = GfxThemeIsThemeActive();
    return isActive && isActive();
}

TGfxApplication::TGfxApplication(QObject* AOwner, std::unique_ptr<GfxTickSource> ticks)
    : TComponent(AOwner)
{
    iniCtrl_ = std::make_unique<TGfxIniCtrl>();
    ShortText = QStringLiteral("#tdl");
    if (!IsDesigning()) {
        bool exists = false;
        const QString name = GfxExtractFileName(GfxProgramFilePath().toUpper());
        MutexHandle = GfxCreateNamedMutex(name, exists);
        SecondInstance = MutexHandle != 0 && exists;
    }
    timerPool_ = TGfxTimerPool::CreateWithInterval(nullptr, 50, std::move(ticks));
    LogPrefix = ppProgram;
    SetLogFileName(QString());
    PerformanceFrequency = GfxPlatformPerformanceFrequency();
    const QSize glyphs = GfxPlatformCheckBoxBitmapSize();
    CheckGlyphWidth = glyphs.width() / 4;
    CheckGlyphHeight = glyphs.height() / 3;
}

TGfxApplication::~TGfxApplication()
{
    iniCtrl_.reset();
    patternBitmap_.reset();
    timerPool_.reset();
    GfxCloseHandle(MutexHandle);
}

int TGfxApplication::FindFreeTimerSlot() const
{
    for (int slot = 1; slot <= SharedTimerSlots; ++slot)
        if (slots_[slot] == 0)
            return slot;
    return 0;
}

std::uint16_t TGfxApplication::AllocTimer(TGfxTimerInterval interval, TNotifyEvent callback)
{
    const int slot = FindFreeTimerSlot();
    if (slot == 0)
        return 0;
    const auto ident = static_cast<std::uint16_t>(SharedTimerBase + slot);
    try {
        if (timerPool_->AddTimer(ident, interval, std::move(callback)) == -1)
            return 0;
    } catch (const EOutOfResources&) {
        // The platform refused the tick: the pool keeps the item it added,
        // which would make every later allocation of this slot fail as a
        // duplicate. Take it out again and refuse.
        timerPool_->RemoveTimer(ident);
        return 0;
    }
    slots_[slot] = 1;
    return ident;
}

void TGfxApplication::FreeTimer(std::uint16_t ident)
{
    if (ident <= SharedTimerBase || ident > SharedTimerBase + SharedTimerSlots)
        return;
    timerPool_->RemoveTimer(ident);
    slots_[ident - SharedTimerBase] = 0;
}

TGfxTimerItem* TGfxApplication::GetTimerItem(std::uint16_t ident) const
{
    return timerPool_->FindTimer(ident);
}

const QImage* TGfxApplication::GetPatternBitmap(TColor colour)
{
    if (colour == PatternColor && patternBitmap_)
        return patternBitmap_.get();
    if (!patternBitmap_) {
        patternBitmap_ = std::make_unique<QImage>(8, 8, QImage::Format_RGB32);
        patternBitmap_->fill(GfxColorToQRgb(clWhite));
    }
    const unsigned pixel = colour == clNone ? GfxColorToQRgb(clWhite) : GfxColorToQRgb(colour);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % 2 == 1)
                patternBitmap_->setPixel(x, y, pixel);
    PatternColor = colour;
    return patternBitmap_.get();
}

void TGfxApplication::SetLogFileName(const QString& name)
{
    QString n = name;
    if (n.isEmpty()) {
        const QString program = GfxProgramFilePath();
        const QString ext = GfxExtractFileExt(program);
        n = program.left(program.size() - ext.size()) + QStringLiteral(".LOG");
    } else if (GfxExtractFileExt(n).isEmpty()) {
        n += QStringLiteral(".LOG");
    }
    if (LogPrefix == ppFixed)
        LogFile = n;
    else
        LogFile = GfxGetPrefixDir(LogPrefix, true) + GfxExtractFileName(n);
}

bool TGfxApplication::GetThemed() const { return Themed && GfxIsThemeActive(); }

void TGfxApplication::SetThemed(bool on)
{
    if (on == Themed || (on && !GfxIsThemeActive()))
        return;
    Themed = on;
    if (IsDesigning() || !GfxThemesLoaded)
        return;
    GfxSendApplicationMessage(WM_THEMECHANGED);
    if (const TGfxSetThemeAppProperties setProps = GfxThemeSetThemeAppProperties())
        setProps(on ? 3 : 0);
    GfxBroadcastThemeChanged();
}

void TGfxApplication::RefreshThemeState() { Themed = GfxIsThemeActive(); }

GfxEOneInstError GfxEOneInstError::CreateKind(const QString& className, int kind)
{
    if (kind == 1)
        return GfxEOneInstError(className + QStringLiteral(":\rAlready one ") + className +
                                QStringLiteral(" control in this project!"));
    return GfxEOneInstError(className + QStringLiteral(":\r") + GfxLoadResString(SGfxOneInstance));
}
