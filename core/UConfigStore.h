#pragma once
// The configuration store: the program's folders, the settings file, which
// configuration is open, and the per-editor file paths of the open one. It
// works on the program-wide state; the windows only show what it decided.

#include "platform/SysUtils.h"

class TXMLDocument;

// Makes MASTER, PROJECTS and LANGUAGE beside the program when they are
// missing, and English.lng with its flag in LANGUAGE when they are missing.
void Set_Program_Folders();
// Reads Quillmer.xml into the program-wide state; defaults for whatever is
// missing or damaged. `shared` is the document to read through, or null.
void Read_Setting(TXMLDocument* shared = nullptr);
// Writes Quillmer.xml from the program-wide state; raises Exception naming
// the file when it cannot be written, and leaves the old file whole.
void Save_Setting(TXMLDocument* shared = nullptr);
// Makes the named configuration the open one when its folder exists, in
// the folder's own spelling; otherwise none is open.
void Open_Configuration(const String& name);
// Derives the per-editor file paths from the open configuration; all empty
// when none is open.
void Set_Files();
// True when a configuration is open and its folder is still there.
bool Open_Configuration_Exists();
