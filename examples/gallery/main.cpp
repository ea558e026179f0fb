// The gallery: DISPLAY=:N build/bin/gallery
#include "examples/gallery/Gallery.h"
#include "platform/Themes.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    UseThemeForApplication();
    Application->Initialize();
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    Application->DestroyForms();
    return 0;
}
