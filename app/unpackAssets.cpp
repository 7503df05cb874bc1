// The private asset folder. Unpacking into a folder of our own, rather than straight into the
// shared temporary folder, means nobody else can plant links under the asset names and no stale
// file of an earlier run can keep bytes past an entry's end.
#include "app/unpackAssets.h"

#include "archive/Archive.h"
#include "platform/Files.h"

char tempFolder[255];
unsigned tempFolderLength = 0;

namespace {

// Every path is the folder followed by a bare entry name of at most 51 characters.
constexpr unsigned longestEntryName = 51;

}  // namespace

std::string unpackAssets(Archive& archive) {
    char systemTemp[255];
    if (platform::getTempPath(sizeof systemTemp, systemTemp) == 0) return "The temporary folder cannot be found.";
    tempFolderLength = platform::makePrivateFolder(systemTemp, "orbek42-", sizeof tempFolder, tempFolder);
    if (tempFolderLength == 0) return std::string("Cannot make a folder for the data in ") + systemTemp + ".";
    if (tempFolderLength + longestEntryName >= 256) {
        platform::removeFolder(tempFolder);
        return std::string("The temporary folder's path is too long: ") + systemTemp;
    }
    archive.extractAll(tempFolder);
    return std::string();
}

void removeAssets(Archive& archive) {
    archive.deleteUnpacked();
    if (tempFolderLength != 0) platform::removeFolder(tempFolder);
}
