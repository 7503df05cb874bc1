// Entry point: the archive is unpacked into a private folder made for this run inside the system's
// temporary folder (nobody else can plant files there, and nothing stale survives), and the folder
// is removed with everything in it on every way out.
#include "app/WinMain.h"

#include <string>

#include "app/Demo.h"
#include "app/GLWindow.h"
#include "archive/Archive.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

char tempFolder[255];
unsigned tempFolderLength = 0;

namespace {

// The longest name appended to the folder is 13 characters; keep room for any entry name.
constexpr unsigned longestAssetName = 51;

int failBeforeWindow(const std::string& message) {
    platform::messageBox(nullptr, message.c_str(), "ERROR", platform::mbOk | platform::mbIconStop);
    return 1;
}

}  // namespace

int winMain() {
    fullscreen = true;
    if (!platform::initialise()) return failBeforeWindow("The system's event queue cannot be started.");

    char systemTemp[255];
    if (platform::getTempPath(sizeof systemTemp, systemTemp) == 0)
        return failBeforeWindow("The temporary folder cannot be found.");

    Archive archive("data.dat");
    if (!archive.isValid()) return failBeforeWindow(archive.error());

    tempFolderLength = platform::makePrivateFolder(systemTemp, "orbek42-", sizeof tempFolder, tempFolder);
    if (tempFolderLength == 0 || tempFolderLength + longestAssetName >= 256)
        return failBeforeWindow(std::string("Cannot make a folder for the data in ") + systemTemp);
    archive.extractAll(tempFolder);

    int exitCode = 0;
    if (createGLWindow("ORBEK42 MARLWIGHT <-> TOLVAN 11", 640, 480, 16, fullscreen)) {
        std::uintptr_t lastWParam = runMainLoop();
        shutdownDemo();
        killGLWindow();
        exitCode = static_cast<int>(lastWParam);
    }
    archive.deleteUnpacked();
    platform::removeFolder(tempFolder);
    return exitCode;
}
