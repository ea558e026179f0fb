#include "platform/Xml.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "tests/common/TestUtil.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

// Loads `bytes` through a file, as the program does.
void LoadBytes(TXMLDocument& doc, const TempFolder& tmp, const QByteArray& bytes)
{
    tmp.Write(QStringLiteral("in.xml"), bytes);
    doc.LoadFromFile(tmp.File(QStringLiteral("in.xml")));
}

String LoadError(const TempFolder& tmp, const QByteArray* bytes)
{
    TXMLDocument doc;
    doc.CreateRoot(QStringLiteral("stale"));
    try {
        if (bytes) {
            LoadBytes(doc, tmp, *bytes);
        } else {
            doc.LoadFromFile(tmp.File(QStringLiteral("missing.xml")));
        }
    } catch (const Exception& e) {
        EXPECT_TRUE(doc.DocumentElement().IsNull()) << "a failed load leaves nothing of the old document";
        return e.Message();
    }
    return {};
}

TEST(Xml, BrokenFilesRaiseAClearError)
{
    TempFolder tmp;
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage += char((i * 7919 + 13) % 256);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"only blanks", QByteArray("  \r\n\t ")},
        {"not XML", QByteArray("hello world")},
        {"truncated", QByteArray("<Conf_Settings><lastlang><language>Eng")},
        {"unclosed root", QByteArray("<Par_Gen>\n  <SNMP_Manager_IP1>10</SNMP_Manager_IP1>\n")},
        {"mismatched tags", QByteArray("<a><b></a></b>")},
        {"only a comment", QByteArray("<!-- SW_VERSION = 1.000 -->")},
        {"text outside the root", QByteArray("junk<a/>")},
        {"text after the root", QByteArray("<a/>junk")},
        {"two roots", QByteArray("<a/><b/>")},
        {"bad attribute", QByteArray("<a x=1/>")},
        {"binary garbage", garbage},
        {"NUL bytes", QByteArray("<a>\0\0\0</a>", 10)},
        {"unknown encoding", QByteArray("<?xml version=\"1.0\" encoding=\"x-klingon\"?><a/>")},
        {"half a UTF-16 file", QByteArray("\xFF\xFE<\0a\0>\0", 8)},
        // What a lenient reader would let through: none of it is XML 1.0.
        {"bare & in an attribute", QByteArray("<SNMP_Agent_Access><row Mnemonic=\"Boiler & pumps\"/></SNMP_Agent_Access>")},
        {"bare & in text", QByteArray("<a>salt & pepper</a>")},
        {"& without ;", QByteArray("<a>&amp</a>")},
        {"bare < in text", QByteArray("<a>1 < 2</a>")},
        {"< in an attribute", QByteArray("<a x=\"1<2\"/>")},
        {"undefined entity", QByteArray("<a>&nbsp;</a>")},
        {"unclosed inner tag", QByteArray("<a><b></a>")},
        {"duplicate attribute", QByteArray("<row Enable=\"Y\" Enable=\"N\"/>")},
        {"text and a second root after the root", QByteArray("<a/>tail<b/>")},
        {"character reference to NUL", QByteArray("<a>&#0;</a>")},
        {"character reference to a surrogate", QByteArray("<a>&#xD800;</a>")},
        {"character reference beyond Unicode", QByteArray("<a>&#x110000;</a>")},
        {"character reference that is no number", QByteArray("<a>&#xZZ;</a>")},
        {"control character", QByteArray("<a>\x01</a>")},
        {"undeclared bytes that are not UTF-8", QByteArray("<l>Fran\xE7" "ais</l>")},
        {"UTF-8 declared, other bytes", QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><l>\xE7\x80</l>")},
        {"ASCII declared, other bytes", QByteArray("<?xml version=\"1.0\" encoding=\"US-ASCII\"?><l>\xC3\xA7</l>")},
    };
    for (const auto& c : cases) {
        const String message = LoadError(tmp, &c.bytes);
        EXPECT_FALSE(message.isEmpty()) << c.what << ": no error";
        EXPECT_TRUE(message.contains(tmp.File(QStringLiteral("in.xml")))) << c.what << ": " << message.toStdString();
    }
    const String missing = LoadError(tmp, nullptr);
    EXPECT_TRUE(missing.contains(tmp.File(QStringLiteral("missing.xml")))) << missing.toStdString();
    EXPECT_TRUE(missing.contains(QStringLiteral("does not exist"))) << missing.toStdString();

    // The place of a syntax error is named.
    const QByteArray truncated("<a>\n  <b>1</b>\n  <c>");
    EXPECT_TRUE(LoadError(tmp, &truncated).contains(QStringLiteral("line 3"))) << LoadError(tmp, &truncated).toStdString();
}

