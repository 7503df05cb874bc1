// The private asset folder. Unpacking into a folder of our own, rather than straight into the
// shared temporary folder, means nobody else can plant links under the asset names and no stale
// file of an earlier run can keep bytes past an entry's end. A show with an entry missing is not
// the show: any entry that is not unpacked fails the run before a window opens.
#include "app/AssetFolder.h"

char tempFolder[255];
unsigned tempFolderLength = 0;

namespace {

// Every path is the folder followed by a bare entry name of at most 51 characters.
constexpr unsigned longestEntryName = 51;
constexpr char folderPrefix[] = "orbek42-";
// Entry names may never hold "..", so no unpacked file can take the lock file's place.
constexpr char lockFileName[] = "orbek42..lock";
// A damaged archive can fail every one of thousands of entries; the message names the first few.
constexpr std::size_t problemsNamed = 10;

std::string unpackingProblem(const char* archivePath, const Archive& archive) {
    const unsigned missing = archive.skippedCount() + archive.failedCount();
    std::string text = std::string("The archive \"") + archivePath +
                       "\" could not be unpacked: " + std::to_string(missing) + " of " +
                       std::to_string(archive.count()) + " entries were not unpacked.";
    const std::vector<std::string>& lines = archive.problems();
    for (std::size_t i = 0; i < lines.size() && i < problemsNamed; ++i) text += "\n" + lines[i];
    if (lines.size() > problemsNamed)
        text += "\n(and " + std::to_string(lines.size() - problemsNamed) + " more)";
    return text;
}

}  // namespace

AssetFolder::AssetFolder(const char* archivePath, Archive::StopRequest stopRequested)
    : archive(archivePath) {
    if (!archive.isValid()) {
        problemText = archive.error();
        return;
    }
    char systemTemp[255];
    if (platform::getTempPath(sizeof systemTemp, systemTemp) == 0) {
        problemText = "The temporary folder cannot be found.";
        return;
    }
    platform::removeStaleFolders(systemTemp, folderPrefix, lockFileName);
    tempFolderLength =
        platform::makePrivateFolder(systemTemp, folderPrefix, sizeof tempFolder, tempFolder);
    if (tempFolderLength == 0) {
        problemText = std::string("Cannot make a folder for the data in ") + systemTemp + ".";
        return;
    }
    made = true;
    if (tempFolderLength + longestEntryName >= 256) {
        problemText = std::string("The temporary folder's path is too long: ") + systemTemp;
        removeFolder();
        return;
    }
    // A folder that cannot be locked is only never recognised by a later sweep; the run goes on.
    lock.acquire(tempFolder, lockFileName);
    archive.extractAll(tempFolder, stopRequested);
    if (archive.stopped()) {
        problemText = "Unpacking the archive was stopped.";
    } else if (archive.skippedCount() + archive.failedCount() > 0) {
        problemText = unpackingProblem(archivePath, archive);
    }
    if (!problemText.empty()) removeFolder();
}

AssetFolder::~AssetFolder() {
    removeFolder();
}

void AssetFolder::removeFolder() {
    archive.deleteUnpacked();
    lock.release();
    if (made) platform::removeFolder(tempFolder);
    made = false;
}
