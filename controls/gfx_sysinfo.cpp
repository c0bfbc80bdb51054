#include "gfx_sysinfo.h"

#include "gfx_strings.h"

std::uint8_t GfxColorDepth()
{
    const int depth = GfxPlatformColorDepth();
    return depth > 0 && depth < 256 ? static_cast<std::uint8_t>(depth) : 0;
}

std::uint32_t GfxGetOSVersionField(int index)
{
    const auto r = GfxPlatformOSVersion();
    if (!r)
        return 0;
    switch (index) {
    case 0: return r->MajorVersion;
    case 1: return r->MinorVersion;
    case 2: return r->PlatformId;
    case 3: return r->BuildNumber;
    case 4: return r->ServicePackMajor;
    case 5: return r->ServicePackMinor;
    case 6: return r->SuiteMask;
    case 7: return r->ProductType;
    default: return 0;
    }
}

std::uint32_t GfxOSMajorVersion() { return GfxGetOSVersionField(0); }
std::uint32_t GfxOSMinorVersion() { return GfxGetOSVersionField(1); }
std::uint32_t GfxOSSuiteField() { return GfxGetOSVersionField(6); }

QString GfxUserNameFromPlatform(const std::optional<QString>& platformName)
{
    // The platform is asked with room for 63 characters, the terminating
    // zero included.
    if (!platformName || platformName->toLocal8Bit().size() > 62)
        return QStringLiteral("(Unknown)");
    return *platformName;
}

QString GfxGetUserName() { return GfxUserNameFromPlatform(GfxPlatformUserName()); }

QString GfxGetFileVersionInfo(int index, const TGfxVersionBlock& block)
{
    if (!block.Present || index < 0 || index > 9)
        return QString();
    static const int keys[7] = {SGfxCompanyName, SGfxProductName,     SGfxVersion, SGfxCopyright,
                                SGfxLegalTrademark, SGfxFileDescription, SGfxComments};
    if (index <= 6)
        return block.Strings.value(GfxLoadResString(keys[index]));
    const QString mm = QStringLiteral("%1.%2").arg(block.Major).arg(block.Minor);
    switch (index) {
    case 7: return mm;
    case 8: return mm + QStringLiteral(".%1.%2").arg(block.Release).arg(block.Build);
    default: return mm + QStringLiteral(" (Build %1.%2)").arg(block.Release).arg(block.Build);
    }
}

QString GfxGetFileVersionInfo(int index) { return GfxGetFileVersionInfo(index, GfxProgramVersionBlock()); }

TGfxOSFlags GfxComputeOSFlags(std::uint32_t platformId, std::uint32_t packedMajor,
                              std::uint32_t major, std::uint32_t minor, std::uint32_t suite,
                              bool extensionQuery)
{
    TGfxOSFlags f;
    if (platformId == 1) {
        f.Win98OrLater = minor >= 10;
        f.WinMe = major >= 4 && minor >= 90;
        f.Extensions = extensionQuery;
    } else {
        f.NT = platformId == 2;
        f.Win2000 = packedMajor == 5 && minor == 0;
        f.Win2000Server = f.Win2000 && suite == 2;
        f.WinXP = packedMajor == 5 && minor == 1;
        f.WinXPSuite3 = f.WinXP && suite == 3;
        f.WinXPOtherSuite = f.WinXP && suite != 3;
        f.WinXPSuite2 = major == 5 && minor == 1 && suite == 2;
        f.Extensions = true;
    }
    return f;
}

const TGfxOSFlags& GfxOSFlags()
{
    static const TGfxOSFlags flags = [] {
        const auto r = GfxPlatformOSVersion();
        // This platform has no extension query for the old line; it is never that line.
        return GfxComputeOSFlags(r ? r->PlatformId : 0, r ? r->MajorVersion : 0,
                                 GfxOSMajorVersion(), GfxOSMinorVersion(), GfxOSSuiteField(),
                                 false);
    }();
    return flags;
}
