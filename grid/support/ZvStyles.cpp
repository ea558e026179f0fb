#include "grid/support/ZvStyles.h"

#include "platform/Forms.h"

#include <iterator>

TZvStyle ZvStyleOfOfficeTheme(TOfficeTheme theme)
{
    // By office theme, in the order of TOfficeTheme.
    static constexpr TZvStyle styles[] = {
        TZvStyle::tsOffice2003Blue,     TZvStyle::tsOffice2003Silver, TZvStyle::tsOffice2003Olive,
        TZvStyle::tsOffice2003Classic,  TZvStyle::tsOffice2007Luna,   TZvStyle::tsOffice2007Silver,
        TZvStyle::tsOffice2007Obsidian, TZvStyle::tsOffice2010Blue,   TZvStyle::tsOffice2010Silver,
        TZvStyle::tsOffice2010Black,
        TZvStyle::tsOffice2003Blue,  // otUnknown
    };
    static_assert(std::size(styles) == std::size_t(TOfficeTheme::otUnknown) + 1);
    return styles[std::size_t(theme)];
}

// ---- Theme binding --------------------------------------------------------------

namespace {

struct TThemeUnit {
    TThemeBinding Binding;

    void Load()
    {
        if (Binding.Loaded) return;
        Binding.OpenThemeData = &::OpenThemeData;
        Binding.CloseThemeData = &::CloseThemeData;
        Binding.DrawThemeBackground = &::DrawThemeBackground;
        Binding.IsThemeActive = &::IsThemeActive;
        Binding.GetCurrentThemeName = static_cast<bool (*)(String*, String*, String*)>(&::GetCurrentThemeName);
        Binding.Loaded = true;
    }
    void Release() { Binding = TThemeBinding{}; }
    // The unit binds on first use, which stands in for its start-up; a use
    // after finalization binds again.
    const TThemeBinding& Get()
    {
        Load();
        return Binding;
    }
};

TThemeUnit& GridThemeUnit()
{
    static TThemeUnit unit;
    return unit;
}

TThemeUnit& DropDownThemeUnit()
{
    static TThemeUnit unit;
    return unit;
}

}  // namespace

namespace ZvXPVS {
void LoadThemeLibrary() { GridThemeUnit().Load(); }
void Finalization() { GridThemeUnit().Release(); }
const TThemeBinding& Theme() { return GridThemeUnit().Get(); }
}  // namespace ZvXPVS

namespace ATXPVS {
void LoadThemeLibrary() { DropDownThemeUnit().Load(); }
void Finalization() { DropDownThemeUnit().Release(); }
const TThemeBinding& Theme() { return DropDownThemeUnit().Get(); }
}  // namespace ATXPVS

// ---- Platform checks ---------------------------------------------------------------

String DefaultUIFontName() { return IsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"); }

int XPColorScheme()
{
    if (!IsWinXPOrLater()) return 0;
    const TThemeBinding& theme = ZvXPVS::Theme();
    if (!theme.Loaded || !theme.IsThemeActive() || !IsComCtl6()) return 0;
    String colorName;
    if (!theme.GetCurrentThemeName(nullptr, &colorName, nullptr)) return 0;
    if (colorName.contains(QStringLiteral("NormalColor"))) return 1;
    if (colorName.contains(QStringLiteral("HomeStead"))) return 2;
    if (colorName.contains(QStringLiteral("Metallic"))) return 3;
    return 0;
}

// ---- The office suite's theme --------------------------------------------------------

const String OfficeKey2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const String OfficeKey2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

namespace {
class TNoOfficeSettings : public TOfficeSettingsStore {
public:
    bool KeyExists(const String&) const override { return false; }
    bool ReadInteger(const String&, const String&, int&) const override { return false; }
};
}  // namespace

const TOfficeSettingsStore& SystemOfficeSettings()
{
    static const TNoOfficeSettings store;
    return store;
}

int OfficeVersionKey(const TOfficeSettingsStore& store)
{
    if (store.KeyExists(OfficeKey2010 + QStringLiteral("\\General"))) return 2;
    if (store.KeyExists(OfficeKey2007 + QStringLiteral("\\General"))) return 1;
    return 0;
}

int ReadOfficeThemeValue(const TOfficeSettingsStore& store, const String& key)
{
    if (!store.KeyExists(key)) return -1;
    int value = 0;
    return store.ReadInteger(key, QStringLiteral("Theme"), value) ? value : -1;
}

TOfficeTheme DetectOfficeStyle(const TOfficeSettingsStore& store)
{
    const int v2010 = ReadOfficeThemeValue(store, OfficeKey2010);
    switch (v2010) {
    case 1: return TOfficeTheme::ot2010Blue;
    case 2: return TOfficeTheme::ot2010Silver;
    case 3: return TOfficeTheme::ot2010Black;
    default: break;
    }
    if (v2010 != -1) return TOfficeTheme::ot2003Blue;
    const int v2007 = ReadOfficeThemeValue(store, OfficeKey2007);
    switch (v2007) {
    case 1: return TOfficeTheme::ot2007Blue;
    case 2: return TOfficeTheme::ot2007Silver;
    case 3: return TOfficeTheme::ot2007Black;
    default: break;
    }
    if (v2007 != -1) return TOfficeTheme::ot2003Blue;
    switch (XPColorScheme()) {
    case 0: return TOfficeTheme::ot2003Classic;
    case 2: return TOfficeTheme::ot2003Olive;
    case 3: return TOfficeTheme::ot2003Silver;
    default: return TOfficeTheme::ot2003Blue;
    }
}

// ---- Theme notifier ----------------------------------------------------------------

namespace {
void CheckHandleIndex(int index, int count)
{
    if (index < 0 || index >= count) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
}
}  // namespace

int THandleList::Add(QWidget* handle)
{
    FItems.push_back(handle);
    return Count() - 1;
}

void THandleList::Insert(int index, QWidget* handle)
{
    if (index < 0 || index > Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    FItems.insert(FItems.begin() + index, handle);
}

void THandleList::Delete(int index)
{
    CheckHandleIndex(index, Count());
    FItems.erase(FItems.begin() + index);
}

void THandleList::DeleteValue(QWidget* handle)
{
    const auto it = std::find(FItems.begin(), FItems.end(), handle);
    if (it != FItems.end()) FItems.erase(it);
}

bool THandleList::HasValue(QWidget* handle) const
{
    return std::find(FItems.begin(), FItems.end(), handle) != FItems.end();
}

QWidget* THandleList::GetInteger(int index) const
{
    CheckHandleIndex(index, Count());
    return FItems[std::size_t(index)];
}

void THandleList::SetInteger(int index, QWidget* handle)
{
    CheckHandleIndex(index, Count());
    FItems[std::size_t(index)] = handle;
}

namespace {
TThemeNotifier* NotifierInstance = nullptr;
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    // The watcher starts only where an office suite keeps its settings, and
    // this desktop has none: OfficeVersionKey answers 0, no window, no thread.
}

TThemeNotifier::~TThemeNotifier()
{
    if (NotifierInstance == this) NotifierInstance = nullptr;
}

void TThemeNotifier::RegisterWindow(QWidget*)
{
    // Without a watcher there is no list to add to.
}

void TThemeNotifier::UnRegisterWindow(QWidget*) {}

TThemeNotifier* ThemeNotifierInstance(TComponent* AOwner)
{
    if (NotifierInstance) return NotifierInstance;
    TComponent* owner = AOwner;
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        owner = Application->MainForm();
    NotifierInstance = new TThemeNotifier(owner);
    return NotifierInstance;
}
