#pragma once
// The drag-and-drop layer under the grid, knowing nothing of grids: a reader
// of the formats a drop offers, a drop target that sorts a drop into text,
// rich text, column, cells, files and a URL, a drop source, the data object a
// drag carries with its format list, and the two routines that run a drag.
//
// Formats travel as MIME types, each with one byte layout:
//   CF_TEXT, CF_UNICODETEXT   text/plain, text/plain;charset=utf-8   the text, UTF-8
//   "Rich Text Format"         text/rtf                               8-bit, no closing zero
//   "Grid Column"              application/x-zvstringgrid-column      32-bit little-endian column index
//   "TZvStringGrid Cells"      application/x-zvstringgrid-cells       byte count, 4 zero bytes, cell stream
//   CF_HDROP                   text/uri-list (file: URLs)             read only
//   "UniformResourceLocator"   text/uri-list (other URLs), text/x-moz-url   read only
// A text ending in zero characters (as some programs send it) reads without them.

#include "platform/Classes.h"
#include "platform/DragDrop.h"
#include "platform/SysUtils.h"

#include <QBuffer>
#include <memory>
#include <vector>

inline constexpr const char* MIME_UNICODE_TEXT = "text/plain;charset=utf-8";
inline constexpr const char* MIME_GRID_COLUMN = "application/x-zvstringgrid-column";
inline constexpr const char* MIME_URI_LIST = "text/uri-list";
inline constexpr const char* MIME_MOZ_URL = "text/x-moz-url";

constexpr UINT CF_TEXT = 1, CF_UNICODETEXT = 13, CF_HDROP = 15;
constexpr DWORD DVASPECT_CONTENT = 1, TYMED_HGLOBAL = 1, DATADIR_GET = 1, DATADIR_SET = 2;

// A registered format's identifier (0xC000 on, the same for the same name all run long).
UINT RegisterClipboardFormat(const String& Name);
// The identifiers of the four named formats, registered by the first format reader.
extern UINT CF_RTF, CF_GRIDCOLUMN, CF_GRIDCELLS, CF_URL;
void RegisterDragFormats();
// The MIME type a format travels as; empty for one that does not travel.
String MimeOfFormat(UINT Format);

// Whether rich text is offered by sources and taken by targets, program-wide.
void SetDragDropFlag(bool Value);
bool DragDropFlag();

enum class TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = TSet<TDropFormat>;

struct TFormatEtc {
    UINT cfFormat = 0;
    void* ptd = nullptr;
    DWORD dwAspect = DVASPECT_CONTENT;
    int lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

// Reads what a dropped data object offers.
class TEnumFormats : public TObject {
public:
    // Raises "Cannot get the format enumerator" without a data object.
    explicit TEnumFormats(const QMimeData* DataObject);

    void Reset();
    bool Next();
    bool HasFormat(UINT Format) const;
    bool HasText() const { return HasFormat(CF_UNICODETEXT); }
    bool HasRTF() const { return HasFormat(CF_RTF); }
    bool HasCol() const { return HasFormat(CF_GRIDCOLUMN); }
    bool HasFile() const { return HasFormat(CF_HDROP); }
    bool HasURL() const { return HasFormat(CF_URL); }
    bool HasGridCells() const { return HasFormat(CF_GRIDCELLS); }

    // The current entry's bytes when it travels in that medium, else nothing.
    QByteArray Handle(DWORD Medium) const;
    QByteArray GlobalHandle() const { return Handle(TYMED_HGLOBAL); }
    String Text() const;
    String RTF() const;
    // The dragged column, -1 when none or unreadable.
    int Col() const;
    // The cells, nullptr when none or malformed.
    std::unique_ptr<QBuffer> Stream() const;
    // The dropped files' local paths.
    const std::vector<String>& FileList() const { return FFileList; }

