// Everything data.dat carries, built in memory: the models and path files, their textures, the
// flag's two bitmaps, seq1.dat and musica.mp3, each under the bare name the demo opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AssetFile {
    std::string name;
    std::vector<std::uint8_t> data;
};

// The soundtrack's encoding settings: about 160 kbit/s, and a LAME quality that keeps the whole
// generation well inside the build's time budget.
constexpr int soundtrackKilobits = 160;
constexpr int soundtrackQuality = 7;

// The files in the order they are packed. False with a reason when the MP3 encoder fails.
bool makeAssetSet(std::vector<AssetFile>* files, std::string* error);
// The pieces on their own, for tests that need one of them without the cost of the music.
std::vector<AssetFile> makeModelFiles();
std::vector<AssetFile> makeTextureFiles();
bool makeMusicFile(AssetFile* file, std::string* error);
