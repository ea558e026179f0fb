#include "grid/support/ZvHTMLUtil.h"

#include "platform/DrawText.h"
#include "platform/Themes.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QPainter>

#include <array>
#include <cmath>

namespace {

struct TEntity {
    char16_t Char;
    const char* Name;
};

// The accented letters and signs written as entities. Escaping and
// unescaping use the first 51; the last four are kept for completeness only.
constexpr std::array<TEntity, 55> Entities = {{
    {u'\u00E9', "&eacute;"}, {u'\u00E8', "&egrave;"}, {u'\u00EB', "&euml;"},   {u'\u00EA', "&ecirc;"},
    {u'\u00F3', "&oacute;"}, {u'\u00F2', "&ograve;"}, {u'\u00F6', "&ouml;"},   {u'\u00F4', "&ocirc;"},
    {u'\u00ED', "&iacute;"}, {u'\u00EC', "&igrave;"}, {u'\u00EF', "&iuml;"},   {u'\u00EE', "&icirc;"},
    {u'\u00FA', "&uacute;"}, {u'\u00F9', "&ugrave;"}, {u'\u00FC', "&uuml;"},   {u'\u00FB', "&ucirc;"},
    {u'\u00E1', "&aacute;"}, {u'\u00E0', "&agrave;"}, {u'\u00E4', "&auml;"},   {u'\u00E2', "&acirc;"},
    {u'\u00C9', "&Eacute;"}, {u'\u00C8', "&Egrave;"}, {u'\u00CB', "&Euml;"},   {u'\u00CA', "&Ecirc;"},
    {u'\u00D3', "&Oacute;"}, {u'\u00D2', "&Ograve;"}, {u'\u00D6', "&Ouml;"},   {u'\u00D4', "&Ocirc;"},
    {u'\u00CD', "&Iacute;"}, {u'\u00CC', "&Igrave;"}, {u'\u00CF', "&Iuml;"},   {u'\u00CE', "&Icirc;"},
    {u'\u00DA', "&Uacute;"}, {u'\u00D9', "&Ugrave;"}, {u'\u00DC', "&Uuml;"},   {u'\u00DB', "&Ucirc;"},
    {u'\u00C1', "&Aacute;"}, {u'\u00C0', "&Agrave;"}, {u'\u00C4', "&Auml;"},   {u'\u00C2', "&Acirc;"},
    {u'\u00E7', "&ccedil;"}, {u'\u00C7', "&Ccedil;"}, {u'\u00F8', "&oslash;"}, {u'\u00D8', "&Oslash;"},
    {u'\u00E5', "&aring;"},  {u'\u00C5', "&Aring;"},  {u'\u00A9', "&copy;"},   {u'\u00AE', "&reg;"},
    {u'\u20AC', "&euro;"},   {u'\u00AB', "&laquo;"},  {u'\u00BB', "&raquo;"},  {u'\u00E3', "&atilde;"},
    {u'\u00C3', "&Atilde;"}, {u'\u00F5', "&otilde;"}, {u'\u00D5', "&Otilde"},
}};
constexpr int UsedEntities = 51;

constexpr std::array<TEntity, 4> BasicEntities = {{
    {u'<', "&lt;"}, {u'>', "&gt;"}, {u'&', "&amp;"}, {u'"', "&quot;"},
}};

// The entity `matches` picks: the last of the basic ones that does, else (when
// `extended`) the first of the used accented ones.
template <typename Match>
const TEntity* FindEntity(bool extended, Match matches)
{
    const TEntity* hit = nullptr;
    for (const TEntity& e : BasicEntities)
        if (matches(e)) hit = &e;
    if (!hit && extended)
        for (int k = 0; k < UsedEntities && !hit; ++k)
            if (matches(Entities[k])) hit = &Entities[k];
    return hit;
}

TColor HighlightBackground = clHighlight;
TColor HighlightText = clHighlightText;
bool EngineIsXP = false;

// Position of `needle` in `text` from `from`, letters a-z in any case.
qsizetype IndexOfNoCase(const String& text, const String& needle, qsizetype from = 0)
{
    if (needle.isEmpty()) return -1;
    return UpperCase(text).indexOf(UpperCase(needle), from);
}

// One "<CONTROL ...>" tag of a markup: where its "<" and ">" stand.
struct TTagSpan {
    qsizetype Start = -1;   // the "<"
    qsizetype End = -1;     // the ">" (or the text's end when it is missing)
};

// The control tags of a markup in order.
std::vector<TTagSpan> ControlTags(const String& markup)
{
    std::vector<TTagSpan> tags;
    const String upper = UpperCase(markup);
    static const String opener = QStringLiteral("<CONTROL ");
    qsizetype from = 0;
    while (true) {
        const qsizetype start = upper.indexOf(opener, from);
        if (start < 0) break;
        qsizetype end = markup.indexOf(u'>', start);
        if (end < 0) end = markup.size();
        tags.push_back({start, end});
        from = end;
    }
    return tags;
}

TControlTag TagAt(const String& markup, const TTagSpan& span)
{
    return ParseControlTag(markup.mid(span.Start, span.End - span.Start + 1));
}

// The value of attribute `name` ("TYPE=") of a tag, looked up outside quoted values.
String AttributeValue(const String& tagText, const String& upperTag, const String& name)
{
    bool inQuotes = false;
    for (qsizetype i = 0; i < upperTag.size(); ++i) {
        if (upperTag[i] == u'"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (inQuotes || !QStringView(upperTag).mid(i).startsWith(name)) continue;
        const qsizetype open = tagText.indexOf(u'"', i + name.size());
        if (open < 0) return {};
        qsizetype close = tagText.indexOf(u'"', open + 1);
        if (close < 0) close = tagText.size();
        return tagText.mid(open + 1, close - open - 1);
    }
    return {};
}

// The text of a markup with its tags left out; a "<" without its ">" keeps the
// rest as it is. With `strayCloseEnds`, a ">" that stands before the next "<"
// ends the markup too.
String TextBetweenTags(const String& markup, bool strayCloseEnds)
{
    String out;
    out.reserve(markup.size());
    qsizetype i = 0;
    while (i < markup.size()) {
        const qsizetype lt = markup.indexOf(u'<', i);
        const qsizetype gt = strayCloseEnds ? markup.indexOf(u'>', i) : -1;
        if (lt < 0 || (gt >= 0 && gt < lt)) {
            out += QStringView(markup).mid(i);
            break;
        }
        out += QStringView(markup).mid(i, lt - i);
        const qsizetype close = markup.indexOf(u'>', lt);
        if (close < 0) {
            out += QStringView(markup).mid(lt);
            break;
        }
        i = close + 1;
    }
    return out;
}

int HexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    return 0;
}

}  // namespace

