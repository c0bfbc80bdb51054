#include "gfx_platform.h"

#include "gfx_version_block.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <vector>

const TGfxVersionBlock& GfxProgramVersionBlock()
{
    static const TGfxVersionBlock block = [] {
        TGfxVersionBlock b;
        b.Present = true;
        b.Major = ZEPH_VERSION_MAJOR;
        b.Minor = ZEPH_VERSION_MINOR;
        b.Release = ZEPH_VERSION_RELEASE;
        b.Build = ZEPH_VERSION_BUILD;
        return b;
    }();
    return block;
}

std::optional<QString> GfxPlatformUserName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buf(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd pw{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &result) != 0 || !result ||
        !result->pw_name)
        return std::nullopt;
    return QString::fromLocal8Bit(result->pw_name);
}

QString GfxProgramFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString GfxPlatformWindowsDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString GfxPlatformSystemDirectory() { return QStringLiteral("/etc"); }

std::optional<TGfxOSVersionRecord> GfxPlatformOSVersion()
{
    utsname u{};
    if (uname(&u) != 0)
        return std::nullopt;
    TGfxOSVersionRecord r;
    r.PlatformId = 2;
    r.ProductType = 1;
    unsigned parts[3] = {0, 0, 0};
    int i = 0;
    for (const char* c = u.release; *c && i < 3; ++c) {
        if (*c >= '0' && *c <= '9')
            parts[i] = parts[i] * 10 + static_cast<unsigned>(*c - '0');
        else if (*c == '.')
            ++i;
        else
            break;
    }
    r.MajorVersion = parts[0];
    r.MinorVersion = parts[1];
    r.BuildNumber = parts[2];
    return r;
}

int GfxPlatformColorDepth()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

std::int64_t GfxPlatformPerformanceFrequency() { return 1'000'000'000; }

QSize GfxPlatformCheckBoxBitmapSize() { return QSize(52, 39); }

std::uintptr_t GfxCreateNamedMutex(const QString&, bool& alreadyExists)
{
    static std::atomic<std::uintptr_t> next{1};
    alreadyExists = false;
    return next++;
}

void GfxCloseHandle(std::uintptr_t) {}

namespace {

std::map<int, GfxApplicationHook>& Hooks()
{
    static std::map<int, GfxApplicationHook> hooks;
    return hooks;
}

GfxThemeBroadcaster& Broadcaster()
{
    static GfxThemeBroadcaster b;
    return b;
}

}  // namespace

int GfxAddApplicationHook(GfxApplicationHook hook)
{
    static int nextKey = 1;
    Hooks().emplace(nextKey, std::move(hook));
    return nextKey++;
}

void GfxRemoveApplicationHook(int key) { Hooks().erase(key); }

std::intptr_t GfxSendApplicationMessage(std::uint32_t msg, std::uintptr_t wParam,
                                        std::intptr_t lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    // A hook may add or remove hooks: walk a copy of the keys.
    std::vector<int> keys;
    for (const auto& [key, hook] : Hooks())
        keys.push_back(key);
    for (int key : keys) {
        auto it = Hooks().find(key);
        if (it == Hooks().end())
            continue;
        GfxApplicationHook hook = it->second;
        if (hook && hook(m))
            break;
    }
    return m.Result;
}

GfxThemeBroadcaster GfxSetThemeBroadcaster(GfxThemeBroadcaster b)
{
    return std::exchange(Broadcaster(), std::move(b));
}

void GfxBroadcastThemeChanged()
{
    if (Broadcaster())
        Broadcaster()();
}

namespace {
std::atomic<int> stopSoundRequests{0};
}

void GfxStopMemorySound() { ++stopSoundRequests; }

int GfxStopMemorySoundRequests() { return stopSoundRequests.load(); }
