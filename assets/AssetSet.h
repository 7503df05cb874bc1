// Everything data.dat carries, built in memory: the models and path files, their textures, the
// flag's two bitmaps, seq1.dat and musica.mp3, each under the bare name the demo opens.
#pragma once

#include <string>
#include <vector>

#include "archive/ArchiveWriter.h"

// The soundtrack's encoding settings: about 160 kbit/s, and a LAME quality that keeps the whole
// generation well inside the build's time budget.
constexpr int soundtrackKilobits = 160;
constexpr int soundtrackQuality = 7;

// The files under their bare names, in the order they are packed. False with a reason when the MP3
// encoder fails.
bool makeAssetSet(std::vector<ArchiveInput>* files, std::string* error);
// The same without the music, and the music on its own, for tests that cannot wait for it.
std::vector<ArchiveInput> makeAssetsButMusic();
bool makeMusicFile(ArchiveInput* file, std::string* error);
