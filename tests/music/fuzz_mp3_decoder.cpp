// Feeds arbitrary bytes, as a file in memory, through the decode path the player thread uses: open,
// length estimate, decode to the end, and a seek. Must end quickly and cleanly on any input.
#include <cstdint>
#include <vector>

#include "music/libmp3/Mp3Decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Mp3Decoder decoder;
    if (!decoder.openBytes(data, size)) return 0;
    decoder.lengthSeconds();
    std::vector<unsigned char> pcm(16384);
    while (decoder.read(pcm.data(), pcm.size()) > 0) {
    }
    if (decoder.seekMilliseconds(100) >= 0) decoder.read(pcm.data(), pcm.size());
    return 0;
}
