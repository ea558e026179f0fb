#pragma once
// XML documents as the configuration files use them: load, take the first
// element as the root, find children by name, read and set text and
// attributes, add elements and a comment after the root, save.

#include "platform/Classes.h"

#include <QByteArray>
#include <memory>
#include <utility>
#include <vector>

namespace pugi {
class xml_document;
struct xml_node_struct;
} // namespace pugi

// Misuse of the document: writing through a node that was not found, a name
// or a text that XML cannot hold (FirstUnstorableChar), a second root. It is
// raised while the document is built, so the file on disk stays as it was.
class EXMLDocError : public Exception {
public:
    using Exception::Exception;
};

// A light handle on one element of a TXMLDocument, copied freely. A null
// handle stands for "not found": every read on it gives the empty text, no
// children and no attributes, so a reader can chain look-ups and fall back to
// its defaults at the end. Every write on it raises EXMLDocError, because a
// write that vanished silently would lose the user's data. A handle is valid
// while its document is neither cleared nor reloaded.
class TXMLNode {
public:
    TXMLNode() = default;

    bool IsNull() const { return FNode == nullptr; }
    explicit operator bool() const { return FNode != nullptr; }
    bool operator==(const TXMLNode&) const = default;

    String NodeName() const;

    // The text directly inside the element (its text and CDATA parts joined),
    // exactly as written: nothing is trimmed.
    String Text() const;
    // Replaces everything inside the element by the one text. A text that
    // XML cannot hold raises EXMLDocError naming the character.
    void SetText(const String& text);

    // The first child element with exactly this name, or a null handle.
    TXMLNode ChildNode(const String& name) const;
    TXMLNode FindNode(const String& name) const { return ChildNode(name); }
    // The child elements in document order; comments and text are no children.
    std::vector<TXMLNode> ChildNodes() const;
    TXMLNode AddChild(const String& name);
    // Elements, texts and CDATA sections in document order: what a reader
    // that walks mixed content needs (comments and instructions are left out).
    std::vector<TXMLNode> AllChildNodes() const;
    bool IsElement() const;
    bool IsTextNode() const;
    // A text node's own text; empty for elements.
    String Value() const;
    // Every attribute, name and value, in document order.
    std::vector<std::pair<String, String>> Attributes() const;

    // A missing attribute reads as empty; AttributeOr gives the default only
    // when the attribute is missing, never when it is present but empty.
    bool HasAttribute(const String& name) const;
    String Attribute(const String& name) const;
    String AttributeOr(const String& name, const String& defaultValue) const;
    // Sets the value, adding the attribute after the others when it is new;
    // a value that XML cannot hold raises EXMLDocError naming the character.
    void SetAttribute(const String& name, const String& value);

private:
    friend class TXMLDocument;
    explicit TXMLNode(pugi::xml_node_struct* node) : FNode(node) {}
    void CheckWritable(const char* operation) const;

    pugi::xml_node_struct* FNode = nullptr;
};

// The document component that windows own (the main window's XML1, ...).
//
// Reading accepts UTF-8 with or without byte-order mark, UTF-16 with a mark,
// and files that declare ISO-8859-1 or windows-1252. Writing puts no XML
// declaration and nothing else before the root, uses UTF-8 without mark,
// two-space indentation and LF line ends, and replaces the file atomically.
class TXMLDocument : public TComponent {
public:
    explicit TXMLDocument(TComponent* AOwner = nullptr);
    ~TXMLDocument() override;

    // Raises Exception with the path and a readable reason when the file is
    // missing, unreadable or not well-formed; the document is empty then.
    void LoadFromFile(const String& path);
    void LoadFromBytes(const QByteArray& bytes);
    // With KeepReferences on, the next load leaves entity and character
    // references in texts and attribute values as written ("&amp;" stays
    // "&amp;"), for readers that unescape in their own single pass.
    bool KeepReferences() const { return FKeepReferences; }
    void SetKeepReferences(bool Value) { FKeepReferences = Value; }
    void LoadFromString(const String& xml);
    const String& FileName() const { return FFileName; }

    // Removes every node of the document.
    void Clear();
    // Clearing through Active, as the system's code does before it rebuilds a file.
    bool Active() const { return FActive; }
    void SetActive(bool active);

    // The first element node of the document, whatever its name; comments and
    // processing instructions before it are passed over. Null when there is none.
    TXMLNode DocumentElement() const;
    // Adds the root element of a new document; raises EXMLDocError when the
    // document has one already.
    TXMLNode CreateRoot(const String& name);
    // A comment at document level, after everything already there (the root);
    // one holding "--" or a character XML cannot hold raises EXMLDocError.
    void AddDocumentComment(const String& text);

    QByteArray SaveToBytes() const;
    String SaveToString() const;
    // Raises Exception with the path and reason on failure; the old file stays whole.
    void SaveToFile(const String& path) const;

private:
    std::unique_ptr<pugi::xml_document> FDoc;
    String FFileName;
    bool FActive = false;
    bool FKeepReferences = false;
};
