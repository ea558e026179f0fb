#include "grid/support/ZvGridTypes.h"

#include "platform/Pictures.h"
#include "platform/Themes.h"

#include <QPolygon>
#include <QWidget>

#include <algorithm>

// ---- TIntList ---------------------------------------------------------------------------

void TIntList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TIntList::Changed()
{
    if (FOnChange) FOnChange(this, FCol, FRow);
}

int TIntList::GetInteger(int index) const
{
    CheckIndex(index);
    return FItems[std::size_t(index)];
}

void TIntList::SetInteger(int index, int value)
{
    CheckIndex(index);
    FItems[std::size_t(index)] = value;
    Changed();
}

int TIntList::Add(int value)
{
    FItems.push_back(value);
    Changed();
    return Count() - 1;
}

void TIntList::Insert(int index, int value)
{
    if (index < 0 || index > Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    FItems.insert(FItems.begin() + index, value);
}

void TIntList::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TIntList::DeleteValue(int value)
{
    const int i = IndexOf(value);
    if (i >= 0) Delete(i);
}

int TIntList::IndexOf(int value) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), value);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TIntList::Exchange(int a, int b)
{
    CheckIndex(a);
    CheckIndex(b);
    std::swap(FItems[std::size_t(a)], FItems[std::size_t(b)]);
}

void TIntList::Move(int from, int to)
{
    CheckIndex(from);
    CheckIndex(to);
    const int v = FItems[std::size_t(from)];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, v);
}

void TIntList::Sort(const std::function<int(int, int)>& compare)
{
    if (compare)
        std::stable_sort(FItems.begin(), FItems.end(), [&](int a, int b) { return compare(a, b) < 0; });
    else
        std::sort(FItems.begin(), FItems.end());
}

String TIntList::CommaText() const
{
    QStringList parts;
    parts.reserve(Count());
    for (int v : FItems) parts << String::number(v);
    return parts.join(u',');
}

void TIntList::AssignCommaText(const String& text)
{
    Clear();
    if (text.isEmpty()) return;
    for (const String& part : text.split(u','))
        Add(StrToInt(part));
}

void TIntList::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TIntList*>(source)) {
        FItems = other->FItems;
        return;
    }
    TPersistent::Assign(source);
}

// ---- TSortIndexList -------------------------------------------------------------------------

namespace {
constexpr unsigned ColumnBits = 0x7FFFFFFFu;

int ColumnOfKey(int key) { return int(unsigned(key) & ColumnBits); }
bool IsAscendingKey(int key) { return (unsigned(key) & TSortIndexList::DescendingBit) == 0; }
}

void TSortIndexList::AddIndex(int column, bool ascending)
{
    Add(KeyOf(column, ascending));
}

int TSortIndexList::FindIndex(int column) const
{
    for (int i = 0; i < Count(); ++i)
        if (ColumnOfKey(FItems[std::size_t(i)]) == int(unsigned(column) & ColumnBits)) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int column)
{
    const int i = FindIndex(column);
    if (i >= 0) SetInteger(i, int(unsigned(GetInteger(i)) ^ DescendingBit));
}

int TSortIndexList::SortColumns(int i) const
{
    return ColumnOfKey(GetInteger(i));
}

void TSortIndexList::SetSortColumns(int i, int column)
{
    const unsigned direction = unsigned(GetInteger(i)) & DescendingBit;
    SetInteger(i, int((unsigned(column) & ColumnBits) | direction));
}

bool TSortIndexList::SortDirections(int i) const
{
    return IsAscendingKey(GetInteger(i));
}

void TSortIndexList::SetSortDirections(int i, bool ascending)
{
    SetInteger(i, KeyOf(SortColumns(i), ascending));
}

String TSortIndexList::SaveToString() const
{
    QStringList parts;
    for (int key : FItems)
        parts << (IsAscendingKey(key) ? QStringLiteral("u") : QStringLiteral("d")) +
                     String::number(unsigned(key) & 0xFFFFu);
    return parts.join(u';');
}

void TSortIndexList::LoadFromString(const String& text)
{
    Clear();
    for (const String& part : text.split(u';')) {
        if (part.size() < 2) continue;
        const int column = StrToIntDef(part.mid(1), 0);
        AddIndex(column, part[0] == u'u');
    }
}

// ---- TControlList -------------------------------------------------------------------------

TControlList::~TControlList()
{
    Clear();
}

