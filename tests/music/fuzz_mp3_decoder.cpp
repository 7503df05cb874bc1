// Feeds arbitrary bytes, as a file, through the decode path the player thread uses: open, length
// estimate, decode to the end, and a seek. Must end quickly and cleanly on any input.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "music/libmp3/Mp3Decoder.h"

namespace {

// One file per fuzzing process, removed when the process exits.
struct ScratchFile {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("orbek-fuzz-mp3-" + std::to_string(std::random_device{}())))
                           .string();
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::string& scratchFile() {
    static const ScratchFile file;
    return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Mp3Decoder decoder;
    if (!decoder.open(scratchFile().c_str())) return 0;
    decoder.lengthSeconds();
    std::vector<unsigned char> pcm(16384);
    while (decoder.read(pcm.data(), pcm.size()) > 0) {
    }
    if (decoder.seekMilliseconds(100) >= 0) decoder.read(pcm.data(), pcm.size());
    return 0;
}
