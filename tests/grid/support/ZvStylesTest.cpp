#include "grid/support/ZvStyles.h"

#include "platform/Forms.h"
#include "platform/Themes.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// An office suite's settings as a test describes them: keys, and "Theme" values per key.
class FakeOfficeSettings : public TOfficeSettingsStore {
public:
    std::map<String, int> Themes;   // key -> value; a key without value maps to -1
    std::vector<String> Keys;

    bool KeyExists(const String& key) const override
    {
        return std::find(Keys.begin(), Keys.end(), key) != Keys.end() || Themes.count(key) > 0;
    }
    bool ReadInteger(const String& key, const String& name, int& value) const override
    {
        const auto it = Themes.find(key);
        if (name != QStringLiteral("Theme") || it == Themes.end() || it->second < 0) return false;
        value = it->second;
        return true;
    }
};

// Restores the theme switch whatever a test did with it.
class ThemeSwitch {
public:
    explicit ThemeSwitch(bool active) : FPrevious(SetThemeActiveForTest(active)) {}
    ~ThemeSwitch() { SetThemeActiveForTest(FPrevious); }

private:
    bool FPrevious;
};

TEST(Styles, PlatformChecksAnswerAsACurrentThemedSystem)
{
    EXPECT_EQ(DefaultUIFontName(), QStringLiteral("Segoe UI"));
    EXPECT_EQ(XPColorScheme(), 1) << "the blue scheme";
    ThemeSwitch off(false);
    EXPECT_EQ(XPColorScheme(), 0);
}

TEST(Styles, ThemeBindingsServeThemedDrawing)
{
    for (const TThemeBinding* binding : {&ZvXPVS::Theme(), &ATXPVS::Theme()}) {
        ASSERT_TRUE(binding->Loaded);
        ASSERT_TRUE(binding->OpenThemeData && binding->CloseThemeData && binding->DrawThemeBackground
                    && binding->IsThemeActive && binding->GetCurrentThemeName);
        EXPECT_TRUE(binding->IsThemeActive());
        HTHEME theme = binding->OpenThemeData(nullptr, QStringLiteral("button"));
        TBitmap bmp(20, 20);
        EXPECT_TRUE(binding->DrawThemeBackground(theme, *bmp.Canvas(), BP_PUSHBUTTON, PBS_NORMAL, Rect(0, 0, 20, 20),
                                                 nullptr));
        binding->CloseThemeData(theme);
    }
    // Finalization releases the table; the next use binds it again.
    ZvXPVS::Finalization();
    EXPECT_TRUE(ZvXPVS::Theme().Loaded);
}

TEST(Styles, OfficeThemeDetection)
{
    struct Case {
        int v2010;   // -2: no key, -1: key without value
        int v2007;
        bool themeActive;
        TOfficeTheme expected;
    } cases[] = {
        {-2, -2, false, TOfficeTheme::ot2003Classic},
        {-2, -2, true, TOfficeTheme::ot2003Blue},    // the blue XP scheme
        {1, 2, true, TOfficeTheme::ot2010Blue},
        {2, -2, true, TOfficeTheme::ot2010Silver},
        {3, -2, true, TOfficeTheme::ot2010Black},
        {4, 3, true, TOfficeTheme::ot2003Blue},      // a 2010 value outside 1-3 does not look at 2007
        {-1, 1, true, TOfficeTheme::ot2007Blue},
        {-2, 2, true, TOfficeTheme::ot2007Silver},
        {-2, 3, false, TOfficeTheme::ot2007Black},
        {-2, 0, false, TOfficeTheme::ot2003Blue},
        {-1, -1, false, TOfficeTheme::ot2003Classic},
    };
    for (const Case& c : cases) {
        FakeOfficeSettings store;
        if (c.v2010 != -2) store.Themes[OfficeKey2010] = c.v2010;
        if (c.v2007 != -2) store.Themes[OfficeKey2007] = c.v2007;
        ThemeSwitch theme(c.themeActive);
        EXPECT_EQ(DetectOfficeStyle(store), c.expected) << c.v2010 << " " << c.v2007 << " " << c.themeActive;
    }
    // This desktop has no office suite: the detection follows the theme alone.
    EXPECT_EQ(DetectOfficeStyle(), TOfficeTheme::ot2003Blue);
    EXPECT_EQ(OfficeVersionKey(), 0);
}