TEST(Xml, EveryCutOfAGoodFileFailsCleanlyOrLoads)
{
    const QByteArray good = "<?xml version=\"1.0\"?>\n<!--c-->\n<Conf_Settings>\n  <lastproj>\n    <projectname>Plant A</projectname>\n"
                            "  </lastproj>\n  <row Enable=\"Y\" OID=\"1.3.6\"/>\n</Conf_Settings>\n<!--SW_VERSION = 1.000-->\n";
    for (int n = 0; n <= good.size(); ++n) {
        TXMLDocument doc;
        try {
            doc.LoadFromBytes(good.left(n));
            EXPECT_EQ(doc.DocumentElement().NodeName(), QStringLiteral("Conf_Settings")) << n;
        } catch (const Exception&) {
        }
    }
    // Damaged bytes anywhere: an error or a document, never a crash.
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        for (int k = 0; k < 1 + round % 4; ++k) bad[int(rng() % unsigned(bad.size()))] = char(rng() % 256);
        TXMLDocument doc;
        try {
            doc.LoadFromBytes(bad);
            for (const TXMLNode& n : doc.DocumentElement().ChildNodes()) (void)n.Text();
            (void)doc.SaveToBytes();
        } catch (const Exception&) {
        }
    }
}

TEST(Xml, FirstElementIsTheRootWhateverStandsBeforeIt)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made by hand -->\n<?app x?>\n"
                                      "<Whatever><lastlang><language>Deutsch</language></lastlang></Whatever>\n"
                                      "<!--SW_VERSION = 1.000-->\n"));
    const TXMLNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), QStringLiteral("Whatever"));
    EXPECT_EQ(root.ChildNode(QStringLiteral("lastlang")).ChildNode(QStringLiteral("language")).Text(), QStringLiteral("Deutsch"));
}

TEST(Xml, ChildrenAreElementsOnlyAndNamesAreExact)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<r>text<!--c--><a>1</a><?pi?><b/>more<a>2</a><![CDATA[x]]><A>3</A></r>"));
    const TXMLNode root = doc.DocumentElement();
    const auto kids = root.ChildNodes();
    ASSERT_EQ(kids.size(), 4u);
    EXPECT_EQ(kids[0].NodeName(), QStringLiteral("a"));
    EXPECT_EQ(kids[1].NodeName(), QStringLiteral("b"));
    EXPECT_EQ(kids[2].Text(), QStringLiteral("2"));
    EXPECT_EQ(kids[3].NodeName(), QStringLiteral("A"));
    EXPECT_EQ(root.ChildNode(QStringLiteral("a")).Text(), QStringLiteral("1")) << "the first of that name";
    EXPECT_EQ(root.ChildNode(QStringLiteral("A")).Text(), QStringLiteral("3"));
    EXPECT_TRUE(root.FindNode(QStringLiteral("c")).IsNull());
    EXPECT_EQ(root.Text(), QStringLiteral("textmorex")) << "the text directly inside";
}