// ---- Markup text ------------------------------------------------------------

String StripHTMLTags(const String& markup)
{
    String text = markup;
    text.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    text.replace(QStringLiteral("<HR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    return TextBetweenTags(text, false);
}

namespace {

// The text of a markup as it shows, up to the first ">" that stands before
// the next "<"; from there on the text is taken as it is.
String VisibleText(const String& markup) { return TextBetweenTags(markup, true); }

// Position in the markup of visible character n (0-based); the markup's end
// for the character one past the last.
qsizetype MarkupPosOfVisible(const String& markup, qsizetype n)
{
    bool inTag = false;
    qsizetype count = 0;
    for (qsizetype i = 0; i < markup.size(); ++i) {
        const QChar c = markup[i];
        if (c == u'<') {
            inTag = true;
        } else if (inTag) {
            if (c == u'>') inTag = false;
        } else {
            if (count == n) return i;
            ++count;
        }
    }
    return markup.size();
}

String EscapeAngles(const String& text)
{
    String out = text;
    return out.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
}

}  // namespace

String HighlightHTMLText(const String& markup, const String& search, const String& tag, bool caseSensitive)
{
    if (search.isEmpty()) return markup;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    String result = markup;
    String visible = VisibleText(markup);
    String sought = search;
    if (markup.contains(search, cs) && (visible.contains(u'<') || visible.contains(u'>'))) {
        visible = EscapeAngles(visible);
        result = visible;
        sought = EscapeAngles(search);
    }
    const String open = u'<' + tag + u'>';
    const String close = QStringLiteral("</") + tag + u'>';
    qsizetype offset = 0;
    while (true) {
        const qsizetype p = visible.indexOf(sought, offset, cs);
        if (p < 0) break;
        result.insert(MarkupPosOfVisible(result, p), open);
        // The close tag follows the occurrence's last character, inside any tag that closes after it.
        result.insert(MarkupPosOfVisible(result, p + sought.size() - 1) + 1, close);
        offset = p + sought.size();
    }
    return result;
}

String UnhighlightHTMLText(const String& markup, const String& tag)
{
    String out = markup;
    out.remove(u'<' + tag + u'>', Qt::CaseInsensitive);
    out.remove(QStringLiteral("</") + tag + u'>', Qt::CaseInsensitive);
    out.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    out.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return out;
}

String HTMLEscape(const String& text, bool extended)
{
    String out;
    out.reserve(text.size());
    for (QChar c : text) {
        const TEntity* hit = FindEntity(extended, [c](const TEntity& e) { return c == QChar(e.Char); });
        if (hit) out += QLatin1String(hit->Name);
        else out += c;
    }
    return out;
}

String HTMLUnescape(const String& text, bool extended)
{
    if (!text.contains(u'&')) return text;
    String out;
    out.reserve(text.size());
    const QStringView view(text);
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'&') {
            out += text[i++];
            continue;
        }
        const TEntity* hit =
            FindEntity(extended, [&](const TEntity& e) { return view.mid(i).startsWith(QLatin1String(e.Name)); });
        if (hit) {
            out += QChar(hit->Char);
            i += qsizetype(qstrlen(hit->Name));
        } else {
            out += text[i++];
        }
    }
    return out;
}

