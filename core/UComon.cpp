#include "core/UComon.h"

#include "platform/Regional.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

TProgramState Program_State;

TStringList Row_Copy;
std::vector<bool> Row_Copy_Is_Check;
TStringList MIB_In_Names;
TStringList MIB_Out_Names;

void Create_Shared_Lists()
{
    Row_Copy.Clear();
    Row_Copy_Is_Check.clear();
    MIB_In_Names.Clear();
    MIB_Out_Names.Clear();
}

void Reset_Program_State()
{
    Program_State = TProgramState{};
    Create_Shared_Lists();
}

namespace {

// A number within lo..hi; texts that are no number never are.
bool In_Range(const String& text, int lo, int hi, int& value)
{
    return TryStrToInt(text, value) && value >= lo && value <= hi;
}

bool In_Range(const String& text, int lo, int hi)
{
    int value = 0;
    return In_Range(text, lo, hi, value);
}

int Check_KNX_Individual(const String& text, bool allow_zero)
{
    if (text.contains(u'/')) return 1;
    const int first = text.indexOf(u'.');
    const String rest = text.mid(first + 1);
    const int second = rest.indexOf(u'.');
    if (second < 0) return 1;
    const String device = Trim(rest.mid(second + 1));
    if (device.contains(u'.')) return 1;
    int area = 0, line = 0, dev = 0;
    if (!In_Range(Trim(text.left(first)), 0, 15, area) || !In_Range(Trim(rest.left(second)), 0, 15, line) ||
        !In_Range(device, 0, 255, dev))
        return 1;
    if (!allow_zero && area == 0 && line == 0 && dev == 0) return 1;
    return 0;
}

int Check_KNX_Group(const String& text)
{
    if (text.contains(u'.')) return 1;
    const int first = text.indexOf(u'/');
    const String main = Trim(text.left(first));
    const String rest = Trim(text.mid(first + 1));
    int mainGroup = 0, middle = 0, sub = 0;
    const int second = rest.indexOf(u'/');
    if (second < 0) {
        if (!In_Range(main, 0, 31, mainGroup) || !In_Range(rest, 0, 2047, sub)) return 1;
        return mainGroup == 0 && sub == 0 ? 1 : 0;
    }
    const String subText = Trim(rest.mid(second + 1));
    if (subText.contains(u'/')) return 1;
    if (!In_Range(main, 0, 31, mainGroup) || !In_Range(Trim(rest.left(second)), 0, 7, middle) ||
        !In_Range(subText, 0, 255, sub))
        return 1;
    return mainGroup == 0 && middle == 0 && sub == 0 ? 1 : 0;
}

void Store_Octet(const String& octet, std::uint8_t& out, bool& error)
{
    int v = 0;
    if (In_Range(octet, 0, 255, v)) {
        out = std::uint8_t(v);
    } else {
        out = 0;
        error = true;
    }
}

bool Is_Ascii_Digit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

int Check_KNX_Address(const String& text, bool is_group, bool allow_zero)
{
    if (!text.contains(u'.') && !text.contains(u'/')) return In_Range(text, 1, 65535) ? 0 : 1;
    return is_group ? Check_KNX_Group(text) : Check_KNX_Individual(text, allow_zero);
}

bool Is_Not_Dotted(const String& text) { return !text.contains(u'.'); }

bool Split_IP_Address(const String& text, String& a, String& b, String& c, String& d)
{
    a.clear();
    b.clear();
    c.clear();
    d.clear();
    String rest = Trim(text);
    for (String* part : {&a, &b, &c}) {
        const int dot = rest.indexOf(u'.');
        if (dot < 0) return false;
        *part = Trim(rest.left(dot));
        rest = Trim(rest.mid(dot + 1));
    }
    d = rest;
    return In_Range(a, 0, 255) && In_Range(b, 0, 255) && In_Range(c, 0, 255) && In_Range(d, 0, 255);
}

bool Check_IP_Port(const String& text, std::uint8_t& b1, std::uint8_t& b2, std::uint8_t& b3, std::uint8_t& b4,
                   std::uint16_t& port)
{
    b1 = b2 = b3 = b4 = 0;
    port = 0;
    if (text.isEmpty() || !text.contains(u'.')) return false;
    int octet[4] = {};
    String rest = text;
    for (int i = 0; i < 3; ++i) {
        const int dot = rest.indexOf(u'.');
        if (dot < 0 || !In_Range(Trim(rest.left(dot)), 0, 255, octet[i])) return false;
        rest = Trim(rest.mid(dot + 1));
    }
    const int colon = rest.indexOf(u':');
    int portValue = 0;
    if (colon < 0 || !In_Range(Trim(rest.left(colon)), 0, 255, octet[3]) ||
        !In_Range(Trim(rest.mid(colon + 1)), 0, 65535, portValue))
        return false;
    b1 = std::uint8_t(octet[0]);
    b2 = std::uint8_t(octet[1]);
    b3 = std::uint8_t(octet[2]);
    b4 = std::uint8_t(octet[3]);
    port = std::uint16_t(portValue);
    return true;
}

bool IP_To_Bytes(const String& text, std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, std::uint8_t& d)
{
    if (text.isEmpty()) return true;
    bool error = false;
    String rest = text;
    for (std::uint8_t* out : {&a, &b, &c}) {
        // A missing point reads as an empty (bad) octet and keeps the rest for
        // the next one, so "1.2" gives 1, 0, 0, 2.
        const int dot = rest.indexOf(u'.');
        String octet;
        if (dot >= 0) {
            octet = rest.left(dot);
            rest = rest.mid(dot + 1);
        }
        Store_Octet(octet, *out, error);
    }
    Store_Octet(rest, d, error);
    return error;
}

int Check_OID(const String& text)
{
    if (text.size() > 128) return 1;
    if (text.isEmpty()) return 2;
    for (QChar ch : text)
        if (!Is_Ascii_Digit(ch) && ch != u'.') return 2;
    if (text.startsWith(u'.')) return 3;
    if (text.endsWith(u'.')) return 4;
    if (text.contains(QStringLiteral(".."))) return 5;
    for (const String& component : text.split(u'.')) {
        // Only digits are left; a component too long for 64 bits fails to read
        // and is above the bound all the same.
        std::int64_t v = 0;
        if (!TryStrToInt64(component, v) || v > OID_Component_Max) return 6;
    }
    return 0;
}

int SNMP_Security_Level_Code(const String& text)
{
    const String t = Trim(text);
    if (t.isEmpty()) return -1;
    if (SameText(t, QStringLiteral("AUTH NOPRIV"))) return 1;
    if (SameText(t, QStringLiteral("AUTH PRIV"))) return 3;
    return 0;
}

int SNMP_Auth_Protocol_Code(const String& text)
{
    const String t = Trim(text);
    if (SameText(t, QStringLiteral("MD5"))) return 1;
    if (SameText(t, QStringLiteral("SHA"))) return 2;
    return 0;
}

int SNMP_Priv_Protocol_Code(const String& text)
{
    const String t = Trim(text);
    if (SameText(t, QStringLiteral("DES"))) return 1;
    if (SameText(t, QStringLiteral("AES"))) return 2;
    return 0;
}

QChar Get_Decimal_Separator()
{
    const String& profile = FormatSettings().ProfileDecimal;
    if (!profile.isEmpty() && (profile[0] == u',' || profile[0] == u'.')) return profile[0];
    return u',';
}

bool Str_To_Single(const String& text, QChar separator, float& value)
{
    String t = text;
    if (separator == u'.')
        t.replace(u',', u'.');
    else
        t.replace(u'.', u',');
    double d = 0;
    if (TryStrToFloat(t, d) && std::isfinite(d) && std::fabs(d) <= double(FLT_MAX)) {
        value = float(d);
        return true;
    }
    value = 1.0f;
    return false;
}

namespace {

struct Serial_Port {
    int kind; // 0 ttyS, 1 ttyUSB: the built-in ports come first
    int number;
    String path;
};

// "ttyS<digits>" or "ttyUSB<digits>", nothing else.
bool Parse_Port_Name(const String& name, int& kind, int& number)
{
    String digits;
    if (name.startsWith(QStringLiteral("ttyUSB"))) {
        kind = 1;
        digits = name.mid(6);
    } else if (name.startsWith(QStringLiteral("ttyS"))) {
        kind = 0;
        digits = name.mid(4);
    } else {
        return false;
    }
    if (digits.isEmpty() || digits.size() > 6) return false;
    for (QChar c : digits)
        if (!Is_Ascii_Digit(c)) return false;
    number = digits.toInt();
    return true;
}

// Present when it opens, or refuses because it is in use or not ours to
// open: a port that is there but taken still belongs in the list.
bool Port_Present(const String& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == EACCES || errno == EBUSY || errno == EPERM;
}

} // namespace

std::unique_ptr<TStringList> Get_COM_Ports_In(const String& deviceFolder)
{
    auto list = std::make_unique<TStringList>();
    const QDir dir(deviceFolder);
    std::vector<Serial_Port> ports;
    const QStringList names = dir.entryList({QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*")},
                                            QDir::Files | QDir::System | QDir::Hidden, QDir::NoSort);
    for (const String& name : names) {
        int kind = 0, number = 0;
        if (Parse_Port_Name(name, kind, number)) ports.push_back({kind, number, dir.filePath(name)});
    }
    std::sort(ports.begin(), ports.end(), [](const Serial_Port& x, const Serial_Port& y) {
        return x.kind != y.kind ? x.kind < y.kind : x.number < y.number;
    });
    for (const Serial_Port& port : ports)
        if (Port_Present(port.path)) list->Add(port.path);
    return list;
}

std::unique_ptr<TStringList> Get_COM_Ports() { return Get_COM_Ports_In(QStringLiteral("/dev")); }
