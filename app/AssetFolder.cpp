// The private asset folder. Unpacking into a folder of our own, rather than straight into the
// shared temporary folder, means nobody else can plant links under the asset names and no stale
// file of an earlier run can keep bytes past an entry's end.
#include "app/AssetFolder.h"

#include "platform/Files.h"

char tempFolder[255];
unsigned tempFolderLength = 0;

namespace {

// Every path is the folder followed by a bare entry name of at most 51 characters.
constexpr unsigned longestEntryName = 51;

}  // namespace

AssetFolder::AssetFolder(const char* archivePath) : archive(archivePath) {
    if (!archive.isValid()) {
        problemText = archive.error();
        return;
    }
    char systemTemp[255];
    if (platform::getTempPath(sizeof systemTemp, systemTemp) == 0) {
        problemText = "The temporary folder cannot be found.";
        return;
    }
    tempFolderLength =
        platform::makePrivateFolder(systemTemp, "orbek42-", sizeof tempFolder, tempFolder);
    if (tempFolderLength == 0) {
        problemText = std::string("Cannot make a folder for the data in ") + systemTemp + ".";
        return;
    }
    made = true;
    if (tempFolderLength + longestEntryName >= 256) {
        problemText = std::string("The temporary folder's path is too long: ") + systemTemp;
        return;
    }
    archive.extractAll(tempFolder);
}

AssetFolder::~AssetFolder() {
    archive.deleteUnpacked();
    if (made) platform::removeFolder(tempFolder);
}