TEST(Xml, NullHandlesReadAsEmptyAndRefuseWrites)
{
    TXMLDocument doc;
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    const TXMLNode none = doc.DocumentElement().ChildNode(QStringLiteral("x")).ChildNode(QStringLiteral("y"));
    EXPECT_TRUE(none.IsNull());
    EXPECT_FALSE(bool(none));
    EXPECT_EQ(none.NodeName(), String());
    EXPECT_EQ(none.Text(), String());
    EXPECT_TRUE(none.ChildNodes().empty());
    EXPECT_FALSE(none.HasAttribute(QStringLiteral("a")));
    EXPECT_EQ(none.Attribute(QStringLiteral("a")), String());
    EXPECT_EQ(none.AttributeOr(QStringLiteral("a"), QStringLiteral("def")), QStringLiteral("def"));

    TXMLNode root = doc.CreateRoot(QStringLiteral("r"));
    for (const char* bad : {"", "a b", "1a", "a<b", "a=b", "a/b", "-a"}) {
        EXPECT_THROW(root.AddChild(QString::fromLatin1(bad)), EXMLDocError) << bad;
        EXPECT_THROW(root.SetAttribute(QString::fromLatin1(bad), QStringLiteral("v")), EXMLDocError) << bad;
    }
    EXPECT_NO_THROW(root.AddChild(QStringLiteral("SNMP_Manager_IP1")));
    EXPECT_NO_THROW(root.AddChild(QStringLiteral("x-y.z")));

    TXMLNode writable = none;
    EXPECT_THROW(writable.SetText(QStringLiteral("v")), EXMLDocError);
    EXPECT_THROW(writable.SetAttribute(QStringLiteral("a"), QStringLiteral("v")), EXMLDocError);
    EXPECT_THROW(writable.AddChild(QStringLiteral("c")), EXMLDocError);
}

TEST(Xml, MissingAttributesTakeTheDefaultEmptyOnesDoNot)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<r><row Enable=\"\" Name=\"  padded  \" Mode='set' Community_String=\"a&amp;b&quot;&lt;\"/></r>"));
    const TXMLNode row = doc.DocumentElement().ChildNode(QStringLiteral("row"));
    const struct {
        const char* name;
        bool present;
        const char* value;
    } cases[] = {
        {"Enable", true, ""},
        {"Name", true, "  padded  "},
        {"Mode", true, "set"},
        {"Community_String", true, "a&b\"<"},
        {"OID", false, "dflt"},
        {"enable", false, "dflt"}, // names are exact
    };
    for (const auto& c : cases) {
        const String name = QString::fromLatin1(c.name);
        EXPECT_EQ(row.HasAttribute(name), c.present) << c.name;
        EXPECT_EQ(row.AttributeOr(name, QStringLiteral("dflt")), QString::fromLatin1(c.value)) << c.name;
        EXPECT_EQ(row.Attribute(name), c.present ? QString::fromLatin1(c.value) : String()) << c.name;
    }
}

TEST(Xml, TextKeepsItsBlanks)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<r><a>  </a><b> 1</b><c/><d></d><e>x\ny</e><f>\u00E8&#x20AC;</f></r>"));
    const TXMLNode r = doc.DocumentElement();
    EXPECT_EQ(r.ChildNode(QStringLiteral("a")).Text(), QStringLiteral("  "));
    EXPECT_EQ(r.ChildNode(QStringLiteral("b")).Text(), QStringLiteral(" 1"));
    EXPECT_EQ(r.ChildNode(QStringLiteral("c")).Text(), String());
    EXPECT_EQ(r.ChildNode(QStringLiteral("d")).Text(), String());
    EXPECT_EQ(r.ChildNode(QStringLiteral("e")).Text(), QStringLiteral("x\ny"));
    EXPECT_EQ(r.ChildNode(QStringLiteral("f")).Text(), QStringLiteral("\u00E8\u20AC"));
}

