// What the grid's text formats share: their settings (the grid's members that front them), encodings, line
// splitting, progress, column measuring and the load guard.

#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/SysUtils.h"

#include "grid/ZvBaseGrid.h"
#include "platform/TextCodec.h"

#include <cmath>

TZvGridTextFormats& TZvStringGrid::TextFormatsService() const { return MadeOnFirstUse(d->FTextFormatsService, this); }

bool TZvStringGrid::OemConvert() const { return TextFormatsService().FOemConvert; }
void TZvStringGrid::SetOemConvert(bool Value) { TextFormatsService().FOemConvert = Value; }
QChar TZvStringGrid::Delimiter() const { return TextFormatsService().FDelimiter; }
void TZvStringGrid::SetDelimiter(QChar Value) { TextFormatsService().FDelimiter = Value; }
bool TZvStringGrid::QuoteEmptyCells() const { return TextFormatsService().FQuoteEmptyCells; }
void TZvStringGrid::SetQuoteEmptyCells(bool Value) { TextFormatsService().FQuoteEmptyCells = Value; }
bool TZvStringGrid::AlwaysQuotes() const { return TextFormatsService().FAlwaysQuotes; }
void TZvStringGrid::SetAlwaysQuotes(bool Value) { TextFormatsService().FAlwaysQuotes = Value; }
bool TZvStringGrid::JavaCSV() const { return TextFormatsService().FJavaCSV; }
void TZvStringGrid::SetJavaCSV(bool Value) { TextFormatsService().FJavaCSV = Value; }
bool TZvStringGrid::LoadFirstRow() const { return TextFormatsService().FLoadFirstRow; }
void TZvStringGrid::SetLoadFirstRow(bool Value) { TextFormatsService().FLoadFirstRow = Value; }

// ---- Encodings and lines ------------------------------------------------------------------------------------

QByteArray EncodeTextFile(const String& Text, TTextFileEncoding Encoding)
{
    switch (Encoding) {
    case TTextFileEncoding::Windows1252: return EncodeWindows1252(Text);
    case TTextFileEncoding::Oem850: return EncodeOem850(Text);
    case TTextFileEncoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + Text.toUtf8();
    case TTextFileEncoding::Utf16LEBom: {
        QByteArray bytes(2 + Text.size() * 2, Qt::Uninitialized);
        bytes[0] = char(0xFF);
        bytes[1] = char(0xFE);
        for (qsizetype i = 0; i < Text.size(); ++i) {
            const char16_t unit = Text[i].unicode();
            bytes[2 + 2 * i] = char(unit & 0xFF);
            bytes[3 + 2 * i] = char(unit >> 8);
        }
        return bytes;
    }
    }
    return {};
}

bool HasByteOrderMark(const QByteArray& Bytes)
{
    return Bytes.startsWith("\xEF\xBB\xBF") || Bytes.startsWith("\xFF\xFE") || Bytes.startsWith("\xFE\xFF");
}

String DecodeTextFile(const QByteArray& Bytes, bool Oem)
{
    if (Oem && !HasByteOrderMark(Bytes)) return DecodeOem850(Bytes);
    return DecodeText(Bytes);
}

std::vector<String> SplitTextLines(const String& Text)
{
    std::vector<String> lines;
    const qsizetype n = Text.size();
    const QChar* p = Text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] != u'\r' && p[i] != u'\n') continue;
        lines.push_back(Text.mid(start, i - start));
        if (p[i] == u'\r' && i + 1 < n && p[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.push_back(Text.mid(start));
    return lines;
}

String JoinTextLines(const std::vector<String>& Lines)
{
    qsizetype size = 0;
    for (const String& line : Lines) size += line.size() + 2;
    String text;
    text.reserve(size);
    for (const String& line : Lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

// ---- Progress, measuring, the load guard --------------------------------------------------------------------

bool TZvGridTextFormats::WantsProgress() const { return bool(FGrid->OnFileProgress); }

void TZvGridTextFormats::ReportProgress(double Percent)
{
    if (!FGrid->OnFileProgress) return;
    const int value = int(std::nearbyint(Percent));
    if (value == FLastProgress) return;
    FLastProgress = value;
    FGrid->OnFileProgress(FGrid, short(value));
}

int TZvGridTextFormats::MaxColumnTextLength(int ACol) const
{
    const bool multi = FGrid->Multilinecells();
    qsizetype longest = 0;
    for (int r = 0; r < FGrid->RowCount(); ++r) {
        String text = FGrid->CellTextToSave(ACol, r);
        do {
            longest = std::max(longest, FirstLineOf(text, multi).size());
        } while (!text.isEmpty());
    }
    return int(longest);
}

TZvGridTextFormats::TLoadGuard::TLoadGuard(TZvGridTextFormats& Owner) : FOwner(Owner)
{
    if (FOwner.FLoading) throw EZvGridError(QStringLiteral("The grid is already loading a file"));
    FOwner.FLoading = true;
}

TZvGridTextFormats::TLoadGuard::~TLoadGuard() { FOwner.FLoading = false; }
