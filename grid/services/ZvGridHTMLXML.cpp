// HTML and XML export and import: the service's state and the grid's members that front it.
//
// The HTML table carries each cell's look as a CSS class (equal looks share
// one) and its pictures as JPEG files in an "images" folder beside the page,
// numbered once per document. With XHTML on, the same table is written as
// well-formed XHTML: lower-case tags, every element closed, quoted
// attributes, numeric references where HTML has named entities.
//
// The XML list is written in the encoding it declares, characters the
// encoding lacks as character references. A field's text is escaped so that
// one left-to-right pass on reading gives back exactly the text saved: "&"
// goes as "$amp;", a "$" itself as "&#36;", line breaks as references (a
// reader would fold CR LF into LF), "<", ">" and the double quote as the
// usual entities, characters no XML file can hold as "$#" code ";".

#include "grid/services/ZvGridHTMLXML.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridTextFormats.h"
#include "grid/support/ZvGridCellGraphic.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"
#include "platform/Files.h"
#include "platform/ImgList.h"
#include "platform/Pictures.h"
#include "platform/ScopeGuard.h"
#include "platform/Seams.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <QDir>
#include <QUrl>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>

TZvGridHTMLXML::TZvGridHTMLXML(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FHTMLSettings(std::make_unique<THTMLSettings>())
{
}

TZvGridHTMLXML& TZvStringGrid::HTMLXMLService() const { return MadeOnFirstUse(d->FHTMLXMLService, this); }

const String& TZvStringGrid::XMLEncoding() const { return HTMLXMLService().FXMLEncoding; }
void TZvStringGrid::SetXMLEncoding(const String& Value) { HTMLXMLService().FXMLEncoding = Value; }
THTMLSettings* TZvStringGrid::HTMLSettings() const { return HTMLXMLService().FHTMLSettings.get(); }
void TZvStringGrid::SetHTMLSettings(THTMLSettings* Value) { HTMLSettings()->Assign(Value); }

// ---- HTML -----------------------------------------------------------------------------------------------------------

namespace {

constexpr TColor UnsetColor = 0x7FFFFFFF;
const String CRLF = QStringLiteral("\r\n");

// Named entities become numeric ones, which XML knows without a document type.
String NumericEntities(const String& html)
{
    String out;
    out.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        if (html[i] == u'&') {
            const qsizetype semi = html.indexOf(u';', i);
            if (semi > i + 1 && semi - i < 10) {
                const String name = html.mid(i + 1, semi - i - 1);
                static const QStringList xmlOwn = {QStringLiteral("amp"), QStringLiteral("lt"), QStringLiteral("gt"),
                                                   QStringLiteral("quot"), QStringLiteral("apos")};
                if (!name.startsWith(u'#') && !xmlOwn.contains(name)) {
                    const String decoded = HTMLUnescape(html.mid(i, semi - i + 1), true);
                    if (decoded.size() == 1) {
                        out += QStringLiteral("&#%1;").arg(decoded[0].unicode());
                        i = semi;
                        continue;
                    }
                }
            }
        }
        out += html[i];
    }
    return out;
}

struct THTMLWriter {
    TZvStringGrid& Grid;
    THTMLSettings& Settings;
    String Dir;
    bool XHTML;
    std::map<String, int> Styles;   // declarations -> class number
    std::vector<String> StyleOrder;
    int ImageCount = 0;             // one counter for the whole document

    String Nbsp() const { return XHTML ? QStringLiteral("&#160;") : QStringLiteral("&nbsp;"); }

    int StyleClass(const String& declarations)
    {
        const auto it = Styles.find(declarations);
        if (it != Styles.end()) return it->second;
        const int n = int(StyleOrder.size());
        Styles[declarations] = n;
        StyleOrder.push_back(declarations);
        return n;
    }

    String Declarations(TBrush& brush, TFont& font, TAlignment ha, TVAlignment va)
    {
        QStringList parts;
        if (brush.Color() != UnsetColor && brush.Color() != clNone && Settings.SaveColor())
            parts << QStringLiteral("background-color: #") + ColorToHexText(brush.Color());
        if (font.Color() != UnsetColor && font.Color() != clNone && Settings.SaveColor())
            parts << QStringLiteral("color: #") + ColorToHexText(font.Color());
        parts << QStringLiteral("font-size:%1pt").arg(font.Size());
        if (font.Style().Contains(TFontStyle::fsItalic)) parts << QStringLiteral("font-style: italic");
        if (font.Style().Contains(TFontStyle::fsBold)) parts << QStringLiteral("font-weight: bold");
        parts << QStringLiteral("font-family: ") + font.Name();
        if (ha == TAlignment::taRightJustify) parts << QStringLiteral("text-align: right");
        if (ha == TAlignment::taCenter) parts << QStringLiteral("text-align: center");
        parts << (va == TVAlignment::vtaTop      ? QStringLiteral("vertical-align: top")
                  : va == TVAlignment::vtaCenter ? QStringLiteral("vertical-align: middle")
                                                 : QStringLiteral("vertical-align: bottom"));
        return parts.join(u';');
    }

    // Writes the picture as the document's next image and gives its tag; empty when there is
    // no folder to write to or nothing to write.
    String ImageTag(const QImage& image, const QByteArray& jpeg = QByteArray())
    {
        if (Dir.isEmpty() || (image.isNull() && jpeg.isEmpty())) return {};
        const String folder = Dir + QStringLiteral("images");
        if (!QDir().mkpath(folder)) throw Exception(QStringLiteral("Cannot create ") + folder);
        const String name = folder + QStringLiteral("/img%1.jpg").arg(++ImageCount);
        QByteArray bytes = jpeg;
        String why;
        if (bytes.isEmpty() && !EncodeJpeg(image, bytes, 90, &why)) return {};
        SaveFileOrRaise(name, bytes);
        if (XHTML) return QStringLiteral("<img src=\"file://%1\" alt=\"\" />").arg(name);
        return QStringLiteral("<img src= \"file://%1\">").arg(name);
    }

    String ListImage(TCustomImageList* list, int index)
    {
        if (!list || index < 0 || index >= list->Count()) return {};
        TBitmap bmp;
        if (!list->GetBitmap(index, &bmp)) return {};
        return ImageTag(bmp.Image());
    }

    String GraphicImage(TGraphic* graphic)
    {
        if (!graphic || graphic->Empty()) return {};
        if (auto* bmp = dynamic_cast<TBitmap*>(graphic)) return ImageTag(bmp->Image());
        if (auto* icon = dynamic_cast<TIcon*>(graphic)) return ImageTag(icon->Image());
        TBitmap canvas(graphic->Width(), graphic->Height());
        graphic->Draw(*canvas.Canvas(), TRect{0, 0, graphic->Width(), graphic->Height()});
        return ImageTag(canvas.Image());
    }

    // The cell's content with its pictures, by the graphic's kind.
    String WithImages(int rc, int r, const String& text)
    {
        TCellGraphic* g = Settings.ExportImages() ? Grid.GetCellGraphic(rc, r) : nullptr;
        if (!g) return text;
        TCustomImageList* images = Grid.GridImages();
        switch (g->CellType()) {
        case TCellType::ctBitmap:
            if (auto* bmp = dynamic_cast<TBitmap*>(g->CellBitmap())) return text + ImageTag(bmp->Image());
            return text;
        case TCellType::ctImageList: return ListImage(images, g->CellIndex()) + text;
        case TCellType::ctDataImage: {
            bool ok = false;
            const int index = Grid.GetCellEx(rc, r).trimmed().toInt(&ok);
            return ok ? ListImage(images, index) : String();
        }
        case TCellType::ctImages: {
            String tags;
            if (auto* list = dynamic_cast<TIntList*>(g->CellBitmap()))
                for (int i = 0; i < list->Count(); ++i) tags += ListImage(images, list->Items(i));
            return tags + text;
        }
        case TCellType::ctPicture:
            if (auto* picture = dynamic_cast<TPicture*>(g->CellBitmap())) return text + GraphicImage(picture->Graphic());
            return text;
        case TCellType::ctNode: return QStringLiteral("+") + text;
        default: return text;
        }
    }

    String Linked(const String& text)
    {
        if (!Grid.URLShow() || text.contains(QStringLiteral("</"))) return text;
        String shown;
        if (text.contains(QStringLiteral("mailto:")))
            shown = text.mid(text.indexOf(QStringLiteral("mailto:")) + 7);
        else if (text.contains(QStringLiteral("://")))
            shown = text.mid(text.indexOf(QStringLiteral("://")) + 3);
        else
            return text;
        if (Grid.URLFull()) shown = text;
        shown = shown.left(255);
        if (XHTML) return QStringLiteral("<a href=\"%1\">%2</a>").arg(text, shown);
        return QStringLiteral("<a href=") + text + QStringLiteral(">") + shown + QStringLiteral("</a>");
    }

    String CellItem(int c, int r, bool header, int firstCol, bool headerWritten)
    {
        const int rc = Grid.RealColIndex(c);
        String text = Grid.CellTextToSave(rc, r);
        const bool markup = text.contains(QStringLiteral("</")) || CellTextKind(text, true) == 1;
        if (!header) {
            if (Settings.ConvertSpecialChars()) text = HTMLEscape(text, true);
            else if (XHTML && !markup) text = HTMLEscape(text, false);
            if (Settings.NonBreakingText()) text.replace(QStringLiteral(" "), Nbsp());
        } else if (XHTML && !markup) {
            text = HTMLEscape(text, false);
        }
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
        text = CRToBreakTags(text);
        if (XHTML) text.replace(QStringLiteral("<br>"), QStringLiteral("<br />"));
        text = Linked(text);
        if ((header ? text : text.trimmed()).isEmpty()) text = Nbsp();
        if (XHTML) text = NumericEntities(text);

        TBrush brush;
        TFont font;
        brush.SetColor(UnsetColor);
        font.SetColor(UnsetColor);
        font.SetStyle({});
        TGridDrawState state;
        TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = TAlignment::taLeftJustify;
        TVAlignment va = TVAlignment::vtaTop;
        bool ww = false;
        TCellGradientDirection gd{};
        Grid.GetVisualProperties(c, r, state, true, false, true, &brush, colorTo, mirror, mirrorTo, &font, ha, va, ww,
                                 gd);
        if (header || Grid.IsFixed(c, r)) brush.SetColor(Grid.FixedColor());
        const int style = StyleClass(Declarations(brush, font, ha, va));

        String attrs;
        const TPoint span = Grid.CellSpan(rc, r);
        auto attr = [&](const char* upper, const String& value) {
            return XHTML ? QStringLiteral(" %1=\"%2\"").arg(QString::fromLatin1(upper).toLower(), value)
                         : QStringLiteral(" %1=\"%2\"").arg(QString::fromLatin1(upper), value);
        };
        if (span.X > 0) attrs += attr("COLSPAN", String::number(span.X + 1));
        if (span.Y > 0) attrs += attr("ROWSPAN", String::number(span.Y + 1));
        if (!ww) attrs += XHTML ? QStringLiteral(" nowrap=\"nowrap\"") : QStringLiteral(" nowrap");
        TIntList* widths = Settings.ColWidths();
        if (header && c < widths->Count())
            attrs += XHTML ? QStringLiteral(" width=\"%1\"").arg(widths->Items(c))
                           : QStringLiteral(" WIDTH=%1").arg(widths->Items(c));
        else if (!header && !headerWritten && c - firstCol < widths->Count())
            attrs += XHTML ? QStringLiteral(" width=\"%1\"").arg(widths->Items(c - firstCol))
                           : QStringLiteral(" width=%1").arg(widths->Items(c - firstCol));
        const String open = XHTML ? QStringLiteral("<td class=\"c%1\"").arg(style) : QStringLiteral("<TD class=\"c%1\"").arg(style);
        return open + attrs + QStringLiteral(">") + WithImages(rc, r, text) + QStringLiteral("</td>");
    }
};

} // namespace