String SpaceToNbsp(const String& text)
{
    String out = text;
    return out.replace(u' ', QStringLiteral("&nbsp;"));
}

void SetHTMLHighlightColors(TColor background, TColor text)
{
    HighlightBackground = background;
    HighlightText = text;
}

TColor HTMLHighlightBackground() { return HighlightBackground; }

TColor HTMLHighlightTextColor() { return HighlightText; }

TColor ColorFromHTMLName(const String& name)
{
    struct Named {
        const char* Name;
        TColor Color;
    };
    static constexpr Named table[] = {
        {"clred", RGB(255, 0, 0)},          {"clblack", RGB(0, 0, 0)},         {"clblue", RGB(0, 0, 255)},
        {"clgreen", RGB(0, 128, 0)},        {"claqua", RGB(0, 255, 255)},      {"clyellow", RGB(255, 255, 0)},
        {"clfuchsia", RGB(255, 0, 255)},    {"clwhite", RGB(255, 255, 255)},   {"cllime", RGB(0, 255, 0)},
        {"clsilver", RGB(192, 192, 192)},   {"clgray", RGB(128, 128, 128)},    {"clolive", RGB(128, 128, 0)},
        {"clnavy", RGB(0, 0, 128)},         {"clpurple", RGB(128, 0, 128)},    {"clteal", RGB(0, 128, 128)},
        {"clmaroon", RGB(128, 0, 0)},       {"clbackground", SystemColor(1)},  {"clactivecaption", SystemColor(2)},
        {"clinactivecaption", SystemColor(3)}, {"clmenu", SystemColor(4)},     {"clwindow", SystemColor(5)},
        {"clwindowframe", SystemColor(6)},  {"clmenutext", SystemColor(7)},    {"clwindowtext", SystemColor(8)},
        {"clcaptiontext", SystemColor(9)},  {"clactiveborder", SystemColor(10)}, {"clinactiveborder", SystemColor(11)},
        {"clappworkspace", SystemColor(12)}, {"clhighlight", SystemColor(13)}, {"clhighlighttext", SystemColor(14)},
        {"clbtnface", SystemColor(15)},     {"clbtnshadow", SystemColor(16)},  {"clgraytext", SystemColor(17)},
        {"clbtntext", SystemColor(18)},     {"clinactivecaptiontext", SystemColor(19)},
        {"clbtnhighlight", SystemColor(20)}, {"cl3ddkshadow", SystemColor(21)}, {"cl3dlight", SystemColor(22)},
        {"clinfotext", SystemColor(23)},    {"clinfobk", SystemColor(24)},
    };
    for (const Named& n : table)
        if (name == QLatin1String(n.Name)) return n.Color;
    return 0;
}

