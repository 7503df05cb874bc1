// Procedural textures. Shading is painted into the bitmaps because the demo never enables
// lighting: without it, only the texture tells a cylinder from a flat strip.
#include "assets/TextureMaker.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/AssetRandom.h"
#include "assets/ValueNoise.h"

namespace {

const double pi = 3.14159265358979323846;

double smooth(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

void put(RgbImage& image, int x, int y, Rgb c) {
    image.set(x, y, c.r, c.g, c.b);
}

// An image whose every pixel is colourAt(u, v) at the pixel's centre: u from the left, v from the
// bottom, both 0..1.
template <typename ColourAt>
RgbImage painted(int width, int height, ColourAt colourAt) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        const double v = (y + 0.5) / height;
        for (int x = 0; x < width; ++x) put(image, x, y, colourAt((x + 0.5) / width, v));
    }
    return image;
}

// Light from above on a surface whose normal points round at u (0.25: straight up).
double roundShade(double u) {
    return 0.68 + 0.32 * std::sin(2.0 * pi * u);
}

}  // namespace

RgbImage makeTubeTexture() {
    const ValueNoise grain(11);
    const Rgb steel{0.42, 0.47, 0.55};
    const Rgb seam{0.10, 0.11, 0.14};
    const Rgb amber{1.0, 0.62, 0.08};
    const Rgb dark{0.12, 0.10, 0.08};
    const Rgb lamp{0.75, 0.95, 1.0};
    return painted(256, 256, [&](double u, double v) {
        const double pu = std::fmod(u * 4.0, 1.0);  // four panels across
        const double pv = std::fmod(v * 2.0, 1.0);  // two panel rows along
        // Each panel is lit a little more at its middle, like a slightly bulged plate.
        const double bulge = 0.82 + 0.18 * std::sin(pi * pu) * std::sin(pi * pv);
        const double noise = 0.06 * grain.fractal(u * 24.0, v * 24.0, 0.5, 3);
        Rgb c = scaled(steel, bulge + noise);
        if (pu < 0.025 || pu > 0.975 || pv < 0.02 || pv > 0.98) c = seam;
        // Rivets along the panel edges.
        const double ru = std::fmod(pu * 8.0, 1.0), rv = pv;
        if ((std::abs(ru - 0.5) < 0.12 &&
             (std::abs(rv - 0.06) < 0.012 || std::abs(rv - 0.94) < 0.012)))
            c = scaled(steel, 1.35);
        // The ring band: amber and black chevrons round the whole tube, so motion shows.
        if (v < 0.1) {
            const double stripe = std::fmod(u * 16.0 + v * 10.0, 1.0);
            c = stripe < 0.5 ? amber : dark;
            if (v < 0.008 || v > 0.092) c = seam;
        }
        // Small lamps in the middle of every other panel.
        if (std::abs(pu - 0.5) < 0.035 && std::abs(v - 0.55) < 0.02) c = lamp;
        return c;
    });
}

RgbImage makeEarthTexture() {
    const int width = 512, height = 256;
    RgbImage image(width, height);
    ValueNoise land(2024), dry(77), clouds(505), ice(99);

    // Heights first, so that the sea level can be set at a fixed share of land.
    std::vector<double> heights(static_cast<std::size_t>(width) * height);
    std::vector<double> points(heights.size() * 3);
    for (int y = 0; y < height; ++y) {
        const double lat = ((y + 0.5) / height - 0.5) * pi;
        for (int x = 0; x < width; ++x) {
            const double lon = ((x + 0.5) / width) * 2.0 * pi - pi;
            const double px = std::cos(lat) * std::cos(lon), py = std::cos(lat) * std::sin(lon),
                         pz = std::sin(lat);
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            heights[i] = land.fractal(px * 1.6 + 3.0, py * 1.6, pz * 1.6, 6);
            points[i * 3] = px;
            points[i * 3 + 1] = py;
            points[i * 3 + 2] = pz;
        }
    }
    std::vector<double> sorted = heights;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() * 64 / 100, sorted.end());
    const double seaLevel = sorted[sorted.size() * 64 / 100];

    const Rgb deep{0.02, 0.08, 0.30}, shallow{0.08, 0.33, 0.58};
    const Rgb green{0.16, 0.44, 0.13}, forest{0.08, 0.30, 0.09}, sand{0.78, 0.67, 0.42},
        rock{0.45, 0.38, 0.28}, snow{0.95, 0.97, 1.0};
    for (int y = 0; y < height; ++y) {
        const double latDeg = ((y + 0.5) / height - 0.5) * 180.0;
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            const double px = points[i * 3], py = points[i * 3 + 1], pz = points[i * 3 + 2];
            const double h = heights[i] - seaLevel;
            Rgb c;
            if (h < 0.0) {
                c = mix(deep, shallow, smooth(-0.12, 0.0, h));
            } else {
                const double dryness =
                    dry.fractal(px * 2.5, py * 2.5, pz * 2.5, 4) +
                    0.5 * std::exp(-std::pow((std::abs(latDeg) - 24.0) / 12.0, 2.0));
                c = mix(green, forest, smooth(0.0, 0.3, dry.at(px * 6.0, py * 6.0, pz * 6.0)));
                c = mix(c, sand, smooth(0.25, 0.5, dryness));
                c = mix(c, rock, smooth(0.1, 0.24, h));
                c = mix(c, snow, smooth(0.33, 0.38, h));
            }
            const double capEdge = 66.0 + 6.0 * ice.fractal(px * 4.0, py * 4.0, pz * 4.0, 3);
            if (std::abs(latDeg) > capEdge) c = snow;
            const double cloud =
                smooth(0.25, 0.55, clouds.fractal(px * 3.0, py * 5.0, pz * 3.0, 5));
            c = mix(c, snow, 0.6 * cloud);
            put(image, x, y, c);
        }
    }
    return image;
}

