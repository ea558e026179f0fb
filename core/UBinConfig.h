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
