#include "grid/services/ZvGridOleDragDrop.h"

#include "platform/Clipbrd.h"

#include <QUrl>
#include <QtEndian>

#include <map>

UINT CF_RTF = 0, CF_GRIDCOLUMN = 0, CF_GRIDCELLS = 0, CF_URL = 0;

namespace {

bool& RTFSwitch()
{
    static bool on = false;
    return on;
}

// Foreign programs may end a text with its closing zero.
String WithoutClosingZeros(String text)
{
    while (text.endsWith(QChar(0))) text.chop(1);
    return text;
}

} // namespace

UINT RegisterClipboardFormat(const String& Name)
{
    static std::map<String, UINT> registered;
    const auto it = registered.find(Name);
    if (it != registered.end()) return it->second;
    const UINT id = UINT(0xC000 + registered.size());
    registered.emplace(Name, id);
    return id;
}

void RegisterDragFormats()
{
    CF_RTF = RegisterClipboardFormat(QStringLiteral("Rich Text Format"));
    CF_GRIDCOLUMN = RegisterClipboardFormat(QStringLiteral("Grid Column"));
    CF_GRIDCELLS = RegisterClipboardFormat(QStringLiteral("TZvStringGrid Cells"));
    CF_URL = RegisterClipboardFormat(QStringLiteral("UniformResourceLocator"));
}

String MimeOfFormat(UINT Format)
{
    RegisterDragFormats();
    if (Format == CF_TEXT) return String::fromLatin1(MIME_TEXT);
    if (Format == CF_UNICODETEXT) return String::fromLatin1(MIME_UNICODE_TEXT);
    if (Format == CF_RTF) return String::fromLatin1(MIME_RTF);
    if (Format == CF_GRIDCOLUMN) return String::fromLatin1(MIME_GRID_COLUMN);
    if (Format == CF_GRIDCELLS) return String::fromLatin1(MIME_GRID_CELLS);
    if (Format == CF_HDROP || Format == CF_URL) return String::fromLatin1(MIME_URI_LIST);
    return String();
}

void SetDragDropFlag(bool Value) { RTFSwitch() = Value; }
bool DragDropFlag() { return RTFSwitch(); }

// ---- TEnumFormats ---------------------------------------------------------------------------------------------------

TEnumFormats::TEnumFormats(const QMimeData* DataObject) : FDataObject(DataObject)
{
    if (!DataObject) throw Exception(QStringLiteral("Cannot get the format enumerator"));
    RegisterDragFormats();
    FEntries = DataObject->formats();
    FCount = int(FEntries.size());
    for (const QUrl& url : DataObject->urls())
        if (url.isLocalFile()) FFileList.push_back(url.toLocalFile());
    Reset();
}

void TEnumFormats::Reset()
{
    FPos = -1;
    FValid = false;
}

bool TEnumFormats::Next()
{
    if (FPos + 1 >= FCount) {
        FValid = false;
        return false;
    }
    ++FPos;
    FValid = true;
    return true;
}

UINT TEnumFormats::Format() const
{
    if (!FValid) return 0;
    const String& mime = FEntries[FPos];
    for (UINT f : {CF_TEXT, CF_UNICODETEXT, CF_RTF, CF_GRIDCOLUMN, CF_GRIDCELLS, CF_HDROP})
        if (MimeOfFormat(f) == mime) return f;
    return 0;
}

bool TEnumFormats::HasFormat(UINT Format) const
{
    if (Format == CF_TEXT || Format == CF_UNICODETEXT)
        return FDataObject->hasText() || FDataObject->hasFormat(String::fromLatin1(MIME_UNICODE_TEXT));
    if (Format == CF_HDROP) return !FFileList.empty();
    if (Format == CF_URL) {
        if (FDataObject->hasFormat(String::fromLatin1(MIME_MOZ_URL))) return true;
        for (const QUrl& url : FDataObject->urls())
            if (url.isValid() && !url.isLocalFile()) return true;
        return false;
    }
    const String mime = MimeOfFormat(Format);
    return !mime.isEmpty() && FDataObject->hasFormat(mime);
}

QByteArray TEnumFormats::Handle(DWORD Medium) const
{
    if (!FValid || Medium != TYMED_HGLOBAL) return QByteArray();
    return FDataObject->data(FEntries[FPos]);
}

String TEnumFormats::Text() const
{
    const String utf8 = String::fromLatin1(MIME_UNICODE_TEXT);
    if (FDataObject->hasFormat(utf8)) return WithoutClosingZeros(String::fromUtf8(FDataObject->data(utf8)));
    if (FDataObject->hasText()) return WithoutClosingZeros(FDataObject->text());
    // A link offered without text drops as the link itself.
    for (const QUrl& url : FDataObject->urls())
        if (!url.isLocalFile()) return url.toString();
    return String();
}

String TEnumFormats::RTF() const
{
    QByteArray bytes = FDataObject->data(String::fromLatin1(MIME_RTF));
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) bytes.truncate(zero);
    return String::fromLatin1(bytes);
}

