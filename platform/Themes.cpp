#include "platform/Themes.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <array>

// The theme handles: one per theme class, shared by every control that opens
// it, so opening and closing allocate nothing.
struct TThemeData {
    enum class Kind { Header, Button, ComboBox, Spin, Progress } kind;
    const char* name;
};

namespace {

std::array<TThemeData, 5> ThemeClasses = {{
    {TThemeData::Kind::Header, "header"},
    {TThemeData::Kind::Button, "button"},
    {TThemeData::Kind::ComboBox, "combobox"},
    {TThemeData::Kind::Spin, "spin"},
    {TThemeData::Kind::Progress, "progress"},
}};

bool ThemeActive = true;

// One fixed style with a palette built from our system colours, not the
// desktop's, so themed pictures are the same on every machine. The
// application owns it, so it goes before the application does.
QStyle& ThemeStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        if (!style) style = QStyleFactory::create(QStyleFactory::keys().value(0));
        style->setParent(qApp);
    }
    return *style;
}

const QPalette& ThemePalette()
{
    static const QPalette palette = [] {
        QPalette p(ToQColor(clBtnFace));
        auto set = [&p](QPalette::ColorRole role, TColor color) { p.setColor(role, ToQColor(color)); };
        set(QPalette::Window, clBtnFace);
        set(QPalette::WindowText, clWindowText);
        set(QPalette::Base, clWindow);
        set(QPalette::AlternateBase, clBtnFace);
        set(QPalette::Text, clWindowText);
        set(QPalette::Button, clBtnFace);
        set(QPalette::ButtonText, clBtnText);
        set(QPalette::BrightText, clWhite);
        set(QPalette::Light, clBtnHighlight);
        set(QPalette::Midlight, cl3DLight);
        set(QPalette::Mid, clBtnShadow);
        set(QPalette::Dark, clBtnShadow);
        set(QPalette::Shadow, cl3DDkShadow);
        set(QPalette::Highlight, clHighlight);
        set(QPalette::HighlightedText, clHighlightText);
        set(QPalette::ToolTipBase, clInfoBk);
        set(QPalette::ToolTipText, clInfoText);
        set(QPalette::PlaceholderText, clGrayText);
        set(QPalette::Link, clHotLight);
        set(QPalette::LinkVisited, clPurple);
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(QPalette::Disabled, role, ToQColor(clGrayText));
        p.setColor(QPalette::Disabled, QPalette::Base, ToQColor(clBtnFace));
        p.setCurrentColorGroup(QPalette::Active);
        return p;
    }();
    return palette;
}

// A current system tints a part under the mouse light blue and a pressed one
// a shade deeper; a disabled part takes the palette's disabled colours.
QPalette PaletteFor(QStyle::State state)
{
    QPalette p = ThemePalette();
    if (!(state & QStyle::State_Enabled)) {
        p.setCurrentColorGroup(QPalette::Disabled);
        return p;
    }
    if (state & QStyle::State_Sunken) p.setColor(QPalette::Button, ToQColor(RGB(204, 228, 247)));
    else if (state & QStyle::State_MouseOver) {
        p.setColor(QPalette::Button, ToQColor(RGB(229, 241, 251)));
        p.setColor(QPalette::Base, ToQColor(RGB(229, 241, 251)));
    }
    return p;
}

// The style state of a part's state id: hot, pressed and disabled states by
// their number within a group of four (normal, hot, pressed, disabled).
QStyle::State StateOfStep(int step)
{
    QStyle::State s = QStyle::State_Enabled;
    if (step == 2) s |= QStyle::State_MouseOver;
    if (step == 3) s |= QStyle::State_Sunken;
    if (step == 4) s &= ~QStyle::State_Enabled;
    return s;
}

// The painter is moved to the part's top-left corner before drawing, so every
// option lies at the origin: the style's vertical parts rotate about it.
template <typename Option>
void Prepare(Option& option, const TRect& rect, QStyle::State state)
{
    option.rect = QRect(0, 0, rect.Width(), rect.Height());
    option.palette = PaletteFor(state);
    option.state = state;
    option.direction = Qt::LeftToRight;
}

