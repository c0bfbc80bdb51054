// The object model's update and notification rules, the component root and
// the string helpers.
#include "gfx_component.h"
#include "gfx_object.h"
#include "gfx_strings.h"

#include <gtest/gtest.h>

namespace {

// A sub-object with two properties, one of them written through an index.
class TTestObject : public TGfxObject {
public:
    int Width() const { return width_; }
    void SetWidth(int v) { SetProp(width_, v); }
    void SetSide(int index, int v) { SetProp(index == 0 ? left_ : right_, v); }
    int Side(int index) const { return index == 0 ? left_ : right_; }

private:
    int width_ = 1;
    int left_ = 0;
    int right_ = 0;
};

struct ObjectFixture : ::testing::Test {
    ObjectFixture()
    {
        obj.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &obj);
            ++changes;
        };
    }
    TTestObject obj;
    int changes = 0;
};

TEST_F(ObjectFixture, WritesNotifyOnlyOnChange)
{
    obj.SetWidth(1);
    EXPECT_EQ(changes, 0);
    obj.SetWidth(5);
    EXPECT_EQ(changes, 1);
    obj.SetWidth(5);
    EXPECT_EQ(changes, 1);
    obj.SetSide(1, 3);
    obj.SetSide(1, 3);
    obj.SetSide(0, 3);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(obj.Side(0), 3);
    EXPECT_EQ(obj.Side(1), 3);
}

TEST_F(ObjectFixture, UpdateHoldsNotificationsBack)
{
    const struct { bool notify; int expected; } cases[] = {{false, 0}, {true, 1}};
    for (const auto& c : cases) {
        changes = 0;
        obj.BeginUpdate();
        obj.SetWidth(obj.Width() + 1);
        obj.SetWidth(obj.Width() + 1);
        EXPECT_EQ(changes, 0);
        obj.EndUpdate(c.notify);
        EXPECT_EQ(changes, c.expected);
        EXPECT_FALSE(obj.IsUpdating());
    }
}

TEST_F(ObjectFixture, UpdateIsAFlagNotACounter)
{
    obj.BeginUpdate();
    obj.BeginUpdate();
    obj.EndUpdate(false);
    obj.SetWidth(9);  // the first EndUpdate ended both
    EXPECT_EQ(changes, 1);
}

TEST(Object, NoHandlerAndEmptyDescription)
{
    TTestObject obj;
    obj.SetWidth(4);
    obj.Change();
    EXPECT_EQ(obj.Width(), 4);
    EXPECT_TRUE(obj.GetDescription().isEmpty());
}

TEST(CustomComponent, UpdatingHoldsChangeBack)
{
    TGfxCustomComponent c;
    int n = 0;
    c.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &c);
        ++n;
    };
    c.Change();
    c.Updating = true;
    c.Change();
    c.Updating = false;
    c.DoChange();
    EXPECT_EQ(n, 2);
}

TEST(Strings, EmptyTextAndTrim)
{
    const struct { const char* in; bool empty; const char* trimmed; } cases[] = {
        {"", true, ""}, {"   ", true, ""}, {" a ", false, "a"}, {"\t a\r\n", false, "a"},
        {"\t", false, ""}, {"a b", false, "a b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GfxIsEmptyText(c.in), c.empty) << c.in;
        EXPECT_EQ(GfxTrim(c.in), QString::fromLatin1(c.trimmed)) << c.in;
    }
}

TEST(Strings, Backslashes)
{
    const struct { const char* in; const char* added; const char* removed; } cases[] = {
        {"C:\\dir", "C:\\dir\\", "C:\\dir"},
        {"C:\\dir\\", "C:\\dir\\", "C:\\dir"},
        {"", "\\", ""},
        {"  ", "  \\", "  "},
        {"\\", "\\", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GfxAddBackslash(c.in), QString::fromLatin1(c.added)) << c.in;
        EXPECT_EQ(GfxRemoveBackslash(c.in), QString::fromLatin1(c.removed)) << c.in;
    }
    EXPECT_EQ(GfxRemoveBackslash(GfxAddBackslash("C:\\dir")), QStringLiteral("C:\\dir"));
}

TEST(Strings, FileNameParts)
{
    EXPECT_EQ(GfxExtractFileExt("a/b.c/name"), QString());
    EXPECT_EQ(GfxExtractFileExt("a/name.txt"), QStringLiteral(".txt"));
    EXPECT_EQ(GfxExtractFileName("/a/b/name.txt"), QStringLiteral("name.txt"));
    EXPECT_EQ(GfxExtractFileName("name"), QStringLiteral("name"));
}

TEST(Strings, ResourceStrings)
{
    const struct { int number; const char* text; } cases[] = {
        {65217, "One clock style must be active!"},
        {65218, "Invalid owner (<>TForm) or second instance on a form"},
        {65219, "Interval not compatible with MinInterval property!"},
        {65220, "CompanyName"}, {65224, "LegalTrademark"}, {65226, "Comments"}, {65227, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxLoadResString(c.number), QString::fromLatin1(c.text)) << c.number;
}

}  // namespace
