#include "platform/Xml.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <pugixml.hpp>
#include <cstring>
#include <string>

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi
                                   | pugi::parse_ws_pcdata_single | pugi::parse_fragment;

pugi::xml_node Node(pugi::xml_node_struct* n) { return pugi::xml_node(n); }

// A value may begin with U+FEFF (text copied from a file that had a mark):
// it is part of the value, not a byte-order mark to skip.
String FromUtf8(const char* text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text));
}

bool IsText(const pugi::xml_node& n) { return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata; }

// ---- encoding --------------------------------------------------------------

// The encoding named in the XML declaration, lower-cased; empty when none.
QByteArray DeclaredEncoding(const QByteArray& bytes)
{
    if (!bytes.startsWith("<?xml")) return {};
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0) return {};
    static const QRegularExpression re(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const auto match = re.match(QString::fromLatin1(bytes.left(end)));
    return match.hasMatch() ? match.captured(1).trimmed().toLower().toLatin1() : QByteArray();
}

String DecodeUtf16NoMark(const QByteArray& bytes, bool bigEndian)
{
    QByteArray marked = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    return DecodeText(marked + bytes);
}

// Decodes the file's bytes as its mark or declaration says. Files that name
// ISO-8859-1 read as windows-1252, which agrees with it on every printable
// character and gives the characters that Windows programs meant by 0x80-0x9F.
String DecodeXmlBytes(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return DecodeText(bytes);
    if (bytes.size() >= 2 && bytes[0] == '<' && bytes[1] == '\0') return DecodeUtf16NoMark(bytes, false);
    if (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '<') return DecodeUtf16NoMark(bytes, true);

    const QByteArray enc = DeclaredEncoding(bytes);
    if (enc.isEmpty() || enc == "utf-8" || enc == "utf8" || enc == "utf-16") {
        // Without a declaration a document is UTF-8; bytes that are not are no
        // document at all, and a guess could turn them into other text.
        if (!IsValidUtf8(bytes))
            throw Exception(QStringLiteral("The bytes do not match the encoding \"%1\"")
                                .arg(enc.isEmpty() ? QStringLiteral("UTF-8") : QString::fromLatin1(enc)));
        return QString::fromUtf8(bytes);
    }
    if (enc == "us-ascii" || enc == "ascii") {
        for (char c : bytes)
            if (static_cast<unsigned char>(c) > 0x7F)
                throw Exception(QStringLiteral("The bytes do not match the encoding \"%1\"").arg(QString::fromLatin1(enc)));
        return QString::fromLatin1(bytes);
    }
    if (enc == "iso-8859-1" || enc == "latin1" || enc == "iso_8859-1" || enc == "windows-1252" || enc == "cp1252")
        return DecodeWindows1252(bytes);
    throw Exception(QStringLiteral("Unsupported character encoding \"%1\"").arg(QString::fromLatin1(enc)));
}

// ---- well-formedness -------------------------------------------------------

// Line and column (1-based, in characters) of a byte offset into UTF-8 text.
std::pair<int, int> LineColumn(const QByteArray& utf8, std::ptrdiff_t offset)
{
    int line = 1, column = 1;
    for (qsizetype i = 0; i < qsizetype(offset) && i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return {line, column};
}

bool IsBlank(const char* text)
{
    for (; *text; ++text)
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') return false;
    return true;
}

// The parser is read in fragment mode so that what stands beside the root
// can be checked: exactly one element, and no text outside it.
String DocumentLevelFault(const pugi::xml_document& doc)
{
    int elements = 0;
    bool strayText = false;
    for (pugi::xml_node n : doc.children()) {
        if (n.type() == pugi::node_element) ++elements;
        if (IsText(n) && !IsBlank(n.value())) strayText = true;
    }
    if (elements == 0) return QStringLiteral("No root element");
    if (strayText) return QStringLiteral("Text outside the root element");
    if (elements > 1) return QStringLiteral("More than one root element");
    return {};
}

// The parser below is lenient where XML 1.0 is strict (a bare "&", an
// undefined entity, a duplicate attribute, a bad character reference pass
// through it), so every document is first read through a strict reader:
// what is not well-formed is refused before anything of it is used.
String WellFormednessFault(const String& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) reader.readNext();
    if (!reader.hasError()) return {};
    String message = reader.errorString();
    if (message.endsWith(u'.')) message.chop(1);
    return QStringLiteral("%1 at line %2, column %3")
        .arg(message)
        .arg(reader.lineNumber())
        .arg(reader.columnNumber());
}