bool DrawHeader(QPainter& p, int part, int state, const TRect& rect)
{
    if (part != HP_HEADERITEM || state < HIS_NORMAL || state > HIS_PRESSED) return false;
    QStyleOptionHeader o;
    Prepare(o, rect, StateOfStep(state) | QStyle::State_Raised | QStyle::State_Horizontal);
    o.orientation = Qt::Horizontal;
    o.position = QStyleOptionHeader::Middle;
    ThemeStyle().drawControl(QStyle::CE_HeaderSection, &o, &p);
    return true;
}

bool DrawButton(QPainter& p, int part, int state, const TRect& rect)
{
    QStyle& style = ThemeStyle();
    switch (part) {
    case BP_PUSHBUTTON: {
        if (state < PBS_NORMAL || state > PBS_DEFAULTED) return false;
        QStyleOptionButton o;
        Prepare(o, rect, StateOfStep(state == PBS_DEFAULTED ? PBS_NORMAL : state) | QStyle::State_Raised);
        if (state == PBS_DEFAULTED) o.features |= QStyleOptionButton::DefaultButton;
        style.drawControl(QStyle::CE_PushButtonBevel, &o, &p);
        return true;
    }
    case BP_RADIOBUTTON:
    case BP_CHECKBOX: {
        const int groups = part == BP_RADIOBUTTON ? 2 : 3;   // unchecked, checked (, mixed)
        if (state < 1 || state > 4 * groups) return false;
        const int group = (state - 1) / 4;
        QStyle::State s = StateOfStep((state - 1) % 4 + 1);
        s |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
        QStyleOptionButton o;
        Prepare(o, rect, s);
        style.drawPrimitive(part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton, &o, &p);
        return true;
    }
    default: return false;
    }
}

bool DrawComboButton(QPainter& p, int part, int state, const TRect& rect)
{
    if (part != CP_DROPDOWNBUTTON || state < CBXS_NORMAL || state > CBXS_DISABLED) return false;
    QStyleOptionComboBox o;
    QStyle::State s = StateOfStep(state);
    if (state == CBXS_PRESSED) s |= QStyle::State_On;
    Prepare(o, rect, s);
    o.editable = false;
    o.frame = true;
    o.subControls = QStyle::SC_All;
    o.activeSubControls = state == CBXS_PRESSED || state == CBXS_HOT ? QStyle::SC_ComboBoxArrow : QStyle::SC_None;
    ThemeStyle().drawComplexControl(QStyle::CC_ComboBox, &o, &p);
    return true;
}

bool DrawSpin(QPainter& p, int part, int state, const TRect& rect)
{
    if (part < SPNP_UP || part > SPNP_DOWNHORZ || state < 1 || state > 4) return false;
    QStyle& style = ThemeStyle();
    // One button of the pair: a button face with its arrow ("up" sideways points right).
    QStyleOptionButton bevel;
    Prepare(bevel, rect, StateOfStep(state) | QStyle::State_Raised);
    style.drawPrimitive(QStyle::PE_PanelButtonCommand, &bevel, &p);
    static constexpr QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                                                          QStyle::PE_IndicatorArrowRight, QStyle::PE_IndicatorArrowLeft};
    QStyleOption arrow;
    Prepare(arrow, rect, StateOfStep(state));
    style.drawPrimitive(arrows[part - SPNP_UP], &arrow, &p);
    return true;
}

bool DrawProgress(QPainter& p, int part, int state, const TRect& rect)
{
    if (part < PP_BAR || part > PP_CHUNKVERT) return false;
    (void)state;   // the bar and chunk parts have one state
    const bool vertical = part == PP_BARVERT || part == PP_CHUNKVERT;
    QStyleOptionProgressBar o;
    Prepare(o, rect, QStyle::State_Enabled | (vertical ? QStyle::State_None : QStyle::State_Horizontal));
    o.minimum = 0;
    o.maximum = 100;
    // A chunk is a full bar of its own rectangle; the caller lays chunks out.
    o.progress = (part == PP_CHUNK || part == PP_CHUNKVERT) ? 100 : 0;
    o.textVisible = false;
    if (part == PP_BAR || part == PP_BARVERT) ThemeStyle().drawControl(QStyle::CE_ProgressBarGroove, &o, &p);
    else ThemeStyle().drawControl(QStyle::CE_ProgressBarContents, &o, &p);
    return true;
}

} // namespace

