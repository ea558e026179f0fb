#include "examples/gallery/GalleryRichText.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridSettings.h"
#include "grid/editors/ZvEditLink.h"
#include "platform/StdCtrls.h"

namespace {

// A line edit that keeps the arrow keys, as an edit in a cell does.
class TCellLineEdit : public TEdit {
public:
    using TEdit::TEdit;

protected:
    void WMGetDlgCode(TWMGetDlgCode& Message) override { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
};

// A link whose control is a line edit, made on first use and kept.
class TLineEditLink : public TEditLink {
public:
    using TEditLink::TEditLink;

    TWinControl* GetEditControl() override { return FEdit; }
    void CreateEditor(TWinControl* AParent) override
    {
        if (!FEdit) {
            FEdit = new TCellLineEdit(this);
            FEdit->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
        }
        FEdit->SetParent(AParent);
    }
    void DestroyEditor() override { FEdit->SetVisible(false); } // kept for the next opening
    void SetCellProps(TColor AColor, TFont* AFont) override
    {
        FEdit->SetColor(AColor);
        FEdit->Font()->Assign(AFont);
    }
    String GetEditorValue() override { return FEdit ? FEdit->Text() : String(); }
    void SetEditorValue(const String& S) override { FEdit->SetText(S); }

private:
    TEdit* FEdit = nullptr;
};

} // namespace

TGalleryRichTextForm::TGalleryRichTextForm(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("Rich text and edit links"));
    SetBounds(80, 400, 640, 240);
    InplaceLink = new TLineEditLink(this);
    PopupLink = new TLineEditLink(this);
    PopupLink->SetEditStyle(TEditStyle::esPopup);
    PopupLink->SetPopupWidth(180);
    PopupLink->SetPopupHeight(28);

    Grid = new TZvStringGrid(this);
    Grid->SetParent(this);
    Grid->SetBounds(8, 8, 624, 224);
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
    Grid->SetDefaultRowHeight(24);
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->SizeWhileTyping()->SetHeight(true);
    Grid->SetColWidths(0, 24);
    Grid->SetColWidths(1, 300);
    Grid->SetColWidths(2, 140);
    Grid->SetColWidths(3, 140);
    Grid->SetCells(1, 0, QStringLiteral("Rich text"));
    Grid->SetCells(2, 0, QStringLiteral("Edit link"));
    Grid->SetCells(3, 0, QStringLiteral("Pop-up link"));
    const char* const rich[] = {
        R"({\rtf1{\colortbl ;\red200\green0\blue0;\red0\green0\blue200;}Plain, \b bold\b0 , \i italic\i0 , \ul underlined\ulnone , \cf1 red\cf0  and \cf2 blue\cf0 })",
        R"({\rtf1 H\dn4 2\dn0 O and E = mc\up4 2\up0 })",
        R"({\rtf1\fs28 Large\fs16  small})",
        R"({\rtf1 caf\'e9 \u937? \u8364?})",
    };
    for (int r = 1; r < 5; ++r) {
        Grid->SetCells(1, r, QString::fromLatin1(rich[r - 1]));
        Grid->SetCells(2, r, QStringLiteral("inline %1").arg(r));
        Grid->SetCells(3, r, QStringLiteral("pop-up %1").arg(r));
    }
    Grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
        if (c == 1) e = TEditorType::edRichEdit;
        if (c == 2 || c == 3) {
            e = TEditorType::edCustom;
            Grid->SetEditLink(c == 2 ? InplaceLink : PopupLink);
        }
    };
}
