#pragma once
// The gallery's second window: one button per table form that no window of
// the product opens, each shown modally over a configuration folder of its
// own (a temporary one), and the MIB step with its save dialog.

#include "platform/Forms.h"

#include <QTemporaryDir>
#include <functional>
#include <vector>

class TButton;
class TSaveDialog;

class TGalleryTableForms : public TForm {
public:
    explicit TGalleryTableForms(TComponent* AOwner);

    // The buttons, in their order on the window, and what the last form returned.
    const std::vector<TButton*>& Buttons() const { return FButtons; }
    int LastResult() const { return FLastResult; }

private:
    void Add_Button(const char* caption, std::function<void()> click);

    QTemporaryDir FFolder;
    std::vector<TButton*> FButtons;
    TSaveDialog* FSaveMIB = nullptr;
    int FLastResult = 0;
};
