// System information and the ini control's accessors.
#include "gfx_inictrl.h"
#include "gfx_sysinfo.h"

#include <gtest/gtest.h>

namespace {

TGfxVersionBlock FakeBlock()
{
    TGfxVersionBlock b;
    b.Present = true;
    b.Major = 1;
    b.Minor = 2;
    b.Release = 3;
    b.Build = 4;
    b.Strings.insert("CompanyName", "Zeph");
    b.Strings.insert("Comments", "none");
    return b;
}

TEST(SysInfo, FixedVersionTexts)
{
    const TGfxVersionBlock b = FakeBlock();
    const struct { int index; const char* expected; } cases[] = {
        {7, "1.2"}, {8, "1.2.3.4"}, {9, "1.2 (Build 3.4)"}, {10, ""}, {-1, ""},
        {0, "Zeph"}, {6, "none"}, {1, ""}, {4, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxGetFileVersionInfo(c.index, b), QString::fromLatin1(c.expected)) << c.index;
}

TEST(SysInfo, NumbersWithoutLeadingZeros)
{
    TGfxVersionBlock b = FakeBlock();
    b.Major = 10;
    b.Minor = 0;
    b.Release = 65535;
    b.Build = 7;
    EXPECT_EQ(GfxGetFileVersionInfo(9, b), QStringLiteral("10.0 (Build 65535.7)"));
}

TEST(SysInfo, NoVersionInformationGivesEmptyTexts)
{
    TGfxVersionBlock none = FakeBlock();
    none.Present = false;
    for (int i = 0; i <= 10; ++i)
        EXPECT_TRUE(GfxGetFileVersionInfo(i, none).isEmpty()) << i;
}

TEST(SysInfo, ProgramVersionIsTheBuildsVersion)
{
    EXPECT_EQ(GfxGetFileVersionInfo(8), QStringLiteral(ZEPH_TEST_PROJECT_VERSION));
}

TEST(SysInfo, UserName)
{
    EXPECT_EQ(GfxUserNameFromPlatform(std::nullopt), QStringLiteral("(Unknown)"));
    EXPECT_EQ(GfxUserNameFromPlatform(QString(62, 'u')), QString(62, 'u'));
    EXPECT_EQ(GfxUserNameFromPlatform(QString(63, 'u')), QStringLiteral("(Unknown)"));
    const QString name = GfxGetUserName();
    EXPECT_FALSE(name.isEmpty());
}

TEST(SysInfo, VersionFieldsOutOfRangeAreZero)
{
    EXPECT_EQ(GfxGetOSVersionField(8), 0u);
    EXPECT_EQ(GfxGetOSVersionField(-1), 0u);
    EXPECT_EQ(GfxGetOSVersionField(2), 2u);  // this platform reports the NT line
    EXPECT_TRUE(GfxOSFlags().NT);
}

TEST(SysInfo, StartUpFlags)
{
    struct Case {
        std::uint32_t id, packedMajor, major, minor, suite;
        bool ext;
        bool TGfxOSFlags::*flag;
        bool expected;
    };
    const Case cases[] = {
        {1, 4, 4, 10, 0, false, &TGfxOSFlags::Win98OrLater, true},
        {1, 4, 4, 0, 0, false, &TGfxOSFlags::Win98OrLater, false},
        {1, 4, 4, 90, 0, false, &TGfxOSFlags::WinMe, true},
        {1, 4, 4, 90, 0, true, &TGfxOSFlags::Extensions, true},
        {1, 4, 4, 90, 0, false, &TGfxOSFlags::Extensions, false},
        {1, 4, 4, 90, 0, false, &TGfxOSFlags::NT, false},
        {2, 5, 5, 0, 0, false, &TGfxOSFlags::NT, true},
        {2, 5, 5, 0, 0, false, &TGfxOSFlags::Win2000, true},
        {2, 5, 5, 0, 2, false, &TGfxOSFlags::Win2000Server, true},
        {2, 5, 5, 1, 3, false, &TGfxOSFlags::WinXPSuite3, true},
        {2, 5, 5, 1, 3, false, &TGfxOSFlags::WinXPOtherSuite, false},
        {2, 5, 5, 1, 2, false, &TGfxOSFlags::WinXPSuite2, true},
        {2, 6, 6, 1, 0, false, &TGfxOSFlags::WinXP, false},
        {2, 6, 6, 1, 0, false, &TGfxOSFlags::Extensions, true},
    };
    for (const auto& c : cases) {
        const TGfxOSFlags f = GfxComputeOSFlags(c.id, c.packedMajor, c.major, c.minor, c.suite, c.ext);
        EXPECT_EQ(f.*(c.flag), c.expected) << c.id << " " << c.major << "." << c.minor << " suite " << c.suite;
    }
}

TEST(IniCtrl, Defaults)
{
    TGfxIniCtrl ini;
    EXPECT_FALSE(ini.AlphaCounter());
    EXPECT_TRUE(ini.Common());
    EXPECT_EQ(ini.IniPrefix(), ppWindows);
    EXPECT_EQ(ini.MaxEntries(), 16);
    EXPECT_EQ(ini.RegRoot(), rpCurrentUser);
    EXPECT_EQ(ini.Target(), itAuto);
    EXPECT_EQ(ini.EffectiveTarget(), itRegistry);
    EXPECT_NE(ini.EncKey(), 0);
    EXPECT_FALSE(ini.Encoded());
}

TEST(IniCtrl, MaxEntriesAndAlphaCounter)
{
    TGfxIniCtrl ini;
    ini.SetMaxEntries(30);
    EXPECT_EQ(ini.MaxEntries(), 30);
    ini.SetAlphaCounter(true);  // switching on cuts 30 to 26
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetMaxEntries(30);      // above 26 with the counter on: ignored
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetMaxEntries(20);
    EXPECT_EQ(ini.MaxEntries(), 20);
    ini.SetAlphaCounter(false);
    ini.SetMaxEntries(255);
    EXPECT_EQ(ini.MaxEntries(), 255);
}

TEST(IniCtrl, IniFileGetsAnExtension)
{
    const struct { const char* in; const char* stored; } cases[] = {
        {"settings", "settings.INI"}, {"settings.cfg", "settings.cfg"},
        {"a.b/settings", "a.b/settings.INI"}, {"dir/x.ini", "dir/x.ini"},
    };
    for (const auto& c : cases) {
        TGfxIniCtrl ini;
        ini.SetIniFile(QString::fromLatin1(c.in));
        EXPECT_EQ(ini.IniFile(), QString::fromLatin1(c.stored));
    }
}

TEST(IniCtrl, TargetAndNetUser)
{
    TGfxIniCtrl ini;
    ini.SetTarget(itIniFile);
    EXPECT_EQ(ini.EffectiveTarget(), itIniFile);
    ini.SetTarget(itAuto);
    EXPECT_EQ(ini.EffectiveTarget(), itRegistry);
    ini.SetUser("someone");
    ini.SetNetUser(true);
    EXPECT_EQ(ini.User(), GfxGetUserName());
    ini.SetUser("other");
    ini.SetNetUser(true);  // unchanged: the user stays
    EXPECT_EQ(ini.User(), QStringLiteral("other"));
}

}  // namespace
