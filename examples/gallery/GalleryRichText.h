#pragma once
// The gallery's window of rich-text cells and edit links: a grid whose first
// column holds formatted text edited with the rich editor (its row grows
// while typing), whose second column edits through a link that shows a line
// edit in the cell, and whose third through a link that shows it in a pop-up.

#include "platform/Forms.h"

class TZvStringGrid;
class TEditLink;

class TGalleryRichTextForm : public TForm {
public:
    explicit TGalleryRichTextForm(TComponent* AOwner);
    TZvStringGrid* Grid = nullptr;
    TEditLink* InplaceLink = nullptr;
    TEditLink* PopupLink = nullptr;
};
