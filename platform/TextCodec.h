#pragma once
// Reading text files whose encoding is not declared anywhere but in their
// bytes, and the characters the program's files can hold.

#include "platform/SysUtils.h"

// A byte-order mark decides (UTF-8, UTF-16 LE or BE); without one the bytes
// are UTF-8 when they are valid UTF-8, else Windows-1252. Never fails.
String DecodeText(const QByteArray& bytes);
String DecodeWindows1252(const QByteArray& bytes);
bool IsValidUtf8(const QByteArray& bytes);

// Reads and decodes a whole file; false (and `text` emptied) when it cannot be read.
bool LoadTextFile(const String& path, String& text);

// The characters every file of the program can hold are those of XML 1.0:
// all but the C0 controls other than tab, LF and CR, U+FFFE, U+FFFF and a
// half of a surrogate pair standing alone. The index (in UTF-16 units) of the
// first other character, -1 when there is none.
qsizetype FirstUnstorableChar(const String& text);
// The text without those characters; the rest stays as it was.
String DropUnstorableChars(const String& text);
// "U+0001" for the character at the index (the whole code point of a pair).
String CharCodeName(const String& text, qsizetype index);
