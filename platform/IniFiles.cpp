#include "platform/IniFiles.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QStandardPaths>

namespace {
bool Same(const String& a, const String& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}   // namespace

TMemIniFile::TMemIniFile(const String& FileName) : FFileName(FileName)
{
    QByteArray bytes;
    if (FileName.isEmpty() || !ReadFileBytes(FileName, bytes)) return;
    LoadFromBytes(bytes);
}

void TMemIniFile::LoadFromBytes(const QByteArray& bytes)
{
    FPreamble.clear();
    FSections.clear();
    FLineEnd = QStringLiteral("\n");
    String text = DecodeText(bytes);
    // A second mark behind the one decoding took off is an encoding slip, not text: left in place it
    // would hide the first section's heading and be lost on the next read anyway.
    while (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    // Half a surrogate pair cannot be written back; take it as the writer will write it, so the file reads the same.
    if (!text.isValidUtf16()) text = String::fromUtf8(text.toUtf8());
    if (text.contains(QStringLiteral("\r\n"))) FLineEnd = QStringLiteral("\r\n");
    else if (!text.contains(u'\n') && text.contains(u'\r')) FLineEnd = QStringLiteral("\r");
    String all = text;
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = all.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    std::vector<TLine>* into = &FPreamble;
    for (const String& raw : lines) {
        const String t = raw.trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']') && t.size() >= 2) {
            FSections.push_back({t.mid(1, t.size() - 2).trimmed(), {}});
            into = &FSections.back().Lines;
            continue;
        }
        TLine line{raw, {}, {}};
        const qsizetype eq = raw.indexOf(u'=');
        if (eq > 0 && !t.startsWith(u';') && !t.startsWith(u'#')) {
            line.Key = raw.left(eq).trimmed();
            line.Value = raw.mid(eq + 1);
            while (!line.Value.isEmpty() && line.Value.back().isSpace()) line.Value.chop(1);
        }
        into->push_back(std::move(line));
    }
}

const TMemIniFile::TSection* TMemIniFile::Find(const String& Section) const
{
    for (const TSection& s : FSections)
        if (Same(s.Name, Section)) return &s;
    return nullptr;
}

TMemIniFile::TSection* TMemIniFile::Find(const String& Section)
{
    return const_cast<TSection*>(std::as_const(*this).Find(Section));
}

TMemIniFile::TLine* TMemIniFile::FindLine(TSection& S, const String& Ident)
{
    for (TLine& l : S.Lines)
        if (!l.Key.isEmpty() && Same(l.Key, Ident)) return &l;
    return nullptr;
}

bool TMemIniFile::SectionExists(const String& Section) const { return Find(Section) != nullptr; }

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) const
{
    const TSection* s = Find(Section);
    if (!s) return false;
    for (const TLine& l : s->Lines)
        if (!l.Key.isEmpty() && Same(l.Key, Ident)) return true;
    return false;
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    const TSection* s = Find(Section);
    if (!s) return Default;
    for (const TLine& l : s->Lines)
        if (!l.Key.isEmpty() && Same(l.Key, Ident)) return l.Value;
    return Default;
}

int TMemIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const
{
    const String v = ReadString(Section, Ident, String());
    return v.isEmpty() ? Default : StrToIntDef(v.trimmed(), Default);
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TSection* s = Find(Section);
    if (!s) {
        FSections.push_back({Section, {}});
        s = &FSections.back();
    }
    // A value cannot hold a line break: it would split into two lines.
    String v = Value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    if (TLine* l = FindLine(*s, Ident)) {
        l->Value = v;
        l->Raw = l->Key + u'=' + v;
        return;
    }
    // New keys go after the section's last key, before trailing blank lines.
    auto at = s->Lines.end();
    while (at != s->Lines.begin() && std::prev(at)->Key.isEmpty() && std::prev(at)->Raw.trimmed().isEmpty()) --at;
    s->Lines.insert(at, TLine{Ident + u'=' + v, Ident, v});
}

void TMemIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    WriteString(Section, Ident, String::number(Value));
}

void TMemIniFile::ReadSection(const String& Section, std::vector<String>& Idents) const
{
    Idents.clear();
    if (const TSection* s = Find(Section))
        for (const TLine& l : s->Lines)
            if (!l.Key.isEmpty()) Idents.push_back(l.Key);
}

void TMemIniFile::EraseSection(const String& Section)
{
    std::erase_if(FSections, [&](const TSection& s) { return Same(s.Name, Section); });
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident)
{
    if (TSection* s = Find(Section))
        std::erase_if(s->Lines, [&](const TLine& l) { return !l.Key.isEmpty() && Same(l.Key, Ident); });
}

String TMemIniFile::Text() const
{
    String out;
    auto put = [&](const TLine& l) {
        out += l.Raw;
        out += FLineEnd;
    };
    for (const TLine& l : FPreamble) put(l);
    for (const TSection& s : FSections) {
        out += u'[' + s.Name + u']' + FLineEnd;
        for (const TLine& l : s.Lines) put(l);
    }
    return out;
}

bool TMemIniFile::UpdateFile()
{
    if (FFileName.isEmpty()) return false;
    return SaveFileAtomically(FFileName, Text().toUtf8());
}

// ---- Registry stand-in ---------------------------------------------------------------------

String TRegistryIniFile::StoragePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Quillmer/registry.ini");
}

TRegistryIniFile::TRegistryIniFile(const String& Key) : FKey(Key), FIni(StoragePath())
{
    while (FKey.startsWith(u'\\')) FKey.remove(0, 1);
    while (FKey.endsWith(u'\\')) FKey.chop(1);
}

String TRegistryIniFile::SectionOf(const String& Section) const
{
    return Section.isEmpty() ? FKey : FKey + u'\\' + Section;
}

int TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const
{
    return FIni.ReadInteger(SectionOf(Section), Ident, Default);
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    FIni.WriteInteger(SectionOf(Section), Ident, Value);
    ForceDirectories(ExtractFileDir(StoragePath()));
    FIni.UpdateFile();
}

bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident) const
{
    return FIni.ValueExists(SectionOf(Section), Ident);
}
