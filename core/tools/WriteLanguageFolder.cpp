// A build step, not part of the program: writes English.lng and its flag
// into the LANGUAGE folder beside the built program, from the same built-in
// texts and picture the program writes there at start-up when they are
// missing, so the two can never differ.
//   quillmer_language_folder <LANGUAGE folder>

#include "core/ULanguage.h"
#include "platform/Files.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <LANGUAGE folder>\n", argv[0]);
        return 2;
    }
    const String folder = QString::fromLocal8Bit(argv[1]);
    String error;
    try {
        if (!QDir().mkpath(folder)) error = QStringLiteral("Cannot create the folder \"%1\"").arg(folder);
        // The build's files always follow the built-in table.
        else if (Ship_English_Language(folder, true, &error)) return 0;
    } catch (const Exception& e) {
        error = e.Message();
    }
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}
