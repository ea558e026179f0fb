#pragma once
// The vocabulary that the grid, its editors and its services share: editor
// kinds, the enumerations behind the grid's options, the per-cell event
// signatures, and the small lists and helpers the grid keeps.

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "platform/Sets.h"
#include "platform/Types.h"

#include <QRegion>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class TPicture;

// ---- Editor kinds ------------------------------------------------------------------
// The order is stored in layouts and compared by value: never reorder.
enum class TEditorType {
    edNormal,             // 0
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,           // 5
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,       // 10
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,          // 15
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,      // 20
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,             // 25
    edRichEdit,
    edNone,
    edDateTimeEdit,
    edValidChars,
    edTrackbarDropDown,   // 30
    edMemoDropDown,
    edCalculatorDropDown,
    edTimePickerDropDown,
    edDetailDropDown,
    edGridDropDown,       // 35
    edColorPickerDropDown,
    edImagePickerDropDown,
    edZvGridDropDown,
    edPositiveFloat,
    edNumericUnitEditBtn, // 40
    edFloatUnitEditBtn,
    edMaskEditBtn         // 42
};
constexpr int EditorTypeCount = 43;

// ---- Option enumerations ----------------------------------------------------------------
enum class TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

enum class TCellGradientDirection { GradientVertical, GradientHorizontal };

enum class TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox, ssDateTime,
    ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum class TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum class TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
enum class TZvGridButtonStyle { tasButton, tasCheck };
enum class TSearchDirection { sdTopBottom, sdLeftRight };
enum class THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum class TClipboardPasteAction { paReplace, paInsert };
enum class TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum class TInsertPosition { pInsertBefore, pInsertAfter };
enum class TCursorAdvance { caDefault, caSnake, caLoop };
enum class TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum class TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum class TWheelAction { waMoveSelection, waScroll };

// The footer calculation kept per column in the last row's cell properties.
enum class TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };

// ---- Per-cell event signatures ----------------------------------------------------------
// Sender first; a reference parameter is one the handler may change. Mind the
// order of row and column: it differs between events, and handlers rely on it.
using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;
using TOnResizeEvent = std::function<void(TObject* Sender)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, int ACol, int ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject* Sender, int ARow, int RowSize)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, String& hintstr)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor, bool& AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& Anchor)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TCustomCompareEvent = std::function<void(TObject* Sender, const String& str1, const String& str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TGridFormatEvent =
    std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)>;
using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo, TColor& ColorMirror,
                       TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                                                TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& hintstr)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& S)>;
using TGridBalloonEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, String& ATitle, String& AText, int& AIcon)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int ACol)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// ---- Integer lists ------------------------------------------------------------------------
// A list of 32-bit integers that belongs to one cell (Col, Row) and reports
// changes made through Add, Delete and SetInteger; Insert, Clear, Exchange,
// Move and Sort are silent, as the grid's bookkeeping expects.
// The one rule of every setter that notifies: compare, store, and tell the
// caller whether anything changed, so the notification follows only a real change.
template <class T>
bool StoreChanged(T& field, const T& value)
{
    if (field == value) return false;
    field = value;
    return true;
}

class TIntList : public TPersistent {
public:
    TIntList(int Col = 0, int Row = 0) : FCol(Col), FRow(Row) {}

