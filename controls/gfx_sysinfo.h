#pragma once
// System information: display depth, platform version fields and flags, the
// user name and the program's version information. None of these raises: a
// refusal gives 0 or an empty text (the user name gives "(Unknown)").

#include "platform/gfx_platform.h"

#include <QString>

#include <cstdint>
#include <optional>

std::uint8_t GfxColorDepth();
// 0 major, 1 minor, 2 platform identifier, 3 build, 4 service-pack major,
// 5 service-pack minor, 6 suite mask, 7 product type; 0 above 7 or on failure.
std::uint32_t GfxGetOSVersionField(int index);
std::uint32_t GfxOSMajorVersion();
std::uint32_t GfxOSMinorVersion();
std::uint32_t GfxOSSuiteField();
QString GfxGetUserName();

// A text of the version information: 0 CompanyName, 1 ProductName,
// 2 Version, 3 Copyright, 4 LegalTrademark, 5 FileDescription, 6 Comments,
// 7 "major.minor", 8 "major.minor.release.build",
// 9 "major.minor (Build release.build)"; empty above 9 or without a block.
QString GfxGetFileVersionInfo(int index);
QString GfxGetFileVersionInfo(int index, const TGfxVersionBlock& block);

// The start-up flags, computed once from the platform's version record.
struct TGfxOSFlags {
    bool Win98OrLater = false;
    bool WinMe = false;
    bool Extensions = false;
    bool NT = false;
    bool Win2000 = false;
    bool Win2000Server = false;
    bool WinXP = false;
    bool WinXPSuite3 = false;
    bool WinXPOtherSuite = false;
    bool WinXPSuite2 = false;
};
// packedMajor is the major version of the platform's packed version number;
// extensionQuery the answer to the platform's extension query (used on the
// old line only).
TGfxOSFlags GfxComputeOSFlags(std::uint32_t platformId, std::uint32_t packedMajor,
                              std::uint32_t major, std::uint32_t minor, std::uint32_t suite,
                              bool extensionQuery);
const TGfxOSFlags& GfxOSFlags();
// Only the user name accepted by a 63-character buffer; longer names are refused.
QString GfxUserNameFromPlatform(const std::optional<QString>& platformName);
