// Feeds 16-bit samples to LAME in blocks and collects its frames, then flushes. The VBR/info tag
// frame is switched off: LAME would otherwise leave a placeholder frame to be patched afterwards.
#include "assets/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>

namespace {

short toSample(float v) {
    const double scaled = std::lround(std::clamp(static_cast<double>(v), -1.0, 1.0) * 32767.0);
    return static_cast<short>(scaled);
}

}  // namespace

bool encodeMp3(const StereoMix& mix, int kilobitsPerSecond, int quality,
               std::vector<std::uint8_t>* mp3, std::string* error) {
    lame_global_flags* flags = lame_init();
    if (!flags) {
        *error = "the MP3 encoder could not be started";
        return false;
    }
    lame_set_in_samplerate(flags, mix.sampleRate);
    lame_set_out_samplerate(flags, mix.sampleRate);
    lame_set_num_channels(flags, 2);
    lame_set_mode(flags, JOINT_STEREO);
    lame_set_VBR(flags, vbr_off);
    lame_set_brate(flags, kilobitsPerSecond);
    lame_set_quality(flags, quality);
    lame_set_bWriteVbrTag(flags, 0);
    lame_set_write_id3tag_automatic(flags, 0);
    if (lame_init_params(flags) < 0) {
        lame_close(flags);
        *error = "the MP3 encoder refused its settings";
        return false;
    }

    const int block = 1152 * 32;
    std::vector<short> left(block), right(block);
    std::vector<unsigned char> out(static_cast<std::size_t>(block) * 5 / 4 + 7200);
    mp3->clear();
    for (std::size_t at = 0; at < mix.frames(); at += block) {
        const int n = static_cast<int>(std::min<std::size_t>(block, mix.frames() - at));
        for (int i = 0; i < n; ++i) {
            left[i] = toSample(mix.left[at + i]);
            right[i] = toSample(mix.right[at + i]);
        }
        const int written = lame_encode_buffer(flags, left.data(), right.data(), n, out.data(),
                                               static_cast<int>(out.size()));
        if (written < 0) {
            lame_close(flags);
            *error = "the MP3 encoder failed on the samples";
            return false;
        }
        mp3->insert(mp3->end(), out.begin(), out.begin() + written);
    }
    const int flushed = lame_encode_flush(flags, out.data(), static_cast<int>(out.size()));
    lame_close(flags);
    if (flushed < 0) {
        *error = "the MP3 encoder failed to finish";
        return false;
    }
    mp3->insert(mp3->end(), out.begin(), out.begin() + flushed);
    return true;
}