String TZvStringGrid::SaveToHTMLString(const String& Dir)
{
    THTMLSettings& settings = *HTMLSettings();
    THTMLWriter w{*this, settings, Dir, settings.XHTML()};
    const bool fixedToo = SaveFixedCells() || SaveFixedCols();
    const int firstCol = fixedToo ? 0 : FixedCols();
    int firstRow = (SaveFixedCells() || SaveFixedRows()) ? 0 : FixedRows();
    const bool headerRow = FixedRows() > 0 && (SaveFixedCells() || SaveFixedRows());

    QStringList rows;
    auto writeRow = [&](int r, bool header) {
        rows << (w.XHTML ? QStringLiteral("<tr>") : QStringLiteral("<TR>"));
        for (int c = firstCol; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            if (!IsBaseCell(rc, r)) continue;
            rows << w.CellItem(c, r, header, firstCol, headerRow);
        }
        rows << (w.XHTML ? QStringLiteral("</tr>") : QStringLiteral("</TR>"));
    };
    if (headerRow) {
        writeRow(0, true);
        firstRow = 1;
    }
    ExportNotification(TGridExportState::esExportStart, firstRow);
    for (int r = firstRow; r < RowCount(); ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        writeRow(r, false);
    }
    ExportNotification(TGridExportState::esExportDone, -1);

    String out;
    if (w.XHTML) {
        out += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + CRLF;
        out += QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + CRLF;
        out += QStringLiteral("  \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + CRLF;
        out += QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + CRLF;
    }
    if (!settings.PrefixTag().isEmpty()) out += settings.PrefixTag();
    out += QStringLiteral("<style>") + CRLF;
    for (std::size_t i = 0; i < w.StyleOrder.size(); ++i)
        out += QStringLiteral(".c%1 {%2}").arg(i).arg(w.StyleOrder[i]) + CRLF;
    out += QStringLiteral("</style>") + CRLF;
    const auto q = [&](const String& v) { return u'"' + v + u'"'; };
    String table;
    if (w.XHTML) {
        table = QStringLiteral("<table border=") + q(String::number(settings.BorderSize())) + QStringLiteral(" cellspacing=")
            + q(String::number(settings.CellSpacing())) + QStringLiteral(" cellpadding=")
            + q(String::number(settings.CellPadding()));
        if (!settings.Summary().isEmpty()) table += QStringLiteral(" summary=") + q(HTMLEscape(settings.Summary(), false));
        if (!settings.TableStyle().isEmpty()) table += u' ' + settings.TableStyle();
        table += QStringLiteral(" width=") + q(String::number(settings.Width()) + u'%') + u'>';
    } else {
        table = QStringLiteral("<TABLE BORDER=") + q(String::number(settings.BorderSize())) + QStringLiteral(" CELLSPACING=")
            + q(String::number(settings.CellSpacing())) + QStringLiteral(" CELLPADDING=")
            + q(String::number(settings.CellPadding())) + u' ';
        if (!settings.Summary().isEmpty()) table += QStringLiteral("SUMMARY=") + q(settings.Summary()) + u' ';
        if (!settings.TableStyle().isEmpty()) table += u' ' + settings.TableStyle() + u' ';
        table += QStringLiteral(" WIDTH=") + q(String::number(settings.Width()) + u'%') + u'>';
    }
    out += table + CRLF;
    for (const String& line : rows) out += line + CRLF;
    out += (w.XHTML ? QStringLiteral("</table>") : QStringLiteral("</TABLE>")) + CRLF;
    if (!settings.SuffixTag().isEmpty()) out += settings.SuffixTag() + CRLF;
    if (w.XHTML) out += QStringLiteral("</html>") + CRLF;
    return out;
}

namespace {

void WriteHTMLFile(TZvStringGrid& grid, const String& FileName, bool Show, bool Unicode, bool Append)
{
    THTMLSettings& settings = *grid.HTMLSettings();
    String text;
    if (Append) {
        // A file that cannot be read is started afresh.
        QFile file(FileName);
        if (file.open(QIODevice::ReadOnly)) {
            const std::vector<String> lines = SplitTextLines(DecodeTextFile(file.readAll(), false));
            text += JoinTextLines(lines);
        }
    }
    auto addFile = [&](const String& name) {
        if (name.isEmpty()) return;
        text += JoinTextLines(SplitTextLines(DecodeTextFile(ReadFileOrRaise(name), false)));
    };
    addFile(settings.HeaderFile());
    String dir = QFileInfo(FileName).absolutePath();
    dir.replace(u'\\', u'/');
    if (!dir.endsWith(u'/')) dir += u'/';
    text += grid.SaveToHTMLString(dir);
    addFile(settings.FooterFile());
    QByteArray bytes;
    if (Unicode) {
        bytes = EncodeTextFile(text, TTextFileEncoding::Utf16LEBom);
    } else {
        bytes.reserve(text.size());
        for (QChar ch : text) bytes.append(ch.unicode() > 127 ? '?' : char(ch.unicode()));
    }
    SaveFileOrRaise(FileName, bytes);
    if (Show || settings.AutoPreview()) OpenUrl(QUrl::fromLocalFile(FileName).toString());
}

} // namespace

void TZvStringGrid::SaveToHTML(const String& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(*this, FileName, Show, Unicode, false);
}

void TZvStringGrid::AppendToHTML(const String& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(*this, FileName, Show, Unicode, true);
}

// ---- XML ------------------------------------------------------------------------------------------------------------

namespace {

enum class TXMLCharset { Latin1, Windows1252, Ascii, Utf8 };

bool CharsetOf(const String& encoding, TXMLCharset& charset)
{
    const String e = encoding.trimmed().toLower();
    if (e == u"iso-8859-1" || e == u"latin1" || e == u"iso_8859-1") charset = TXMLCharset::Latin1;
    else if (e == u"windows-1252" || e == u"cp1252") charset = TXMLCharset::Windows1252;
    else if (e == u"us-ascii" || e == u"ascii") charset = TXMLCharset::Ascii;
    else if (e == u"utf-8" || e == u"utf8") charset = TXMLCharset::Utf8;
    else return false;
    return true;
}

// The text as a field: every character the charset cannot hold (and, for ISO-8859-1, the
// control codes 0x80-0x9F that a reader might take for windows-1252) as a reference.
String EscapeXMLField(const String& text, TXMLCharset charset)
{
    String out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const char16_t u = ch.unicode();
        switch (u) {
        case u'&': out += QStringLiteral("$amp;"); continue;
        case u'$': out += QStringLiteral("&#36;"); continue;
        case u'>': out += QStringLiteral("&gt;"); continue;
        case u'<': out += QStringLiteral("&lt;"); continue;
        case u'"': out += QStringLiteral("&quot;"); continue;
        case u'\r': out += QStringLiteral("&#13;"); continue;
        case u'\n': out += QStringLiteral("&#10;"); continue;
        default: break;
        }
        char32_t code = u;
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(ch, text[i + 1]);
            ++i;
        } else if ((u < 0x20 && u != u'\t') || ch.isSurrogate() || u == 0xFFFE || u == 0xFFFF) {
            // No XML file can hold these, not even as references: they go as our own reference.
            out += QStringLiteral("$#%1;").arg(quint32(u));
            continue;
        }
        bool plain = true;
        switch (charset) {
        case TXMLCharset::Ascii: plain = code < 0x80; break;
        case TXMLCharset::Latin1: plain = code < 0x80 || (code >= 0xA0 && code <= 0xFF); break;
        case TXMLCharset::Windows1252:
            plain = code < 0x80 || (code >= 0xA0 && code <= 0xFF) || EncodeWindows1252(QString(ch)) != "?";
            break;
        case TXMLCharset::Utf8: plain = true; break;
        }
        if (plain) out += code > 0xFFFF ? QString::fromUcs4(&code, 1) : QString(ch);
        else out += QStringLiteral("&#%1;").arg(quint32(code));
    }
    return out;
}