int TEnumFormats::Col() const
{
    const QByteArray bytes = FDataObject->data(String::fromLatin1(MIME_GRID_COLUMN));
    if (bytes.size() != 4) return -1;
    const qint32 col = qFromLittleEndian<qint32>(bytes.constData());
    return col < 0 ? -1 : int(col);
}

std::unique_ptr<QBuffer> TEnumFormats::Stream() const
{
    QByteArray cells;
    if (!UnwrapGridCells(FDataObject->data(String::fromLatin1(MIME_GRID_CELLS)), cells) || cells.isEmpty())
        return nullptr;
    auto stream = std::make_unique<QBuffer>();
    stream->setData(cells);
    stream->open(QIODevice::ReadOnly);
    return stream;
}

// ---- TASGDropTarget -------------------------------------------------------------------------------------------------

DWORD TASGDropTarget::ChooseEffect(DWORD KeyState, DWORD Allowed)
{
    if (KeyState & MK_CONTROL) return DROPEFFECT_COPY;
    return (Allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

HRESULT TASGDropTarget::DragEnter(const QMimeData* Data, DWORD KeyState, TPoint, DWORD& Effect)
{
    FAcceptable = false;
    FDropFormats = {};
    try {
        const TEnumFormats formats(Data);
        FAcceptable = (formats.HasText() && AcceptText) || (formats.HasFile() && AcceptFiles) ||
                      (formats.HasRTF() && DragDropFlag() && AcceptText) || (formats.HasURL() && AcceptURLs) ||
                      formats.HasGridCells() || (formats.HasCol() && AcceptText);
        if (formats.HasText()) FDropFormats.Include(TDropFormat::dfText);
        if (formats.HasFile()) FDropFormats.Include(TDropFormat::dfFile);
        if (formats.HasCol()) FDropFormats.Include(TDropFormat::dfCol);
        if (formats.HasRTF()) FDropFormats.Include(TDropFormat::dfRTF);
        if (formats.HasURL()) FDropFormats.Include(TDropFormat::dfURL);
        if (formats.HasGridCells()) FDropFormats.Include(TDropFormat::dfGridCells);
    } catch (const Exception&) {
        FAcceptable = false;   // a drop that cannot be read is refused, not fatal
    }
    Effect = FAcceptable ? ChooseEffect(KeyState, Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TASGDropTarget::DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect)
{
    Effect = FAcceptable ? ChooseEffect(KeyState, Effect) : DROPEFFECT_NONE;
    bool allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, allow, FDropFormats);
    if (!allow) Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TASGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TASGDropTarget::Drop(const QMimeData* Data, DWORD KeyState, TPoint Pt, DWORD& Effect)
{
    if (FAcceptable) {
        std::unique_ptr<TEnumFormats> formats;
        try {
            formats = std::make_unique<TEnumFormats>(Data);
        } catch (const Exception&) {
            FAcceptable = false;
        }
        if (formats) {
            const int col = formats->HasCol() ? formats->Col() : -1;
            std::unique_ptr<QBuffer> cells = formats->HasGridCells() ? formats->Stream() : nullptr;
            if (col >= 0) DropCol(Pt, col);
            else if (cells) DropStream(Pt, cells.get());
            else if (formats->HasRTF() && DragDropFlag()) DropRTF(Pt, formats->RTF());
            else if (formats->HasText() && !formats->HasURL()) DropText(Pt, formats->Text());
            if (formats->HasFile()) DropFiles(Pt, formats->FileList());
            if (formats->HasURL()) DropURL(Pt, formats->Text());
        }
    }
    Effect = FAcceptable ? ChooseEffect(KeyState, Effect) : DROPEFFECT_NONE;
    return S_OK;
}

void TASGDropTarget::DropText(TPoint, const String&) {}          // a window that takes text says what it does
void TASGDropTarget::DropStream(TPoint, QBuffer*) {}             // likewise for cells
void TASGDropTarget::DropCol(TPoint, int) {}                     // likewise for a column
void TASGDropTarget::DropRTF(TPoint, const String&) {}           // likewise for rich text
void TASGDropTarget::DropFiles(TPoint, const std::vector<String>&) {}   // likewise for files
void TASGDropTarget::DropURL(TPoint, const String&) {}           // likewise for a link
void TASGDropTarget::DragMouseMove(TPoint, bool&, TDropFormats) {}   // no markers without a window that draws them
void TASGDropTarget::DragMouseEnter() {}                         // nothing to prepare without a window
void TASGDropTarget::DragMouseLeave() {}                         // nothing to take down without a window

// ---- TASGDropSource -------------------------------------------------------------------------------------------------

HRESULT TASGDropSource::QueryContinueDrag(bool EscapePressed, DWORD KeyState)
{
    HRESULT answer = S_OK;
    if (EscapePressed) {
        DragStopped();
        answer = DRAGDROP_S_CANCEL;
    } else if (!(KeyState & MK_LBUTTON)) {
        DragStopped();
        answer = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return answer;
}

HRESULT TASGDropSource::GiveFeedback(DWORD Effect)
{
    FTargetRefused = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

void TASGDropSource::DragStopped() {}           // a window that shows a drag picture takes it down here
void TASGDropSource::CurrentEffect(DWORD) {}    // a window that cares about the effect keeps it here
void TASGDropSource::QueryDrag() {}             // a window that shows a drag picture moves it here

// ---- TSourceDataObject ----------------------------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const String& Text, QBuffer* Stream, int ColIndex, const String& RTF)
    : FText(Text), FStream(Stream), FColIndex(ColIndex), FRTF(RTF)
{
    RegisterDragFormats();
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& Format) const
{
    if (Format.dwAspect != DVASPECT_CONTENT || Format.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
    const UINT f = Format.cfFormat;
    if ((f == CF_TEXT || f == CF_UNICODETEXT) && !FText.isEmpty()) return S_OK;
    if (f == CF_RTF && !FText.isEmpty() && DragDropFlag()) return S_OK;
    if (f == CF_GRIDCELLS && FStream) return S_OK;
    if (f == CF_GRIDCOLUMN && FColIndex != -1) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& Format, QByteArray& Medium) const
{
    Medium.clear();
    if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
    const UINT f = Format.cfFormat;
    if (f == CF_TEXT || f == CF_UNICODETEXT) Medium = FText.toUtf8();
    else if (f == CF_RTF) Medium = FRTF.toLatin1();
    else if (f == CF_GRIDCELLS) Medium = WrapGridCells(FStream->data());
    else if (f == CF_GRIDCOLUMN) {
        Medium = QByteArray(4, '\0');
        qToLittleEndian<qint32>(qint32(FColIndex), Medium.data());
    }
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(const TFormatEtc&, QByteArray&) const { return DV_E_FORMATETC; }
HRESULT TSourceDataObject::SetData(const TFormatEtc&, const QByteArray&) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& Out) const
{
    Out.ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, std::unique_ptr<TSourceEnumFormatEtc>& Enum) const
{
    Enum.reset();
    if (Direction != DATADIR_GET) return E_NOTIMPL;
    Enum = std::make_unique<TSourceEnumFormatEtc>(FColIndex != -1, FStream != nullptr);
    return S_OK;
}

HRESULT TSourceDataObject::DAdvise() const { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TSourceDataObject::DUnadvise() const { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TSourceDataObject::EnumDAdvise() const { return OLE_E_ADVISENOTSUPPORTED; }

std::unique_ptr<QMimeData> TSourceDataObject::MimeData() const
{
    auto data = std::make_unique<QMimeData>();
    std::unique_ptr<TSourceEnumFormatEtc> list;
    EnumFormatEtc(DATADIR_GET, list);
    TFormatEtc entry;
    int fetched = 0;
    while (list->Next(1, &entry, &fetched) == S_OK) {
        QByteArray bytes;
        if (GetData(entry, bytes) == S_OK) data->setData(MimeOfFormat(entry.cfFormat), bytes);
    }
    return data;
}

// ---- TSourceEnumFormatEtc -------------------------------------------------------------------------------------------

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasCells) : FHasCol(HasCol), FHasCells(HasCells)
{
    RegisterDragFormats();
    std::vector<UINT> formats{CF_TEXT, CF_UNICODETEXT, CF_RTF};
    if (HasCol) formats.push_back(CF_GRIDCOLUMN);
    if (HasCells) formats.push_back(CF_GRIDCELLS);
    for (UINT f : formats) FList.push_back(TFormatEtc{f, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

HRESULT TSourceEnumFormatEtc::Next(int Count, TFormatEtc* Out, int* Fetched)
{
    int n = 0;
    while (n < Count && FPos < int(FList.size())) Out[n++] = FList[std::size_t(FPos++)];
    if (Fetched) *Fetched = n;
    return n == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(int Count)
{
    FPos = std::min(FPos + std::max(Count, 0), int(FList.size()));
    return S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FPos = 0;
    return S_OK;
}

std::unique_ptr<TSourceEnumFormatEtc> TSourceEnumFormatEtc::Clone() const
{
    auto copy = std::make_unique<TSourceEnumFormatEtc>(FHasCol, FHasCells);
    copy->FPos = FPos;
    return copy;
}

// ---- The drag routines ----------------------------------------------------------------------------------------------

namespace {

HRESULT RunDrag(TASGDropSource* Source, const TSourceDataObject& Data, DWORD AllowedEffects, DWORD& Effect)
{
    const HRESULT answer = DoDragDrop(Data.MimeData(), Source, AllowedEffects, Effect);
    if (Source->TargetRefused()) {
        Effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    }
    return answer;
}

} // namespace

HRESULT BeginTextDragOperation(TASGDropSource* Source, const String& Text, const String& RTF, DWORD& Effect,
                               DWORD AllowedEffects, QBuffer* Stream)
{
    const TSourceDataObject data(Text, Stream, -1, RTF);
    return RunDrag(Source, data, AllowedEffects, Effect);
}

HRESULT BeginColumnDragOperation(TASGDropSource* Source, int Column, DWORD AllowedEffects, DWORD& Effect)
{
    const TSourceDataObject data(String(), nullptr, Column, String());
    return RunDrag(Source, data, AllowedEffects, Effect);
}