// Names come from the program, never from the user; a name that would make
// the file unreadable is a mistake worth stopping at once.
QByteArray CheckedName(const String& name)
{
    bool ok = !name.isEmpty() && !name[0].isDigit() && name[0] != u'-' && name[0] != u'.' && FirstUnstorableChar(name) < 0;
    for (QChar c : name)
        if (c.isSpace() || QStringLiteral("<>&\"'/=!?;,()[]{}").contains(c) || c.unicode() < 0x20) ok = false;
    if (!ok) throw EXMLDocError(QStringLiteral("\"%1\" is not a valid XML name").arg(name));
    return name.toUtf8();
}

// The strict reader refuses a file that holds a character XML cannot hold,
// even written as a character reference, so such a file could never be read
// again: the text is refused before it enters the document, while the file
// on disk is still the old one. (A NUL would otherwise cut the text short.)
const String& CheckedText(const String& text, const String& where)
{
    const qsizetype bad = FirstUnstorableChar(text);
    if (bad >= 0)
        throw EXMLDocError(QStringLiteral("%1 holds the character %2 at position %3, which an XML file cannot hold")
                               .arg(where, CharCodeName(text, bad))
                               .arg(bad + 1));
    return text;
}

} // namespace

// ---- TXMLNode --------------------------------------------------------------

void TXMLNode::CheckWritable(const char* operation) const
{
    if (!FNode)
        throw EXMLDocError(QStringLiteral("Cannot %1: the XML node does not exist").arg(QString::fromLatin1(operation)));
}

std::vector<TXMLNode> TXMLNode::AllChildNodes() const
{
    std::vector<TXMLNode> nodes;
    if (!FNode) return nodes;
    for (pugi::xml_node n : Node(FNode).children())
        if (n.type() == pugi::node_element || IsText(n)) nodes.push_back(TXMLNode(n.internal_object()));
    return nodes;
}

bool TXMLNode::IsElement() const { return FNode && Node(FNode).type() == pugi::node_element; }
bool TXMLNode::IsTextNode() const { return FNode && IsText(Node(FNode)); }
String TXMLNode::Value() const { return IsTextNode() ? FromUtf8(Node(FNode).value()) : String(); }

std::vector<std::pair<String, String>> TXMLNode::Attributes() const
{
    std::vector<std::pair<String, String>> list;
    if (!FNode) return list;
    for (pugi::xml_attribute a : Node(FNode).attributes()) list.emplace_back(FromUtf8(a.name()), FromUtf8(a.value()));
    return list;
}

String TXMLNode::NodeName() const { return FNode ? FromUtf8(Node(FNode).name()) : String(); }

String TXMLNode::Text() const
{
    String text;
    if (!FNode) return text;
    for (pugi::xml_node n : Node(FNode).children())
        if (IsText(n)) text += FromUtf8(n.value());
    return text;
}

void TXMLNode::SetText(const String& text)
{
    CheckWritable("set the text");
    CheckedText(text, QStringLiteral("The text of <%1>").arg(NodeName()));
    pugi::xml_node node = Node(FNode);
    while (pugi::xml_node child = node.first_child()) node.remove_child(child);
    if (!text.isEmpty()) node.append_child(pugi::node_pcdata).set_value(text.toUtf8().constData());
}

TXMLNode TXMLNode::ChildNode(const String& name) const
{
    if (!FNode) return {};
    return TXMLNode(Node(FNode).child(name.toUtf8().constData()).internal_object());
}

std::vector<TXMLNode> TXMLNode::ChildNodes() const
{
    std::vector<TXMLNode> nodes;
    if (!FNode) return nodes;
    for (pugi::xml_node n : Node(FNode).children())
        if (n.type() == pugi::node_element) nodes.push_back(TXMLNode(n.internal_object()));
    return nodes;
}

TXMLNode TXMLNode::AddChild(const String& name)
{
    CheckWritable("add a child");
    return TXMLNode(Node(FNode).append_child(CheckedName(name).constData()).internal_object());
}

bool TXMLNode::HasAttribute(const String& name) const
{
    return FNode && Node(FNode).attribute(name.toUtf8().constData());
}

String TXMLNode::Attribute(const String& name) const { return AttributeOr(name, String()); }

String TXMLNode::AttributeOr(const String& name, const String& defaultValue) const
{
    if (!FNode) return defaultValue;
    const pugi::xml_attribute a = Node(FNode).attribute(name.toUtf8().constData());
    return a ? FromUtf8(a.value()) : defaultValue;
}

