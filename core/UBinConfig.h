#pragma once
// The two images the external updater writes into the gateway: bank1.bin,
// the 2048-byte parameter block, and bank2.bin, the DALI device flags with
// the SNMP manager request table and its string pool. They are built from
// ParGen.xml, DALI_Access.xml and SNMP_Manager.xml of the open configuration
// and written into its bin folder just before the update dialog opens.
//
// The device reads these bytes as they stand, so the builder never shortens
// a value behind the user's back: whatever does not fit the device's fields
// refuses the build with a message naming the row, and nothing is written.

#include "platform/SysUtils.h"

#include <QByteArray>
#include <QHash>
#include <vector>

// Where the builder reads from. A file that does not exist is no error: its
// part of the images keeps the device's defaults.
struct TBinConfigFiles {
    String ParGen;
    String DALI_Access;
    String SNMP_Manager;
};

struct TBinImages {
    QByteArray Bank1; // always 2048 bytes
    QByteArray Bank2; // 256-byte head and the 65536-byte request table region
};

// The configuration does not fit the device (too many requests, a value the
// record cannot hold, a string pool that overflows). The message is the
// user's, from the text table, and names the row.
class EBinConfigError : public Exception {
public:
    using Exception::Exception;
};

// Builds both images without any window. Raises EBinConfigError as above, and
// Exception (path and reason) for a file that exists but cannot be read or is
// not well-formed XML.
TBinImages Build_Bin_Images(const TBinConfigFiles& files);

// Writes bank1.bin and bank2.bin into `binFolder`, creating the folder when it
// is missing. Each file is replaced atomically, so a failed write leaves the
// previous image whole. On failure returns false with a readable reason.
bool Write_Bin_Images(const TBinImages& images, const String& binFolder, String* error = nullptr);

// The main window's two steps before the update dialog, over the program-wide
// state (File_ParGen, File_DALI_Access, File_SNMP_Manager, Project_Path). Each
// shows its own error box and returns false when it refuses or fails; the
// update then stops. A failed build forgets the previous images, so a save
// that follows it refuses instead of writing stale ones.
bool Build_Bin_Config();
bool Save_Bin_Config();

// The images of the last successful Build_Bin_Config; null when there are none.
const TBinImages* Last_Bin_Images();

// ---- The SNMP manager string pool ----------------------------------------------------
// The request table's editor judges its texts by these same rules, so a table
// that passes the editor's checks always builds.

// Bytes of the pool after the empty text the device keeps in front of it.
inline constexpr int SNMP_Pool_Capacity = 47103;

// A request row counts when its Enable text, trimmed and upper-cased, is "Y".
bool SNMP_Row_Enabled(const String& enable);

// 1, 2 or 3: a version text other than 1 or 2 (a text that is no number
// counts as 1) is version 3.
int SNMP_Version_Number(const String& version);

// Each distinct text once, exact and case-sensitive, its length + 1 bytes.
class TSNMPStringPool {
public:
    // The text's reference (from 1); an equal text added before keeps its own.
    int Add(const String& text);
    // The bytes the texts added so far need.
    int Bytes() const { return FBytes; }
    const std::vector<String>& Texts() const { return FTexts; }

private:
    std::vector<String> FTexts;
    QHash<String, int> FIndex;
    int FBytes = 0;
};

// The texts one enabled row enters into the pool, in the builder's order: the
// OID, then for a version-3 row the user and both pass phrases whatever its
// security level, else the community name.
struct TSNMPPoolRow {
    String Version, OID, Community, User, Auth_Pass, Priv_Pass;
};
std::vector<String> SNMP_Pool_Texts(const TSNMPPoolRow& row);
