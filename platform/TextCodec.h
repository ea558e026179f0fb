#pragma once
// Reading text files whose encoding is not declared anywhere but in their
// bytes, and the characters the program's files can hold.

#include "platform/SysUtils.h"

// A byte-order mark decides (UTF-8, UTF-16 LE or BE); without one the bytes
// are UTF-8 when they are valid UTF-8, else Windows-1252. Never fails.
String DecodeText(const QByteArray& bytes);
String DecodeWindows1252(const QByteArray& bytes);

// The two 8-bit pages of the program's files: Windows-1252 (the system's
// 8-bit page) and the OEM page 850. A character a page lacks is written "?".
QByteArray EncodeWindows1252(const String& text);
String DecodeOem850(const QByteArray& bytes);
QByteArray EncodeOem850(const String& text);
// One character of page 850 (bytes 128-255 through its table, the rest as is),
// and a character's byte in it ('?' when the page lacks it).
char16_t Oem850Char(unsigned char byte);
unsigned char Oem850Byte(char16_t c);
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
