// This run's asset folder: data.dat unpacked into a private folder made inside the system's
// temporary folder, which becomes tempFolder; and all of it removed again on the way out.
#pragma once

#include <string>

class Archive;

extern char tempFolder[255];       // folder of the unpacked assets, with its trailing separator
extern unsigned tempFolderLength;  // its length; writing a NUL here cuts a path back to the folder

// Makes the folder and unpacks every sound entry into it. Empty on success, otherwise the
// message for the user (and nothing is left behind).
std::string unpackAssets(Archive& archive);

// Deletes every unpacked file and the folder itself.
void removeAssets(Archive& archive);
