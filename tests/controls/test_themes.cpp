// The visual-styles loader and the button-style helpers.
#include "gfx_buttonstyles.h"
#include "gfx_themes.h"
#include "platform/gfx_theme_service.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Themes, WithoutTheServiceNothingIsLoaded)
{
    GfxLoadThemeLibrary();
    EXPECT_FALSE(GfxThemesLoaded);
    for (void* p : GfxThemeEntries)
        EXPECT_EQ(p, nullptr);
    EXPECT_EQ(GfxThemeIsThemeActive(), nullptr);
    EXPECT_EQ(GfxThemeOpenThemeData(), nullptr);
}

TEST(Themes, EntryPointsAreLookedUpByNameInOrder)
{
    static int marker[31];
    std::vector<std::string> asked;
    std::vector<QString> modules;
    class Module : public GfxThemeModule {
    public:
        explicit Module(std::vector<std::string>& a) : asked_(a) {}
        void* Resolve(const char* name) override
        {
            asked_.push_back(name);
            // Every name but "EnableTheming" is there.
            return std::string(name) == "EnableTheming" ? nullptr : &marker[asked_.size() - 1];
        }
        std::vector<std::string>& asked_;
    };
    GfxThemeModuleLoader old = GfxSetThemeModuleLoader([&](const QString& name) {
        modules.push_back(name);
        return std::make_unique<Module>(asked);
    });
    GfxLoadThemeLibrary();
    EXPECT_TRUE(GfxThemesLoaded);
    EXPECT_EQ(modules, std::vector<QString>{QStringLiteral("UxTheme.dll")});
    ASSERT_EQ(asked.size(), 31u);
    EXPECT_EQ(asked.front(), "DrawThemeEdge");
    EXPECT_EQ(asked[25], "IsThemeActive");
    EXPECT_EQ(asked.back(), "EnableTheming");
    EXPECT_EQ(GfxThemeEntries[5], &marker[5]);  // OpenThemeData
    EXPECT_EQ(reinterpret_cast<void*>(GfxThemeOpenThemeData()), &marker[5]);
    EXPECT_EQ(GfxThemeEntries[30], nullptr);
    GfxFreeThemeLibrary();
    EXPECT_FALSE(GfxThemesLoaded);
    EXPECT_EQ(GfxThemeEntries[5], nullptr);
    GfxSetThemeModuleLoader(old);
}

TEST(ButtonStyles, TextStyleFlags)
{
    const struct { int value; std::uint32_t flags; } cases[] = {
        {0, 0}, {1, 0x40}, {2, 0x80}, {3, 0x100}, {4, 0}, {-1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxTextStyleFlags(c.value), c.flags) << c.value;
    EXPECT_STREQ(GfxButtonStyleNames[0], "nbsAutoDetect");
    EXPECT_STREQ(GfxButtonStyleNames[2], "nbsWin40");
}

}  // namespace
