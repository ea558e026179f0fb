#pragma once
// Reading text files whose encoding is not declared anywhere but in their bytes.

#include "platform/SysUtils.h"

// A byte-order mark decides (UTF-8, UTF-16 LE or BE); without one the bytes
// are UTF-8 when they are valid UTF-8, else Windows-1252. Never fails.
String DecodeText(const QByteArray& bytes);
String DecodeWindows1252(const QByteArray& bytes);
bool IsValidUtf8(const QByteArray& bytes);

// Reads and decodes a whole file; false (and `text` emptied) when it cannot be read.
bool LoadTextFile(const String& path, String& text);
