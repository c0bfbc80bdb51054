#pragma once
// The platform services that the library asks for, answered on Qt and POSIX.
//
// Where the original desktop platform has a service this machine lacks, the
// answer is fixed and stated here:
// - Version information: the program's version block is generated from the
//   CMake project version; it holds the four fixed version numbers and no
//   version strings.
// - Directories: the path separator is "/". The "Windows directory" is the
//   user's generic configuration directory, the "system directory" /etc.
// - Platform version: the NT line (platform identifier 2) with the kernel's
//   major, minor and patch numbers, no service pack, suite mask 0,
//   workstation product type.
// - The named mutex is a no-op: it is "created", never waited on, and never
//   reports that it existed already.
// - The performance counter counts nanoseconds.
// - The classic check-box bitmap is 52 x 39 (4 x 3 glyphs of 13 x 13).
// - The application's hidden window is a list of message hooks.
// - The visual-styles service is never there (gfx_theme_service.h).
// - There is no sound output: the one sound call the library makes, stopping
//   a sound that plays from memory, only counts the requests.

#include "gfx_types.h"

#include <QHash>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

// --------------------------------------------------------- version block
struct TGfxVersionBlock {
    bool Present = false;
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::uint16_t Release = 0;
    std::uint16_t Build = 0;
    QHash<QString, QString> Strings;  // "CompanyName" -> text, ...
};

// The running program's block (from the build's project version).
const TGfxVersionBlock& GfxProgramVersionBlock();

// ---------------------------------------------------------------- system
// The user of the calling process; none when the system does not know it.
std::optional<QString> GfxPlatformUserName();
QString GfxProgramFilePath();  // full path of the running program
QString GfxPlatformWindowsDirectory();
QString GfxPlatformSystemDirectory();
constexpr QChar GfxPathDelim = QLatin1Char('/');

struct TGfxOSVersionRecord {
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t PlatformId = 0;
    std::uint32_t BuildNumber = 0;
    std::uint16_t ServicePackMajor = 0;
    std::uint16_t ServicePackMinor = 0;
    std::uint16_t SuiteMask = 0;
    std::uint8_t ProductType = 0;
};
std::optional<TGfxOSVersionRecord> GfxPlatformOSVersion();

// Bits per pixel of the primary screen; 0 without a display.
int GfxPlatformColorDepth();
std::int64_t GfxPlatformPerformanceFrequency();
QSize GfxPlatformCheckBoxBitmapSize();

// ------------------------------------------------------------ named mutex
// Created and never waited on: a handle that names nothing. alreadyExists is
// always false.
std::uintptr_t GfxCreateNamedMutex(const QString& name, bool& alreadyExists);
void GfxCloseHandle(std::uintptr_t handle);

// ------------------------------------------------------------------ sound
// Stops whatever sound plays from memory. Nothing plays here: the request is
// counted, and GfxStopMemorySoundRequests gives the count so far.
void GfxStopMemorySound();
int GfxStopMemorySoundRequests();

// ----------------------------------------------- the application's window
// Messages sent to the application's own window pass through these hooks in
// the order they were added, until one answers that it handled the message.
using GfxApplicationHook = std::function<bool(TMessage& message)>;
int GfxAddApplicationHook(GfxApplicationHook hook);  // returns a key
void GfxRemoveApplicationHook(int key);
std::intptr_t GfxSendApplicationMessage(std::uint32_t msg, std::uintptr_t wParam = 0,
                                        std::intptr_t lParam = 0);

// ------------------------------------------------ theme change to the forms
// Tells every visible form that the theme changed. The widget part of the
// library installs the real broadcaster; without it nothing happens.
using GfxThemeBroadcaster = std::function<void()>;
GfxThemeBroadcaster GfxSetThemeBroadcaster(GfxThemeBroadcaster b);
void GfxBroadcastThemeChanged();
