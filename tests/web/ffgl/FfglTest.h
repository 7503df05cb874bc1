// What the GL layer's tests share, run inside the browser page: renders into the 128 x 128
// canvas read back as images, the WebGL draws and uploads a piece of drawing costs, the
// desktop's pictures, and keeping renders for the driver to write as PNG files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/GL.h"

constexpr int canvasSize = 128;

struct Image {
    std::vector<std::uint8_t> rgba;  // rows bottom first, as glReadPixels gives them

    std::uint32_t at(int x, int y) const;  // 0xRRGGBB
    int litPixels() const;                 // pixels that are not black
    int differingPixels(const Image& other) const;
};

// Clears to black with depth 1, sets an orthographic -1..1 view with identity modelview, runs
// draw, and reads the canvas back.
Image render(const std::function<void()>& draw);
// The canvas as it is now.
Image readCanvas();

// What WebGL was asked for while draw ran and the frame was then submitted.
struct WebglWork {
    unsigned long draws;
    unsigned long uploadedBytes;
};
WebglWork webglWorkDuring(const std::function<void()>& draw);
unsigned long drawsDuring(const std::function<void()>& draw);

// The desktop's picture of a reference scene (NAME.rgba, rows top first); empty when the page
// was not given one.
std::vector<std::uint8_t> desktopPicture(const std::string& name);

// Keeps the image for the driver, which writes it as name.png.
void keep(const std::string& name, const Image& image);

// Reads and clears the GL error, so a test starts without one.
void clearGLError();

// Everything glGetFloatv and glIsEnabled answer about the layer's state, in one record.
struct StateRecord {
    std::vector<std::string> names;
    std::vector<float> values;
};
StateRecord recordState();
// The names whose values differ, or an empty string when the records are equal.
std::string stateDifferences(const StateRecord& a, const StateRecord& b);
