// The gallery: DISPLAY=:N build/bin/gallery
#include "examples/gallery/Gallery.h"
#include "examples/gallery/GalleryForms.h"
#include "examples/gallery/GalleryPickers.h"
#include "examples/gallery/GalleryEditors.h"
#include "examples/gallery/GalleryRichText.h"
#include "examples/gallery/GalleryDropDownEditors.h"
#include "examples/gallery/GalleryDragDrop.h"
#include "platform/Themes.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    UseThemeForApplication();
    Application->Initialize();
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    TGalleryPickersForm* pickers = nullptr;
    Application->CreateForm(pickers);
    pickers->Show();
    TGalleryTableForms* forms = nullptr;
    Application->CreateForm(forms);
    forms->Show();
    TGalleryEditorsForm* editors = nullptr;
    Application->CreateForm(editors);
    editors->Show();
    TGalleryRichTextForm* richText = nullptr;
    Application->CreateForm(richText);
    richText->Show();
    TGalleryDropDownEditorsForm* dropDownEditors = nullptr;
    Application->CreateForm(dropDownEditors);
    dropDownEditors->Show();
    TGalleryDragDropForm* dragDrop = nullptr;
    Application->CreateForm(dragDrop);
    dragDrop->Show();
    Application->Run();
    Application->DestroyForms();
    return 0;
}