    DWORD Aspect() const { return DVASPECT_CONTENT; }
    UINT Format() const;
    int Index() const { return -1; }
    DWORD Medium() const { return TYMED_HGLOBAL; }
    bool Valid() const { return FValid; }
    int Count() const { return FCount; }

private:
    const QMimeData* FDataObject;
    QStringList FEntries;
    int FPos = -1;
    bool FValid = false;
    int FCount = 0;
    std::vector<String> FFileList;
};

// A window's drop target, sorting each drop by what it offers.
class TASGDropTarget : public TDropTarget {
public:
    TASGDropTarget() = default;

    HRESULT DragEnter(const QMimeData* Data, DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(const QMimeData* Data, DWORD KeyState, TPoint Pt, DWORD& Effect) override;

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptURLs = true;
    bool Acceptable() const { return FAcceptable; }
    TDropFormats DropFormats() const { return FDropFormats; }

    // Copy with Ctrl, else move when the drag allows it, else copy.
    static DWORD ChooseEffect(DWORD KeyState, DWORD Allowed);

protected:
    virtual void DropText(TPoint Pt, const String& S);
    virtual void DropStream(TPoint Pt, QBuffer* Stream);
    virtual void DropCol(TPoint Pt, int Col);
    virtual void DropRTF(TPoint Pt, const String& S);
    virtual void DropFiles(TPoint Pt, const std::vector<String>& Files);
    virtual void DropURL(TPoint Pt, const String& S);
    virtual void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats);
    virtual void DragMouseEnter();
    virtual void DragMouseLeave();

private:
    bool FAcceptable = false;
    bool FAcceptCols = false;   // columns come through the text formats their source always lists
    TDropFormats FDropFormats;
};

// A drag's source, answering the drag while it runs.
class TASGDropSource : public TDropSource {
public:
    HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) override;
    HRESULT GiveFeedback(DWORD Effect) override;
    bool TargetRefused() const { return FTargetRefused; }

protected:
    virtual void DragStopped();
    virtual void CurrentEffect(DWORD Effect);
    virtual void QueryDrag();

private:
    bool FTargetRefused = false;
};

class TSourceEnumFormatEtc;

// What a drag carries: a text, a rich text, a column (-1 for none) and
// cells (borrowed: the caller frees them after the drag).
class TSourceDataObject {
public:
    TSourceDataObject(const String& Text, QBuffer* Stream, int ColIndex, const String& RTF);

    HRESULT QueryGetData(const TFormatEtc& Format) const;
    HRESULT GetData(const TFormatEtc& Format, QByteArray& Medium) const;
    HRESULT GetDataHere(const TFormatEtc& Format, QByteArray& Medium) const;
    HRESULT SetData(const TFormatEtc& Format, const QByteArray& Medium);
    HRESULT GetCanonicalFormatEtc(const TFormatEtc& Format, TFormatEtc& Out) const;
    HRESULT EnumFormatEtc(DWORD Direction, std::unique_ptr<TSourceEnumFormatEtc>& Enum) const;
    HRESULT DAdvise() const;
    HRESULT DUnadvise() const;
    HRESULT EnumDAdvise() const;

    // The transfer object: every listed format the object answers, in list order.
    std::unique_ptr<QMimeData> MimeData() const;

private:
    String FText;
    QBuffer* FStream;
    int FColIndex;
    String FRTF;
};

// The data object's format list.
class TSourceEnumFormatEtc {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasCells);
    HRESULT Next(int Count, TFormatEtc* Out, int* Fetched);
    HRESULT Skip(int Count);
    HRESULT Reset();
    std::unique_ptr<TSourceEnumFormatEtc> Clone() const;

private:
    std::vector<TFormatEtc> FList;
    int FPos = 0;
    bool FHasCol;
    bool FHasCells;
};

// Runs a drag of text, rich text and cells; DRAGDROP_S_CANCEL when the last
// answer of a target was a refusal, else the platform's answer.
HRESULT BeginTextDragOperation(TASGDropSource* Source, const String& Text, const String& RTF, DWORD& Effect,
                               DWORD AllowedEffects, QBuffer* Stream);
// Runs a drag of a column index.
HRESULT BeginColumnDragOperation(TASGDropSource* Source, int Column, DWORD AllowedEffects, DWORD& Effect);
