#pragma once
// The numbered text table every window takes its captions, hints and messages
// from: English built in, any slot replaceable by a language file in the
// LANGUAGE folder ("STR <n> = <text>" lines).

#include "platform/Classes.h"

inline constexpr int Lang_Slot_Count = 2800;

// Slot n is entry n. Lives for the whole run; empty until the built-in texts
// are loaded, then it always holds a text in every slot.
extern TStringList Lang_Strings;
// Number of slots; a language file may set slots 0 to Lang_Count - 1.
extern int Lang_Count;

// Real language files hold a few hundred kilobytes; anything far above that
// is no language file, and reading it whole could exhaust memory.
inline constexpr qint64 Max_Language_File_Size = 16 * 1024 * 1024;

// The main window's creation of the table: empty, no slots yet.
void Create_Text_Table();

// The built-in English texts in all slots; slots no window uses hold " ".
void Load_Default_Texts();

// Lays one language file over the table. Whatever the file holds (or when it
// cannot be read at all) the table keeps a text in every slot.
void Load_Language_File(const String& path);

// Applies the lines of an already decoded language file.
void Apply_Language_Text(const String& text);

// The built-in English texts, all Lang_Slot_Count slots, into `table`.
void Built_In_Texts(TStringList& table);

// A language file of the table's texts: a UTF-8 mark, a few lines of notes,
// then "STR <n> = <text>" for every slot in order but those holding the
// single blank of an unused slot, so that reading it over the blank slots
// gives the table back exactly. Raises Exception naming the slot of a text
// the format cannot carry (a line break, a pilcrow or "/#/" inside).
QByteArray Language_File_Bytes(const TStringList& table);
// English.lng: the built-in texts as a language file, so the language list
// always offers the way back to English.
QByteArray English_Language_File();
// English.bmp: the flag the language list shows beside "English".
QByteArray English_Flag_Bitmap();
// Writes English.lng and English.bmp into the folder: each only when no file
// of that name (in any letter case) is there, or always with `replace`.
// False with a reason when one cannot be written.
bool Ship_English_Language(const String& folder, bool replace, String* error = nullptr);

// Built-in texts, then the current language's file from Language_Path. The
// language name is matched ignoring case and takes the file's own spelling;
// without a file the language becomes English (English.lng when present).
void Load_Language();

// The text of slot n; an empty text for a slot that does not exist.
String Lang_Text(int n);
