#pragma once
// INI files as the class library keeps them: the whole file read into memory,
// looked up and changed there, and written back whole by UpdateFile. Sections
// and keys keep their order, comments and other lines stay where they were,
// and the file keeps the line end it was found with (a new file gets LF).
// Section and key names compare ignoring case, as on the platform.
//
// The registry stand-in keeps each key below the current user in one INI file
// in the user's configuration folder: the registry key and sub-key become one
// section, "<key>\<sub-key>", each value a line. It reads like the INI file
// but never writes on its own.

#include "platform/SysUtils.h"

#include <vector>

class TMemIniFile {
public:
    // Reads FileName; a missing or unreadable file starts empty. Bytes are
    // UTF-8 when valid, else Windows-1252; a byte-order mark decides first.
    explicit TMemIniFile(const String& FileName);
    virtual ~TMemIniFile() = default;

    const String& FileName() const { return FFileName; }
    // Replaces the contents with the file bytes given, as if read from FileName.
    void LoadFromBytes(const QByteArray& Bytes);

    bool SectionExists(const String& Section) const;
    bool ValueExists(const String& Section, const String& Ident) const;
    // The value after the first "=", as written (trailing spaces trimmed).
    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    // A missing or non-numeric value gives Default.
    int ReadInteger(const String& Section, const String& Ident, int Default) const;
    void WriteString(const String& Section, const String& Ident, const String& Value);
    void WriteInteger(const String& Section, const String& Ident, int Value);
    void ReadSection(const String& Section, std::vector<String>& Idents) const;
    void EraseSection(const String& Section);
    void DeleteKey(const String& Section, const String& Ident);
    // The file's text as UpdateFile writes it.
    String Text() const;
    // Writes the file back whole (UTF-8, atomically); false when it cannot.
    virtual bool UpdateFile();

private:
    struct TLine {
        String Raw;     // the line as read, or as last written: a line no one wrote goes back byte for byte
        String Key;     // empty for comments, blank lines and section heads
        String Value;
    };
    struct TSection {
        String Name;
        std::vector<TLine> Lines;
    };
    const TSection* Find(const String& Section) const;
    TSection* Find(const String& Section);
    TLine* FindLine(TSection& S, const String& Ident);

    String FFileName;
    String FLineEnd = QStringLiteral("\n");
    std::vector<TLine> FPreamble;   // lines before the first section head
    std::vector<TSection> FSections;
};

// The registry key Key (below the current user) as sections of one INI file.
class TRegistryIniFile {
public:
    explicit TRegistryIniFile(const String& Key);
    // Where the stand-in lives: "<config folder>/Quillmer/registry.ini".
    static String StoragePath();

    int ReadInteger(const String& Section, const String& Ident, int Default) const;
    void WriteInteger(const String& Section, const String& Ident, int Value);
    bool ValueExists(const String& Section, const String& Ident) const;
    // Registry writes land at once, so the stand-in writes back on every change.
    bool UpdateFile() { return FIni.UpdateFile(); }

private:
    String SectionOf(const String& Section) const;
    String FKey;
    TMemIniFile FIni;
};