TEST(Xml, ReadsTheEncodingsWindowsProgramsWrite)
{
    const String expected = QStringLiteral("Fran\u00E7ais \u20AC");
    const QByteArray utf8Body = "<l>Fran\xC3\xA7" "ais \xE2\x82\xAC</l>";
    auto utf16 = [](const String& text, bool bigEndian) {
        QByteArray out = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        for (QChar c : text) {
            const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
            out += bigEndian ? hi : lo;
            out += bigEndian ? lo : hi;
        }
        return out;
    };
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", utf8Body},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8Body},
        {"UTF-8 declared", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + utf8Body},
        {"UTF-16 LE", utf16(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><l>") + expected + QStringLiteral("</l>"), false)},
        {"UTF-16 BE", utf16(QStringLiteral("<l>") + expected + QStringLiteral("</l>"), true)},
        {"ISO-8859-1 declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><l>Fran\xE7" "ais \x80</l>"},
        {"windows-1252 declared", "<?xml version='1.0' encoding='windows-1252'?>\r\n<l>Fran\xE7" "ais \x80</l>"},
    };
    for (const auto& c : cases) {
        TXMLDocument doc;
        ASSERT_NO_THROW(doc.LoadFromBytes(c.bytes)) << c.what;
        EXPECT_EQ(doc.DocumentElement().Text(), expected) << c.what;
    }
}

TEST(Xml, WrittenBytesHaveTheFixedLayout)
{
    TXMLDocument doc;
    TXMLNode root = doc.CreateRoot(QStringLiteral("Par_Gen"));
    doc.AddDocumentComment(QStringLiteral("SW_VERSION = 1.000"));
    root.AddChild(QStringLiteral("SNMP_Manager_IP1")).SetText(QStringLiteral("192"));
    root.AddChild(QStringLiteral("SNMP_Name_of_Station")).SetText(QStringLiteral(" a<b & \u00E8 "));
    root.AddChild(QStringLiteral("Empty")).SetText(String());
    TXMLNode section = root.AddChild(QStringLiteral("Section"));
    TXMLNode row = section.AddChild(QStringLiteral("row"));
    row.SetAttribute(QStringLiteral("Enable"), QStringLiteral("Y"));
    row.SetAttribute(QStringLiteral("Text"), QStringLiteral("say \"hi\""));
    row.SetAttribute(QStringLiteral("Enable"), QStringLiteral("N")); // replaced in place

    const QByteArray expected = "<Par_Gen>\n"
                                "  <SNMP_Manager_IP1>192</SNMP_Manager_IP1>\n"
                                "  <SNMP_Name_of_Station> a&lt;b &amp; \xC3\xA8 </SNMP_Name_of_Station>\n"
                                "  <Empty />\n"
                                "  <Section>\n"
                                "    <row Enable=\"N\" Text=\"say &quot;hi&quot;\" />\n"
                                "  </Section>\n"
                                "</Par_Gen>\n"
                                "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(doc.SaveToBytes(), expected);
    EXPECT_EQ(doc.SaveToString(), QString::fromUtf8(expected));

    TempFolder tmp;
    doc.SaveToFile(tmp.File(QStringLiteral("ParGen.xml")));
    EXPECT_EQ(tmp.Read(QStringLiteral("ParGen.xml")), expected) << "no mark, no declaration, LF only";
}

TEST(Xml, ValuesSurviveASaveAndLoad)
{
    const String values[] = {
        QStringLiteral(""), QStringLiteral("  "), QStringLiteral(" lead and trail "), QStringLiteral("line\nbreak"),
        QStringLiteral("cr\rlf\r\n"), QStringLiteral("tab\there"), QStringLiteral("<>&\"'"), QStringLiteral("]]>"),
        QStringLiteral("\u00B6\u20AC\u4E2D\U0001F600"), QStringLiteral("-->"),
        // Allowed though odd: DEL and C1 controls, noncharacters other than U+FFFE and U+FFFF.
        QStringLiteral("\u007F\u0085\u009F"), QStringLiteral("\uFDD0\uFFFD\U0001FFFE\U0010FFFF"),
        // A leading U+FEFF belongs to the value; it is no byte-order mark there.
        QStringLiteral("\uFEFF"), QStringLiteral("\uFEFFpump"),
    };
    TXMLDocument doc;
    TXMLNode root = doc.CreateRoot(QStringLiteral("r"));
    for (const String& v : values) {
        TXMLNode e = root.AddChild(QStringLiteral("e"));
        e.SetText(v);
        e.SetAttribute(QStringLiteral("a"), v);
    }
    TXMLDocument back;
    back.LoadFromBytes(doc.SaveToBytes());
    const auto kids = back.DocumentElement().ChildNodes();
    ASSERT_EQ(kids.size(), std::size(values));
    for (std::size_t i = 0; i < kids.size(); ++i) {
        EXPECT_EQ(kids[i].Text(), values[i]) << i;
        EXPECT_EQ(kids[i].Attribute(QStringLiteral("a")), values[i]) << i;
    }
}

TEST(Xml, ClearAndRebuildAsTheWritersDo)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><!--before--><old><x/></old>"));
    EXPECT_THROW(doc.CreateRoot(QStringLiteral("second")), EXMLDocError);
    doc.SetActive(false);
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    doc.SetActive(true);
    doc.CreateRoot(QStringLiteral("Conf_Settings")).AddChild(QStringLiteral("lastlang")).AddChild(QStringLiteral("language")).SetText(QStringLiteral("English"));
    EXPECT_EQ(doc.SaveToBytes(), QByteArray("<Conf_Settings>\n  <lastlang>\n    <language>English</language>\n  </lastlang>\n</Conf_Settings>\n"));

    // A loaded file's declaration is not written back: the output is UTF-8 and starts with the root.
    doc.LoadFromString(QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\u00E8</r>"));
    EXPECT_EQ(doc.SaveToBytes(), QByteArray("<r>\xC3\xA8</r>\n"));
    doc.LoadFromString(QStringLiteral("<!--before--><?pi?><r/><!--after-->"));
    EXPECT_EQ(doc.SaveToBytes(), QByteArray("<r />\n<!--after-->\n"));

    // SetText replaces what the element held.
    doc.LoadFromString(QStringLiteral("<r><a>old<b/>more</a></r>"));
    TXMLNode a = doc.DocumentElement().ChildNode(QStringLiteral("a"));
    a.SetText(QStringLiteral("new"));
    EXPECT_EQ(a.Text(), QStringLiteral("new"));
    EXPECT_TRUE(a.ChildNodes().empty());
}

TEST(Xml, FailedSaveRaisesAndKeepsTheOldFile)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("ro/ParGen.xml"), "<old/>");
    QFile::setPermissions(tmp.File(QStringLiteral("ro/ParGen.xml")), QFileDevice::ReadOwner);
    tmp.Write(QStringLiteral("dir/ParGen.xml/x"), "");

    TXMLDocument doc;
    doc.CreateRoot(QStringLiteral("Par_Gen"));
    for (const String& path : {tmp.File(QStringLiteral("gone/ParGen.xml")), tmp.File(QStringLiteral("ro/ParGen.xml")),
                               tmp.File(QStringLiteral("dir/ParGen.xml"))}) {
        try {
            doc.SaveToFile(path);
            ADD_FAILURE() << "saved " << path.toStdString();
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
        }
    }
    EXPECT_EQ(tmp.Read(QStringLiteral("ro/ParGen.xml")), "<old/>");
    EXPECT_FALSE(DirectoryExists(tmp.File(QStringLiteral("gone"))));
}