RgbImage makeFlagTexture() {
    const Rgb night{0.05, 0.14, 0.42}, gold{0.98, 0.76, 0.18}, white{0.97, 0.97, 0.95},
        red{0.80, 0.12, 0.12};
    return painted(128, 128, [&](double fromTop, double fromHoist) {
        // A night-blue field, a red stripe at the foot with a gold edge...
        Rgb c = night;
        if (fromTop > 0.80)
            c = red;
        else if (fromTop > 0.74)
            c = gold;
        // ...and a white planet ringed by a gold orbit with a small moon on it.
        const double dx = fromHoist - 0.34, dy = fromTop - 0.38;
        const double r = std::sqrt(dx * dx + dy * dy);
        if (r < 0.13) c = white;
        const double ox = (fromHoist - 0.34) / 1.35, oy = (fromTop - 0.38) / 0.5;
        const double ring = std::sqrt(ox * ox + oy * oy);
        if (std::abs(ring - 0.5) < 0.03 && !(r < 0.15 && dy < 0.0)) c = gold;
        const double mx = fromHoist - 0.62, my = fromTop - 0.24;
        if (mx * mx + my * my < 0.045 * 0.045) c = gold;
        return c;
    });
}

RgbImage makePoleTexture() {
    const int size = 64;
    AssetRandom random(31);
    std::vector<double> streaks(size);  // one per column
    for (double& s : streaks) s = random.range(-0.05, 0.05);
    return painted(size, size, [&](double u, double) {
        const double light = 0.45 + 0.45 * std::exp(-std::pow((u - 0.3) / 0.08, 2.0)) +
                             0.18 * std::exp(-std::pow((u - 0.72) / 0.12, 2.0));
        const double k = light + streaks[static_cast<std::size_t>(u * size)];
        return Rgb{0.82 * k, 0.85 * k, 0.9 * k};
    });
}

RgbImage makePlaneTexture() {
    const Rgb white{0.95, 0.95, 0.97}, belly{0.70, 0.72, 0.76}, stripe{0.08, 0.22, 0.62},
        window{0.10, 0.14, 0.25}, glass{0.05, 0.07, 0.12}, radome{0.30, 0.32, 0.36};
    return painted(256, 256, [&](double u, double v) {
        const double up = std::sin(2.0 * pi * u);  // 1 on top, -1 underneath
        Rgb c = up < -0.55 ? belly : white;
        if (up > -0.22 && up < -0.02 && v > 0.12) c = stripe;
        if (up > 0.12 && up < 0.34 && v > 0.38 && v < 0.74) {
            const double w = std::fmod(v * 48.0, 1.0);
            if (w > 0.3 && w < 0.75) c = window;
        }
        if (v > 0.80 && v < 0.87 && up > 0.25) c = glass;
        if (v > 0.965) c = radome;
        return scaled(c, roundShade(u));
    });
}

RgbImage makeWingTexture() {
    return painted(128, 128, [](double u, double v) {
        const bool upper = v >= 0.5;
        const double chord = upper ? (v - 0.5) * 2.0 : v * 2.0;
        double k = upper ? 0.95 : 0.6;
        k *= 0.9 + 0.1 * chord;  // the leading edge catches a little less light
        if (std::fmod(u * 6.0, 1.0) < 0.04 || std::abs(chord - 0.7) < 0.012)
            k *= 0.75;               // panel lines and the flap hinge
        if (chord < 0.08) k *= 0.8;  // leading-edge strip
        return Rgb{k, k, k * 1.02};
    });
}

RgbImage makeRocketTexture() {
    const Rgb white{0.96, 0.96, 0.96}, red{0.85, 0.10, 0.08}, black{0.08, 0.08, 0.09},
        steel{0.55, 0.57, 0.6};
    return painted(64, 128, [&](double u, double v) {
        Rgb c = white;
        if (v < 0.06)
            c = steel;  // engine bell
        else if (v > 0.2 && v < 0.34)
            c = (std::fmod(u * 4.0, 1.0) < 0.5) == (v < 0.27) ? black : white;  // roll pattern
        else if (v > 0.58 && v < 0.64)
            c = red;
        else if (v > 0.77)
            c = red;  // nose cone
        return scaled(c, roundShade(u));
    });
}