void TXMLNode::SetAttribute(const String& name, const String& value)
{
    CheckWritable("set an attribute");
    const QByteArray key = CheckedName(name);
    CheckedText(value, QStringLiteral("The value of %1 in <%2>").arg(name, NodeName()));
    pugi::xml_node node = Node(FNode);
    pugi::xml_attribute a = node.attribute(key.constData());
    if (!a) a = node.append_attribute(key.constData());
    a.set_value(value.toUtf8().constData());
}

// ---- TXMLDocument ----------------------------------------------------------

TXMLDocument::TXMLDocument(TComponent* AOwner) : TComponent(AOwner), FDoc(std::make_unique<pugi::xml_document>()) {}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::Clear()
{
    FDoc->reset();
}

void TXMLDocument::SetActive(bool active)
{
    if (!active) Clear();
    FActive = active;
}

void TXMLDocument::LoadFromFile(const String& path)
{
    Clear();
    FFileName = path;
    if (!FileExists(path)) throw Exception(QStringLiteral("Cannot open file \"%1\". The file does not exist.").arg(path));
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes)) throw Exception(QStringLiteral("Cannot open file \"%1\". The file cannot be read.").arg(path));
    try {
        LoadFromBytes(bytes);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("\"%1\" is not a valid XML file: %2").arg(path, e.Message()));
    }
}

void TXMLDocument::LoadFromBytes(const QByteArray& bytes)
{
    Clear();
    LoadFromString(DecodeXmlBytes(bytes));
}

void TXMLDocument::LoadFromString(const String& xml)
{
    Clear();
    const String strictFault = WellFormednessFault(xml);
    if (!strictFault.isEmpty()) throw Exception(strictFault);
    const QByteArray utf8 = xml.toUtf8();
    const unsigned options = FKeepReferences ? kParseOptions & ~pugi::parse_escapes : kParseOptions;
    const pugi::xml_parse_result result = FDoc->load_buffer(utf8.constData(), std::size_t(utf8.size()), options, pugi::encoding_utf8);
    if (!result) {
        Clear();
        const auto [line, column] = LineColumn(utf8, result.offset);
        throw Exception(QStringLiteral("%1 at line %2, column %3").arg(FromUtf8(result.description())).arg(line).arg(column));
    }
    const String fault = DocumentLevelFault(*FDoc);
    if (!fault.isEmpty()) {
        Clear();
        throw Exception(fault);
    }
    FActive = true;
}

TXMLNode TXMLDocument::DocumentElement() const
{
    for (pugi::xml_node n : FDoc->children())
        if (n.type() == pugi::node_element) return TXMLNode(n.internal_object());
    return {};
}

TXMLNode TXMLDocument::CreateRoot(const String& name)
{
    if (!DocumentElement().IsNull()) throw EXMLDocError(QStringLiteral("The XML document has a root element already"));
    FActive = true;
    return TXMLNode(FDoc->append_child(CheckedName(name).constData()).internal_object());
}

void TXMLDocument::AddDocumentComment(const String& text)
{
    CheckedText(text, QStringLiteral("The comment"));
    // A comment ends at the first "--", and one ending in "-" would run into its "-->".
    if (text.contains(QLatin1String("--")) || text.endsWith(u'-'))
        throw EXMLDocError(QStringLiteral("The comment \"%1\" cannot hold \"--\" or end in \"-\"").arg(text));
    FActive = true;
    FDoc->append_child(pugi::node_comment).set_value(text.toUtf8().constData());
}

QByteArray TXMLDocument::SaveToBytes() const
{
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), qsizetype(size)); }
    } writer;
    // Only the root and what follows it is written: a loaded file's
    // declaration or comments before its root would break the rule that the
    // file starts with the root, and the output is UTF-8 whatever it declared.
    bool rootSeen = false;
    for (pugi::xml_node n : FDoc->children()) {
        rootSeen = rootSeen || n.type() == pugi::node_element;
        if (!rootSeen || n.type() == pugi::node_declaration) continue;
        n.print(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    }
    // A reader turns a raw CR into a line end; as a character reference it
    // comes back as the CR that the value held. The writer emits no CR of its
    // own, so every CR in the output belongs to a value.
    writer.out.replace("\r", "&#13;");
    return writer.out;
}

String TXMLDocument::SaveToString() const { return QString::fromUtf8(SaveToBytes()); }

void TXMLDocument::SaveToFile(const String& path) const
{
    String error;
    if (!SaveFileAtomically(path, SaveToBytes(), &error)) throw Exception(error);
}
