// This run's asset folder: a private folder made inside the system's temporary folder, which
// becomes tempFolder, marked as in use by a lock file and with data.dat unpacked into it; emptied
// and removed again when its owner goes, so every way out of the program cleans up without a line
// to remember. Folders that killed runs left behind are swept away first.
#pragma once

#include <string>

#include "archive/Archive.h"
#include "platform/Files.h"

extern char tempFolder[255];       // folder of the unpacked assets, with its trailing separator
extern unsigned tempFolderLength;  // its length; writing a NUL here cuts a path back to the folder

class AssetFolder {
public:
    // Opens the archive at archivePath, removes stale folders of earlier runs, makes the folder and
    // unpacks every entry into it. stopRequested (may be null) is asked while unpacking; when it
    // answers true, unpacking stops and the folder is removed.
    explicit AssetFolder(const char* archivePath, Archive::StopRequest stopRequested = nullptr);
    // Deletes every unpacked file and removes the folder.
    ~AssetFolder();

    AssetFolder(const AssetFolder&) = delete;
    AssetFolder& operator=(const AssetFolder&) = delete;

    // True when the folder holds the whole unpacked archive.
    bool ready() const { return problemText.empty(); }
    // Otherwise the message for the user; nothing is left behind then.
    const std::string& problem() const { return problemText; }

private:
    void removeFolder();

    Archive archive;
    platform::FolderLock lock;
    bool made = false;
    std::string problemText;
};