QByteArray EncodeXMLText(const String& text, TXMLCharset charset)
{
    switch (charset) {
    case TXMLCharset::Utf8: return text.toUtf8();
    case TXMLCharset::Windows1252: return EncodeWindows1252(text);
    case TXMLCharset::Latin1:
    case TXMLCharset::Ascii: return text.toLatin1();
    }
    return text.toUtf8();
}

// One pass from left to right: what a replacement gives is never read again.
String UnescapeXMLText(const String& text)
{
    String out;
    out.reserve(text.size());
    static const std::pair<const char*, char16_t> named[] = {
        {"$amp;", u'&'}, {"&amp;", u'&'}, {"&gt;", u'>'}, {"&lt;", u'<'}, {"&quot;", u'"'}, {"&apos;", u'\''}};
    for (qsizetype i = 0; i < text.size();) {
        const QChar ch = text[i];
        if (ch == u'&' || ch == u'$') {
            bool done = false;
            for (const auto& [name, value] : named) {
                const String n = QString::fromLatin1(name);
                if (text.mid(i, n.size()) == n) {
                    out += QChar(value);
                    i += n.size();
                    done = true;
                    break;
                }
            }
            if (done) continue;
            if (ch == u'$' && i + 2 < text.size() && text[i + 1] == u'#') {
                const qsizetype semi = text.indexOf(u';', i);
                bool ok = false;
                const uint code = semi > i + 2 && semi - i <= 8 ? text.mid(i + 2, semi - i - 2).toUInt(&ok) : 0;
                if (ok && code <= 0xFFFF) {
                    out += QChar(char16_t(code));
                    i = semi + 1;
                    continue;
                }
            }
            if (ch == u'&' && i + 2 < text.size() && text[i + 1] == u'#') {
                const qsizetype semi = text.indexOf(u';', i);
                if (semi > i + 2 && semi - i <= 12) {
                    const String digits = text.mid(i + 2, semi - i - 2);
                    bool ok = false;
                    const uint code = digits.startsWith(u'x') || digits.startsWith(u'X') ? digits.mid(1).toUInt(&ok, 16)
                                                                                          : digits.toUInt(&ok, 10);
                    if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                        const char32_t c32 = code;
                        out += QString::fromUcs4(&c32, 1);
                        i = semi + 1;
                        continue;
                    }
                }
            }
        }
        out += ch;
        ++i;
    }
    return out;
}

} // namespace