// A character XML cannot hold would make the file unreadable (the reader
// refuses it even as a character reference) or, a NUL, cut the text short:
// the document refuses it where it comes in, before any file is touched.
TEST(Xml, WriterRefusesWhatTheReaderRefusesAndTheOldFileStaysWhole)
{
    TempFolder tmp;
    const QByteArray old = "<SNMP_Agent_Access>\n  <row Mnemonic=\"pump1\" />\n</SNMP_Agent_Access>\n";
    tmp.Write(QStringLiteral("SNMP_Manager.xml"), old);
    const String path = tmp.File(QStringLiteral("SNMP_Manager.xml"));

    const String bad[] = {
        QString(QChar(0)), QStringLiteral("\u0001"), QStringLiteral("\u0008"), QStringLiteral("\u000B"),
        QStringLiteral("\u001F"), QStringLiteral("\uFFFE"), QStringLiteral("\uFFFF"), QString(QChar(char16_t(0xD800))),
        QString(QChar(char16_t(0xDC00))),
    };
    const auto Q = [](const char* s) { return QString::fromLatin1(s); };
    using TWrite = std::function<void(TXMLDocument&, const String&)>;
    const struct {
        const char* Where;
        bool NamesTheCharacter;
        TWrite Write;
    } writes[] = {
        {"attribute value", true,
         [&](TXMLDocument& d, const String& c) {
             d.CreateRoot(Q("r")).AddChild(Q("row")).SetAttribute(Q("Mnemonic"), Q("pump") + c + Q("1"));
         }},
        {"element text", true, [&](TXMLDocument& d, const String& c) { d.CreateRoot(Q("r")).SetText(Q("pump") + c); }},
        {"comment", true,
         [&](TXMLDocument& d, const String& c) {
             d.CreateRoot(Q("r"));
             d.AddDocumentComment(Q("SW_VERSION = ") + c);
         }},
        {"element name", false, [&](TXMLDocument& d, const String& c) { d.CreateRoot(Q("r")).AddChild(Q("row") + c); }},
        {"attribute name", false,
         [&](TXMLDocument& d, const String& c) { d.CreateRoot(Q("r")).SetAttribute(Q("a") + c, Q("x")); }},
    };
    for (const String& c : bad)
        for (const auto& w : writes) {
            const std::string what = std::string(w.Where) + " with " + CharCodeName(c, 0).toStdString();
            TXMLDocument doc;
            try {
                w.Write(doc, c);
                doc.SaveToFile(path);
                ADD_FAILURE() << "written: " << what;
            } catch (const EXMLDocError& e) {
                if (w.NamesTheCharacter) {
                    EXPECT_TRUE(e.Message().contains(CharCodeName(c, 0))) << e.Message().toStdString();
                }
            }
            EXPECT_EQ(tmp.Read(QStringLiteral("SNMP_Manager.xml")), old) << what;
        }

    // A comment ends at its first "--"; one ending in "-" runs into the close.
    for (const char* comment : {"a--b", "a-", "--"}) {
        TXMLDocument doc;
        doc.CreateRoot(Q("r"));
        EXPECT_THROW(doc.AddDocumentComment(Q(comment)), EXMLDocError) << comment;
    }
    TXMLDocument doc;
    doc.CreateRoot(Q("r")).SetAttribute(Q("Mnemonic"), QStringLiteral("pump\t1\n\U0001F600\u00E8"));
    doc.AddDocumentComment(Q("SW_VERSION = 1.000 - a-b"));
    doc.SaveToFile(path);
    TXMLDocument back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement().Attribute(Q("Mnemonic")), QStringLiteral("pump\t1\n\U0001F600\u00E8"));
}

TEST(Xml, DocumentIsAnOwnedComponent)
{
    TComponent form(nullptr);
    auto* xml = new TXMLDocument(&form);
    xml->SetName(QStringLiteral("XML1"));
    EXPECT_EQ(form.FindComponent(QStringLiteral("XML1")), xml);
    xml->CreateRoot(QStringLiteral("r"));
    // The form deletes it; a leak or double delete shows under the sanitizers.
}

} // namespace