TEST(Styles, OfficeVersionAndThemeValue)
{
    FakeOfficeSettings store;
    EXPECT_EQ(OfficeVersionKey(store), 0);
    EXPECT_EQ(ReadOfficeThemeValue(store, OfficeKey2007), -1);
    store.Keys.push_back(OfficeKey2007 + QStringLiteral("\\General"));
    EXPECT_EQ(OfficeVersionKey(store), 1);
    store.Keys.push_back(OfficeKey2010 + QStringLiteral("\\General"));
    EXPECT_EQ(OfficeVersionKey(store), 2);
    store.Keys.push_back(OfficeKey2007);
    EXPECT_EQ(ReadOfficeThemeValue(store, OfficeKey2007), -1) << "key without value";
    store.Themes[OfficeKey2007] = 2;
    EXPECT_EQ(ReadOfficeThemeValue(store, OfficeKey2007), 2);
}

TEST(Styles, OfficeThemesMapToGridStyles)
{
    const std::pair<TOfficeTheme, TZvStyle> map[] = {
        {TOfficeTheme::ot2003Blue, TZvStyle::tsOffice2003Blue},
        {TOfficeTheme::ot2003Silver, TZvStyle::tsOffice2003Silver},
        {TOfficeTheme::ot2003Olive, TZvStyle::tsOffice2003Olive},
        {TOfficeTheme::ot2003Classic, TZvStyle::tsOffice2003Classic},
        {TOfficeTheme::ot2007Blue, TZvStyle::tsOffice2007Luna},
        {TOfficeTheme::ot2007Silver, TZvStyle::tsOffice2007Silver},
        {TOfficeTheme::ot2007Black, TZvStyle::tsOffice2007Obsidian},
        {TOfficeTheme::ot2010Blue, TZvStyle::tsOffice2010Blue},
        {TOfficeTheme::ot2010Silver, TZvStyle::tsOffice2010Silver},
        {TOfficeTheme::ot2010Black, TZvStyle::tsOffice2010Black},
        {TOfficeTheme::otUnknown, TZvStyle::tsOffice2003Blue},
    };
    for (const auto& [theme, style] : map) EXPECT_EQ(ZvStyleOfOfficeTheme(theme), style) << int(theme);
    EXPECT_EQ(int(TZvStyle::tsOffice2010Black), 15);
    EXPECT_EQ(int(TOfficeTheme::otUnknown), 10);
}

TEST(Styles, HandleList)
{
    QWidget* a = reinterpret_cast<QWidget*>(0x10);
    QWidget* b = reinterpret_cast<QWidget*>(0x20);
    QWidget* c = reinterpret_cast<QWidget*>(0x30);
    THandleList list;
    EXPECT_EQ(list.Add(a), 0);
    EXPECT_EQ(list.Add(b), 1);
    list.Insert(0, c);
    EXPECT_EQ(list.GetInteger(0), c);
    EXPECT_TRUE(list.HasValue(b));
    list.DeleteValue(b);
    EXPECT_FALSE(list.HasValue(b));
    list.DeleteValue(b);   // absent: nothing
    EXPECT_EQ(list.Count(), 2);
    list.SetInteger(1, b);
    EXPECT_EQ(list.GetInteger(1), b);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_THROW(list.GetInteger(5), Exception);
    EXPECT_THROW(list.Delete(-1), Exception);
    EXPECT_THROW(list.Insert(3, a), Exception);
}

TEST(Styles, NotifierIsOnePerProcessAndWatchesNothingHere)
{
    TComponent owner(nullptr);
    TThemeNotifier* first = ThemeNotifierInstance(&owner);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ThemeNotifierInstance(nullptr), first);
    EXPECT_EQ(first->RegMonitorThread(), nullptr);
    // Without a watcher, registering and unregistering do nothing and never fail.
    QWidget* handle = reinterpret_cast<QWidget*>(0x40);
    first->RegisterWindow(handle);
    first->RegisterWindow(handle);
    first->UnRegisterWindow(handle);
    first->UnRegisterWindow(reinterpret_cast<QWidget*>(0x50));
    EXPECT_EQ(first->Owner(), &owner);
    delete first;   // the owner lets go of it; the next use makes a new one
    TThemeNotifier* second = ThemeNotifierInstance(&owner);
    EXPECT_EQ(second->Owner(), &owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(WM_OFFICETHEMECHANGED, 2993u);
}

TEST(Styles, ColorTonesCompareByValue)
{
    TColorTones a, b;
    EXPECT_EQ(a, b);
    b.Hover.BrushColor = clRed;
    EXPECT_NE(a, b);
    EXPECT_EQ(a.Background.BrushColor, clNone);
}

}  // namespace
