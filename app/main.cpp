// The program entry: the application, its windows, the message loop.
#include "app/UQuillmereFirmWare.h"
#include "dropdowns/editors/ZvGridDropDowns.h"
#include "platform/Forms.h"
#include "platform/Themes.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    // One fixed look for the ordinary controls, whatever the desktop's theme.
    UseThemeForApplication();
    Application->Initialize();
    // The drop-down cell editors live above the grid: they offer themselves before any grid asks.
    RegisterDropDownCellEditors();
    Application->SetMainFormOnTaskBar(true);
    Create_All_Forms();
    Application->Run();
    Destroy_All_Forms();
    return 0;
}
