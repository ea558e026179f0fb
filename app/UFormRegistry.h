#pragma once
// The program's 22 windows, one entry each, in the fixed order start-up
// creates them (the main window first: its creation fills the text table
// every later window reads). An entry also says where the window stands in
// the language change, which step button of the main window shows it with
// which texts, and what that step does. Start-up, shut-down, the language
// change and the step buttons all walk this one list.
//
// A new window is one entry in Program_Forms (UFormRegistry.cpp).

#include <vector>

class TCustomForm;
class TObject;
class TFQuillmereFirmWare;
class TZvPushButton;

using TStepButton = TZvPushButton* TFQuillmereFirmWare::*;
using TStepAction = void (TFQuillmereFirmWare::*)();

struct TFormEntry {
    TCustomForm* (*Window)() = nullptr;  // the window object, null before start-up and after shut-down
    void (*Create)() = nullptr;          // creates it through the application into its window object
    void (*Forget)() = nullptr;          // empties the window object
    void (*Set_Lang)() = nullptr;        // null: the window has no texts to re-read
    void (*Created)() = nullptr;         // wiring once it exists; null: none
    int Language_Turn = 0;               // its place in the language change; 0: keeps its creation's texts
    TStepButton Button = nullptr;        // the main window's button that shows it; null: none
    int Caption = -1;                    // text slots of the button's caption and hint; -1: none from the table
    int Hint = -1;
    bool Needs_Configuration = true;     // the step is refused while no configuration is open
    TStepAction Action = nullptr;        // the step, when it does more than show the window modally
};

const std::vector<TFormEntry>& Program_Forms();
// The entry whose step button `sender` is, or null.
const TFormEntry* Step_Of(const TFQuillmereFirmWare& main, const TObject* sender);
// Every window with a language turn re-reads its texts, in turn order.
void Relabel_Forms();

// Creates the program's windows through the application, in the registry's order.
void Create_All_Forms();
// Destroys every window of the application and forgets the window objects.
void Destroy_All_Forms();