void TZvStringGrid::SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                              TStringList* FieldDescr, bool ExportEmptyCells)
{
    TXMLCharset charset = TXMLCharset::Latin1;
    if (!CharsetOf(XMLEncoding(), charset))
        throw EZvGridError(QStringLiteral("Cannot write XML in the encoding ") + XMLEncoding());
    const int lastCol = SaveEndCol() + (SaveHiddenCells() ? NumHiddenColumns() : 0);
    TZvGridTextFormats& progress = TextFormatsService();
    progress.StartProgress();
    String text = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>").arg(XMLEncoding()) + CRLF;
    text += u'<' + ListDescr + u'>' + CRLF;
    ExportNotification(TGridExportState::esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        text += u'<' + RecordDescr + u'>' + CRLF;
        for (int c = SaveStartCol(); c <= lastCol; ++c) {
            // With the hidden cells the columns counted are the stored ones; without, the shown ones.
            const int rc = SaveHiddenCells() ? c : RealColIndex(c);
            const int position = c - SaveStartCol();
            const String tag = FieldDescr && position < FieldDescr->Count() ? FieldDescr->Strings(position)
                                                                            : QStringLiteral("FIELD%1").arg(position);
            const String value = CellTextToSave(rc, r);
            if (!IsBaseCell(rc, r) || (value.isEmpty() && !ExportEmptyCells)) continue;
            // The empty cell's two quotes stand bare; a text of two quotes goes as references.
            const String field = value.isEmpty() && QuoteEmptyCells() ? QStringLiteral("\"\"")
                                                                        : EscapeXMLField(value, charset);
            text += u'<' + tag + u'>' + field + QStringLiteral("</") + tag + u'>' + CRLF;
        }
        text += QStringLiteral("</") + RecordDescr + u'>' + CRLF;
        progress.ReportProgress(std::round((r - SaveStartRow() + 1) * 100.0 / std::max(1, SaveEndRow() - SaveStartRow() + 1)));
    }
    text += QStringLiteral("</") + ListDescr + u'>' + CRLF;
    ExportNotification(TGridExportState::esExportDone, -1);
    try {
        SaveFileOrRaise(FileName, EncodeXMLText(text, charset));
    } catch (const Exception&) {
        throw EZvGridError(QStringLiteral("Cannot Create file ") + FileName);
    }
}

