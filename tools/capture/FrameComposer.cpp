// The box filter. Averaging every rendered pixel of a block with equal weight is the exact area
// filter for an integer factor: no pixel is dropped or counted twice, so edges come out with the
// share of the pixel they cover.
#include "tools/capture/FrameComposer.h"

#include <algorithm>
#include <cstring>

FrameComposer::FrameComposer(const FrameLayout& layout)
    : layout(layout), sums(static_cast<std::size_t>(layout.pictureWidth) * 3) {
    const unsigned block = static_cast<unsigned>(layout.supersample * layout.supersample);
    average.resize(255 * block + 1);
    for (unsigned sum = 0; sum < average.size(); ++sum)
        average[sum] = static_cast<unsigned char>((sum + block / 2) / block);
}

void FrameComposer::compose(const unsigned char* renderedBgra,
                            std::vector<unsigned char>* frameRgb) {
    const FrameLayout& l = layout;
    const std::size_t frameRow = static_cast<std::size_t>(l.frameWidth) * 3;
    const std::size_t renderedRow = static_cast<std::size_t>(l.renderWidth()) * 4;
    const int n = l.supersample;
    if (frameRgb->size() != frameRow * l.frameHeight || !barsDrawn) {
        // The bars never change: they are blacked out once, the picture overwritten every frame.
        frameRgb->assign(frameRow * l.frameHeight, 0);
        barsDrawn = true;
    }
    for (int y = 0; y < l.pictureHeight; ++y) {
        // Frame rows run top down, rendered rows bottom up.
        const int firstRendered = (l.pictureHeight - 1 - y) * n;
        unsigned char* out = frameRgb->data() + (l.top + y) * frameRow + l.left * 3;
        if (n == 1) {
            const unsigned char* in = renderedBgra + firstRendered * renderedRow;
            for (int x = 0; x < l.pictureWidth; ++x, in += 4, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            continue;
        }
        std::fill(sums.begin(), sums.end(), 0u);
        for (int row = 0; row < n; ++row) {
            const unsigned char* in = renderedBgra + (firstRendered + row) * renderedRow;
            unsigned* sum = sums.data();
            for (int x = 0; x < l.pictureWidth; ++x, sum += 3) {
                unsigned blue = 0, green = 0, red = 0;
                for (int column = 0; column < n; ++column, in += 4) {
                    blue += in[0];
                    green += in[1];
                    red += in[2];
                }
                sum[0] += red;
                sum[1] += green;
                sum[2] += blue;
            }
        }
        for (std::size_t i = 0; i < sums.size(); ++i) out[i] = average[sums[i]];
    }
}