int HexPairValue(const String& text)
{
    if (text.size() < 2) return 0;
    return HexDigit(text[0]) * 16 + HexDigit(text[1]);
}

TColor ColorFromHTMLHex(const String& text)
{
    const int r = HexPairValue(text.mid(1, 2));
    const int g = HexPairValue(text.mid(3, 2));
    const int b = HexPairValue(text.mid(5, 2));
    return RGB(unsigned(r), unsigned(g), unsigned(b));
}

// ---- Form controls in a cell ---------------------------------------------------

TControlTag ParseControlTag(const String& tagText)
{
    const String upper = UpperCase(tagText);
    auto attr = [&](const char* name) { return AttributeValue(tagText, upper, QLatin1String(name)); };
    TControlTag tag;
    tag.Type = UpperCase(attr("TYPE="));
    tag.ID = attr("ID=");
    tag.Value = HTMLUnescape(attr("VALUE="), true);
    tag.Width = attr("WIDTH=");
    tag.Height = attr("HEIGHT=");
    tag.Prop = HTMLUnescape(attr("PROP="), true);
    tag.MaxLen = attr("MAXLEN=");
    return tag;
}

bool HasControlTag(const String& markup) { return UpperCase(markup).contains(QStringLiteral("<CONTROL")); }

String NextEditableControlID(const String& markup, const String& id)
{
    bool passed = id.isEmpty();
    for (const TTagSpan& span : ControlTags(markup)) {
        const TControlTag tag = TagAt(markup, span);
        const bool editable = tag.Type != QStringLiteral("BUTTON") && tag.Type != QStringLiteral("CHECK")
            && tag.Type != QStringLiteral("RADIO");
        if (passed && editable) return tag.ID;
        if (tag.ID == id) passed = true;
    }
    return {};
}

String ClearRadioControls(const String& markup)
{
    String out = markup;
    for (const TTagSpan& span : ControlTags(markup)) {
        const TControlTag tag = TagAt(markup, span);
        if (tag.Type == QStringLiteral("RADIO")) SetControlValue(out, tag.ID, QStringLiteral("FALSE"));
    }
    return out;
}

namespace {
bool FindControl(const String& markup, const String& id, TControlTag& found, TTagSpan* where = nullptr)
{
    for (const TTagSpan& span : ControlTags(markup)) {
        TControlTag tag = TagAt(markup, span);
        if (tag.ID == id) {
            found = tag;
            if (where) *where = span;
            return true;
        }
    }
    return false;
}
}  // namespace

bool FindControlTag(const String& markup, const String& id, String& value)
{
    TControlTag tag;
    if (!FindControl(markup, id, tag)) return false;
    value = tag.Value;
    return true;
}

String GetControlProp(const String& markup, const String& id)
{
    TControlTag tag;
    return FindControl(markup, id, tag) ? tag.Prop : String();
}

