// This run's asset folder: a private folder made inside the system's temporary folder, which
// becomes tempFolder, with data.dat unpacked into it; emptied and removed again when its owner
// goes, so every way out of the program cleans up without a line to remember.
#pragma once

#include <string>

#include "archive/Archive.h"

extern char tempFolder[255];       // folder of the unpacked assets, with its trailing separator
extern unsigned tempFolderLength;  // its length; writing a NUL here cuts a path back to the folder

class AssetFolder {
public:
    // Opens the archive at archivePath, makes the folder and unpacks every sound entry into it.
    explicit AssetFolder(const char* archivePath);
    // Deletes every unpacked file and removes the folder.
    ~AssetFolder();

    AssetFolder(const AssetFolder&) = delete;
    AssetFolder& operator=(const AssetFolder&) = delete;

    // True when the folder holds the unpacked archive.
    bool ready() const { return problemText.empty(); }
    // Otherwise the message for the user; nothing is left behind then.
    const std::string& problem() const { return problemText; }

private:
    Archive archive;
    bool made = false;
    std::string problemText;
};