HTHEME OpenThemeData(TWinControl* control, const String& classList)
{
    (void)control;   // every window shares the one theme
    if (!ThemeActive) return nullptr;
    // A list of class names separated by ';': the first one the theme knows wins.
    for (const QString& name : classList.split(u';')) {
        const QString wanted = name.trimmed();
        for (TThemeData& data : ThemeClasses)
            if (wanted.compare(QLatin1String(data.name), Qt::CaseInsensitive) == 0) return &data;
    }
    return nullptr;
}

void CloseThemeData(HTHEME theme) { (void)theme; }

bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& rect, const TRect* clip)
{
    if (!theme || rect.IsEmpty()) return false;
    QPainter* painter = canvas.Painter();
    if (!painter) return false;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // The style may draw a pixel beyond a part's box; the rectangle is the limit.
    QRect limit = rect.ToQRect();
    if (clip) limit &= clip->ToQRect();
    painter->setClipRect(limit, Qt::IntersectClip);
    painter->translate(rect.Left, rect.Top);
    bool drawn = false;
    if (!limit.isEmpty()) switch (theme->kind) {
        case TThemeData::Kind::Header: drawn = DrawHeader(*painter, partId, stateId, rect); break;
        case TThemeData::Kind::Button: drawn = DrawButton(*painter, partId, stateId, rect); break;
        case TThemeData::Kind::ComboBox: drawn = DrawComboButton(*painter, partId, stateId, rect); break;
        case TThemeData::Kind::Spin: drawn = DrawSpin(*painter, partId, stateId, rect); break;
        case TThemeData::Kind::Progress: drawn = DrawProgress(*painter, partId, stateId, rect); break;
        }
    painter->restore();
    return drawn;
}

bool IsThemeActive() { return ThemeActive; }

bool IsAppThemed() { return ThemeActive; }

String GetCurrentThemeName()
{
    String file;
    GetCurrentThemeName(&file, nullptr, nullptr);
    return file;
}

bool GetCurrentThemeName(String* fileName, String* colorName, String* sizeName)
{
    if (fileName) *fileName = ThemeActive ? QStringLiteral(R"(C:\Windows\resources\Themes\Aero\Aero.msstyles)") : String();
    if (colorName) *colorName = ThemeActive ? QStringLiteral("NormalColor") : String();
    if (sizeName) *sizeName = ThemeActive ? QStringLiteral("NormalSize") : String();
    return ThemeActive;
}

int GetComCtlVersion() { return 6; }

int Win32MajorVersion() { return 10; }

int Win32MinorVersion() { return 0; }

bool CheckWin32Version(int major, int minor)
{
    return Win32MajorVersion() > major || (Win32MajorVersion() == major && Win32MinorVersion() >= minor);
}

int ModuleFileVersion(const String& fileName)
{
    // Common controls 6.16 as a current system ships them.
    if (fileName.compare(QStringLiteral("comctl32.dll"), Qt::CaseInsensitive) == 0
        || fileName.compare(QStringLiteral("comctl32"), Qt::CaseInsensitive) == 0)
        return (GetComCtlVersion() << 16) | 16;
    return -1;
}

bool IsWinXPOrLater() { return CheckWin32Version(5, 1); }

bool IsVistaOrLater() { return ModuleExports(QStringLiteral("kernel32"), QStringLiteral("GetLocaleInfoEx")); }

bool IsWin7OrLater() { return CheckWin32Version(6, 1); }

bool IsComCtl6()
{
    const int version = ModuleFileVersion(QStringLiteral("COMCTL32.DLL"));
    return version >= 0 && (version >> 16) > 5;
}

bool ModuleExports(const String& module, const String& function)
{
    auto is = [](const String& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; };
    const String base = module.endsWith(QStringLiteral(".dll"), Qt::CaseInsensitive) ? module.chopped(4) : module;
    if (is(base, "kernel32")) return function == QStringLiteral("GetLocaleInfoEx");
    if (is(base, "uxtheme"))
        return function == QStringLiteral("OpenThemeData") || function == QStringLiteral("CloseThemeData")
            || function == QStringLiteral("DrawThemeBackground") || function == QStringLiteral("IsThemeActive")
            || function == QStringLiteral("IsAppThemed") || function == QStringLiteral("GetCurrentThemeName");
    return false;
}

void UseThemeForApplication()
{
    // The application takes its own style object and deletes it on exit;
    // the painter above keeps its own.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);
    QApplication::setPalette(ThemePalette());
}

bool SetThemeActiveForTest(bool active)
{
    const bool previous = ThemeActive;
    ThemeActive = active;
    return previous;
}