int GetControlIntAttr(const String& markup, const String& id)
{
    TControlTag tag;
    if (!FindControl(markup, id, tag)) return 0;
    int value = 0;
    for (QChar c : tag.MaxLen) {
        if (c < u'0' || c > u'9' || value > 100000000) break;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool SetControlValue(String& markup, const String& id, const String& value)
{
    TControlTag tag;
    TTagSpan span;
    if (!FindControl(markup, id, tag, &span)) return false;
    auto quoted = [](const String& s) { return u'"' + s + u'"'; };
    String rewritten = QStringLiteral("CONTROL ID=") + quoted(id) + QStringLiteral(" VALUE=")
        + quoted(HTMLEscape(value, true)) + QStringLiteral(" WIDTH=") + quoted(tag.Width) + QStringLiteral(" TYPE=")
        + quoted(tag.Type);
    // The renderer sizes a control by its HEIGHT, so the rewrite keeps it.
    if (!tag.Height.isEmpty()) rewritten += QStringLiteral(" HEIGHT=") + quoted(tag.Height);
    if (!tag.Prop.isEmpty()) rewritten += QStringLiteral(" PROP=") + quoted(HTMLEscape(tag.Prop, true));
    if (!tag.MaxLen.isEmpty()) rewritten += QStringLiteral(" MAXLEN=") + quoted(tag.MaxLen);
    rewritten += u'>';
    markup = markup.left(span.Start + 1) + rewritten + markup.mid(span.End + 1);
    return true;
}

// ---- Renderer aids -----------------------------------------------------------

bool ReplaceFirstNoCase(String& text, const String& find, const String& replacement)
{
    const qsizetype p = IndexOfNoCase(text, find);
    if (p < 0) return false;
    text.replace(p, find.size(), replacement);
    return true;
}

String UnwrapHashTags(const String& text)
{
    String out = text;
    qsizetype from = 0;
    while (true) {
        const qsizetype p = out.indexOf(QStringLiteral("<#"), from);
        if (p < 0) break;
        out.remove(p, 1);
        if (const qsizetype gt = out.indexOf(u'>', p); gt >= 0) out.remove(gt, 1);
        from = p + 1;
    }
    return out;
}

String LineBreaksToBRTags(const String& text)
{
    String out = text;
    out.remove(u'\n');
    return out.replace(u'\r', QStringLiteral("<BR>"));
}

String PasswordMask(const String& value) { return String(value.size(), u'*'); }

TRotatedFontState SelectRotatedFont(TCanvas& canvas, int angle)
{
    TRotatedFontState state;
    state.Orientation = canvas.Font()->Orientation();
    state.Active = true;
    canvas.Font()->SetOrientation(angle * 10);
    return state;
}

void RestoreRotatedFont(TCanvas& canvas, TRotatedFontState& state)
{
    if (!state.Active) return;
    canvas.Font()->SetOrientation(state.Orientation);
    state.Active = false;
}

void DrawShellIcon(TCanvas& canvas, int x, int y, const String& name, bool large, bool draw, bool print,
                   double printScale, TSize& size)
{
    const int side = large ? 32 : 16;
    size = {side, side};
    if (!draw) return;
    QFileIconProvider provider;
    QIcon icon;
    bool isIndex = false;
    const int index = name.toInt(&isIndex);
    if (isIndex) {
        const int kind = index >= 0 && index <= int(QFileIconProvider::File) ? index : int(QFileIconProvider::File);
        icon = provider.icon(QFileIconProvider::IconType(kind));
    } else if (QFileInfo::exists(name)) {
        icon = provider.icon(QFileInfo(name));
    } else {
        icon = provider.icon(name.endsWith(u'/') ? QFileIconProvider::Folder : QFileIconProvider::File);
    }
    if (icon.isNull()) return;
    const QImage image = icon.pixmap(side, side).toImage();
    if (image.isNull()) return;
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    if (!print) {
        painter->drawImage(QPoint(x, y), image);
    } else {
        const int scaled = int(std::lround(side * printScale));
        painter->drawImage(QRect(x, y, scaled, scaled), image);
    }
}

void StretchBitmapToRect(TCanvas& canvas, const TRect& rect, TBitmap& bitmap)
{
    if (bitmap.Empty()) return;
    const TCopyMode saved = canvas.CopyMode();
    canvas.SetCopyMode(TCopyMode::cmSrcCopy);
    canvas.CopyRect(rect, *bitmap.Canvas(), Rect(0, 0, bitmap.Width(), bitmap.Height()));
    canvas.SetCopyMode(saved);
}

unsigned BiDiDrawFlags(unsigned format, bool rightToLeft)
{
    return BiDiDrawFlags(format, rightToLeft, QLocale::system().textDirection() == Qt::RightToLeft);
}

unsigned BiDiDrawFlags(unsigned format, bool rightToLeft, bool rightToLeftLocale)
{
    if (!rightToLeft || !rightToLeftLocale) return format;
    if (format & DT_RIGHT) format &= ~DT_RIGHT;
    else if (!(format & DT_CENTER)) format |= DT_RIGHT;
    return format | DT_RTLREADING;
}

bool DirectoryExistsAt(const String& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

void HTMLEngineInit() { EngineIsXP = CheckWin32Version(5, 1); }

bool HTMLEngineIsXP() { return EngineIsXP; }
