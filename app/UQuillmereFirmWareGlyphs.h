#pragma once
// The main window's button pictures, drawn by code and registered as bitmap
// resources under the names below.

#include "platform/SysUtils.h"

inline const String Glyph_Info = QStringLiteral("QMGLYPH_INFO");
inline const String Glyph_Options = QStringLiteral("QMGLYPH_OPTIONS");
inline const String Glyph_Close = QStringLiteral("QMGLYPH_CLOSE");
inline const String Glyph_New = QStringLiteral("QMGLYPH_NEW");
inline const String Glyph_Open = QStringLiteral("QMGLYPH_OPEN");
inline const String Glyph_Communication = QStringLiteral("QMGLYPH_COMMUNICATION");
inline const String Glyph_DALI = QStringLiteral("QMGLYPH_DALI");
inline const String Glyph_SNMP = QStringLiteral("QMGLYPH_SNMP");
inline const String Glyph_Update = QStringLiteral("QMGLYPH_UPDATE");
inline const String Glyph_Table = QStringLiteral("QMGLYPH_TABLE");
inline const String Glyph_File = QStringLiteral("QMGLYPH_FILE");
inline const String Glyph_Brand = QStringLiteral("QMGLYPH_BRAND");

// Registers every picture above; safe to call more than once.
void Register_Main_Window_Glyphs();