    int Count() const { return int(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    int GetInteger(int index) const;
    void SetInteger(int index, int value);
    int operator[](int index) const { return GetInteger(index); }
    int Items(int index) const { return GetInteger(index); }
    void SetItems(int index, int value) { SetInteger(index, value); }
    int First() const { return GetInteger(0); }
    int Last() const { return GetInteger(Count() - 1); }

    int Add(int value);
    void Insert(int index, int value);
    void Delete(int index);
    // Deletes the first item equal to value (through Delete, so it notifies).
    void DeleteValue(int value);
    bool HasValue(int value) const { return IndexOf(value) >= 0; }
    int IndexOf(int value) const;
    void Clear() { FItems.clear(); }
    void Exchange(int a, int b);
    void Move(int from, int to);
    // Ascending unless a comparison (negative, 0, positive) is given.
    void Sort(const std::function<int(int, int)>& compare = {});

    // "1,2,3"; empty for an empty list.
    String CommaText() const;
    // Clears, then adds every comma-separated part; a part that is no
    // integer raises EConvertError (the parts before it stay added).
    void AssignCommaText(const String& text);

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetCell(int Col, int Row) { FCol = Col; FRow = Row; }
    const std::vector<int>& Values() const { return FItems; }

    TImageChangeEvent FOnChange;
    TImageChangeEvent& OnChange() { return FOnChange; }
    void SetOnChange(TImageChangeEvent e) { FOnChange = std::move(e); }

    void Assign(TPersistent* source) override;

protected:
    void CheckIndex(int index) const;
    void Changed();

    std::vector<int> FItems;
    int FCol = 0;
    int FRow = 0;
};

// The multi-column sort order: each item is a key, bits 0-30 the column,
// bit 31 set for a descending key.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;

    static constexpr unsigned DescendingBit = 0x80000000u;
    static constexpr int KeyOf(int column, bool ascending)
    {
        return ascending ? column : int(unsigned(column) | DescendingBit);
    }

    void AddIndex(int column, bool ascending);
    // Position of the first key of that column, -1 when none.
    int FindIndex(int column) const;
    void ToggleIndex(int column);

    int SortColumns(int i) const;
    void SetSortColumns(int i, int column);
    // True for ascending.
    bool SortDirections(int i) const;
    void SetSortDirections(int i, bool ascending);

    // "u3;d1": direction letter and the key's low 16 bits, joined by ";".
    String SaveToString() const;
    // Never fails: parts shorter than two characters are skipped, a number
    // that cannot be read counts as 0, only a lower-case "u" is ascending.
    void LoadFromString(const String& text);
};

// ---- Controls placed in cells -----------------------------------------------------------
struct TControlItem {
    int FX = 0;                    // column
    int FY = 0;                    // row
    TControl* FObject = nullptr;   // not owned
};

class TControlList : public TObject {
public:
    TControlList() = default;
    ~TControlList() override;

    int Count() const { return int(FItems.size()); }
    void AddControl(int X, int Y, TControl* control);
    // Position of the first item for that cell, -1 when none.
    int ControlIndex(int X, int Y) const;
    TControlItem* GetControl(int i) const;
    // Frees the item, never the control.
    void RemoveControl(int i);
    // True when a windowed control of the list has that window.
    bool HasHandle(const QWidget* handle) const;
    void Clear();

private:
    std::vector<std::unique_ptr<TControlItem>> FItems;
};

// ---- A picture referenced by file name ---------------------------------------------------
// Keeps only the name and the size: the picture is loaded for a moment
// whenever it is measured or drawn.
class TFilePicture : public TPersistent {
public:
    TFilePicture();
    ~TFilePicture() override;

    const String& Filename() const { return FFilename; }
    // Stores the name and records the picture's size; a file that cannot be
    // loaded raises an Exception with the loader's reason.
    void SetFilename(const String& name);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    void DrawPicture(TCanvas* canvas, const TRect& r);
    void Assign(TPersistent* source) override;

private:
    void LoadInto(TPicture& picture) const;

    String FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// ---- A string list read and written line by line ------------------------------------------
class TFileStringList : public TStringList {
public:
    using TStringList::TStringList;

    void Reset();
    bool AtEnd() const { return fp >= Count(); }
    // The line at the read position; empty at the end.
    void ReadLn(String& s);
    void Write(const String& s) { cache += s; }
    void WriteLn(const String& s);

    int ReadPosition() const { return fp; }
    const String& PendingLine() const { return cache; }

private:
    int fp = 0;
    String cache;
};

// ---- The arrow shown while a column or row is moved -----------------------------------------
class TArrowWindow : public TPanel {
public:
    explicit TArrowWindow(TComponent* AOwner);
    // Stores the direction; lime green, parented to the owner, hidden.
    void Init(TWinControl* AOwner, TArrowDirection direction);

    TArrowDirection Dir() const { return FDir; }
    // The 7-point outline for the direction (x, y in pixels).
    static std::array<TPoint, 7> Outline(TArrowDirection direction);
    // The window's shape: the outline filled by winding.
    static QRegion ArrowRegion(TArrowDirection direction);
    const std::array<TPoint, 7>& Arrow() const { return FArrow; }

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    TArrowDirection FDir = TArrowDirection::arrUp;
    std::array<TPoint, 7> FArrow{};
};

// The editor kinds served by the grid's text editor.
bool IsTextEditorKind(TEditorType e);

// ---- Platform checks ------------------------------------------------------------------------
bool IsXPThemeActive();