namespace {

struct TXMLReader {
    TZvStringGrid& Grid;
    bool LevelToRow;
    bool LoadFieldDescr;
    int StartCol = 0, StartRow = 0, MaxCol = 0, MaxRow = 0;
    int Row = 0, Col = 0, Depth = 1;
    bool HeaderNames;

    // A value that the first record's level would put above the first row lands on it.
    void Store(const String& value, const String& name, bool nameToHeader)
    {
        const int c = Col + StartCol, r = std::max(0, Row + StartRow);
        if (c >= Grid.ColCount()) Grid.SetColCount(c + 1);
        if (r >= Grid.RowCount()) Grid.SetRowCount(r + 1);
        if (nameToHeader && HeaderNames && !name.isEmpty() && Grid.GetGridCell(c, 0).isEmpty())
            Grid.StoreLoadedCell(c, 0, name);
        Grid.StoreLoadedCell(c, r, value);
        MaxCol = std::max(MaxCol, c);
        MaxRow = std::max(MaxRow, r);
        ++Col;
    }

    void Walk(const TXMLNode& node)
    {
        bool advanced = false;
        const auto attributes = node.Attributes();
        for (const auto& [name, value] : attributes) Store(UnescapeXMLText(value), name, true);
        if (LevelToRow && !attributes.empty()) {
            ++Row;
            Col = Depth;
            advanced = true;
        }
        const std::vector<TXMLNode> children = node.AllChildNodes();
        if (children.size() > 1) {
            if (LevelToRow && !advanced) {
                ++Row;
                Col = 0;
            }
            ++Depth;
            for (const TXMLNode& child : children) Walk(child);
        } else if (children.empty()) {
            // A text among elements keeps its text.
            if (node.IsTextNode()) Store(UnescapeXMLText(node.Value()), String(), false);
            else Store(String(), node.NodeName(), LoadFieldDescr);
        } else {
            const TXMLNode& only = children.front();
            if (only.IsElement()) {
                ++Depth;
                Walk(only);
                return;
            }
            const String raw = only.Value();
            const String value =
                Grid.QuoteEmptyCells() && raw == QStringLiteral("\"\"") ? String() : UnescapeXMLText(raw);
            Store(value, node.NodeName(), LoadFieldDescr);
        }
    }
};

} // namespace

