// Feeds arbitrary bytes, as a file in memory, through the decode path the player thread uses: open,
// length estimate, decode to the end, and a seek. Must end quickly and cleanly on any input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mpg123.h>

#include "music/libmp3/Mp3Decoder.h"

// Without a working decoder library every input would be refused and nothing tested: stop instead.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_init() == MPG123_OK ? mpg123_new(nullptr, &error) : nullptr;
    if (handle == nullptr) {
        std::fprintf(stderr, "the decoder library cannot make a decoder\n");
        std::abort();
    }
    mpg123_delete(handle);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static unsigned char pcm[16384];
    Mp3Decoder decoder;
    if (!decoder.openBytes(data, size)) return 0;
    decoder.lengthSeconds();
    while (decoder.read(pcm, sizeof pcm) > 0) {
    }
    if (decoder.seekMilliseconds(100) >= 0) decoder.read(pcm, sizeof pcm);
    return 0;
}