void TControlList::AddControl(int X, int Y, TControl* control)
{
    auto item = std::make_unique<TControlItem>();
    item->FX = X;
    item->FY = Y;
    item->FObject = control;
    FItems.push_back(std::move(item));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i) {
        const TControlItem& item = *FItems[std::size_t(i)];
        if (item.FX == X && item.FY == Y) return i;
    }
    return -1;
}

TControlItem* TControlList::GetControl(int i) const
{
    if (i < 0 || i >= Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(i));
    return FItems[std::size_t(i)].get();
}

void TControlList::RemoveControl(int i)
{
    GetControl(i);
    FItems.erase(FItems.begin() + i);
}

bool TControlList::HasHandle(const QWidget* handle) const
{
    if (!handle) return false;
    for (const auto& item : FItems) {
        auto* win = dynamic_cast<TWinControl*>(item->FObject);
        // Asking a control without a window for its handle would make one.
        if (win && win->HandleAllocated() && win->Handle() == handle) return true;
    }
    return false;
}

void TControlList::Clear()
{
    while (!FItems.empty()) FItems.pop_back();
}

// ---- TFilePicture ---------------------------------------------------------------------------

TFilePicture::TFilePicture() = default;
TFilePicture::~TFilePicture() = default;

void TFilePicture::LoadInto(TPicture& picture) const
{
    if (!picture.LoadFromFile(FFilename)) throw Exception(picture.LastError());
}

void TFilePicture::SetFilename(const String& name)
{
    FFilename = name;
    TPicture picture;
    LoadInto(picture);
    FWidth = picture.Width();
    FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* canvas, const TRect& r)
{
    if (FFilename.isEmpty() || !canvas) return;
    TPicture picture;
    LoadInto(picture);
    if (picture.Graphic()) canvas->StretchDraw(r, picture.Graphic());
}

void TFilePicture::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFilePicture*>(source)) {
        FFilename = other->FFilename;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        return;
    }
    TPersistent::Assign(source);
}

// ---- TFileStringList ------------------------------------------------------------------------

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(String& s)
{
    if (AtEnd()) {
        s.clear();
        return;
    }
    s = Strings(fp);
    ++fp;
}

void TFileStringList::WriteLn(const String& s)
{
    Add(cache + s);
    cache.clear();
}

// ---- TArrowWindow ---------------------------------------------------------------------------

TArrowWindow::TArrowWindow(TComponent* AOwner) : TPanel(AOwner)
{
    FArrow = Outline(FDir);
}

std::array<TPoint, 7> TArrowWindow::Outline(TArrowDirection direction)
{
    switch (direction) {
    case TArrowDirection::arrUp:
        return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
    case TArrowDirection::arrDown:
        return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
    case TArrowDirection::arrLeft:
        return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
    case TArrowDirection::arrRight:
        return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
    }
    return {};
}

QRegion TArrowWindow::ArrowRegion(TArrowDirection direction)
{
    QPolygon polygon;
    for (const TPoint& p : Outline(direction)) polygon << QPoint(p.X, p.Y);
    return QRegion(polygon, Qt::WindingFill);
}

void TArrowWindow::Init(TWinControl* AOwner, TArrowDirection direction)
{
    FDir = direction;
    FArrow = Outline(direction);
    SetBevelOuter(TBevelCut::bvNone);
    SetShowCaption(false);
    SetColor(clLime);
    SetVisible(false);
    SetParent(AOwner);
}

void TArrowWindow::CreateWnd()
{
    TPanel::CreateWnd();
    if (HandleAllocated()) Handle()->setMask(ArrowRegion(FDir));
}

void TArrowWindow::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas()->FillRect(ClientRect());
}

// ---- Platform checks ---------------------------------------------------------------------------

bool IsXPThemeActive() { return IsWinXPOrLater() && IsThemeActive() && IsComCtl6(); }

bool IsTextEditorKind(TEditorType e)
{
    switch (e) {
    case TEditorType::edNormal:
    case TEditorType::edNumeric:
    case TEditorType::edPositiveNumeric:
    case TEditorType::edFloat:
    case TEditorType::edCapital:
    case TEditorType::edMixedCase:
    case TEditorType::edPassword:
    case TEditorType::edLowerCase:
    case TEditorType::edUpperCase:
    case TEditorType::edValidChars:
    case TEditorType::edPositiveFloat: return true;
    default: return false;
    }
}