void TZvStringGrid::LoadFromXML(const String& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!QFileInfo(FileName).isFile()) throw Exception(QStringLiteral("XML file not found"));
    TXMLDocument doc;
    doc.SetKeepReferences(true);
    try {
        doc.LoadFromBytes(ReadFileOrRaise(FileName));
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("XMLDOM Parsing error: ") + e.Message());
    }
    const TZvGridTextFormats::TLoadGuard guard(TextFormatsService());
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    ImportNotification(TGridImportState::isImportStart, -1);
    const bool fixedToo = SaveFixedCells() || SaveFixedRows();
    TXMLReader reader{*this, LevelToRow, LoadFieldDescr};
    reader.HeaderNames = fixedToo;
    reader.StartCol = SaveStartCol();
    reader.StartRow = LoadFieldDescr || !fixedToo ? FixedRows() : 0;
    reader.MaxCol = reader.StartCol;
    reader.MaxRow = reader.StartRow;
    bool first = true;
    for (const TXMLNode& record : doc.DocumentElement().ChildNodes()) {
        reader.Col = 0;
        reader.Depth = 1;
        if (LevelToRow && first && record.Attributes().empty()) reader.Row = -1;
        first = false;
        ImportNotification(TGridImportState::isImportNewRow, reader.Row + reader.StartRow);
        reader.Walk(record);
        if (!LevelToRow) ++reader.Row;
    }
    SetColCount(std::max(reader.MaxCol + 1, FixedCols() + 1));
    SetRowCount(std::max(reader.MaxRow + 1, FixedRows() + 1));
    ImportNotification(TGridImportState::isImportDone, -1);
    FireCellsChanged(TRect{0, 0, ColCount() - 1, RowCount() - 1});
    RecalcAllFooters();
}
