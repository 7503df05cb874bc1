// A small harness for the web GL layer's tests, run inside the browser page: renders into the
// 128 x 128 canvas, reads the pixels back, counts failures and hands renders to the node driver.
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

// The draw calls WebGL made while draw ran, the read-back not included.
unsigned long drawsDuring(const std::function<void()>& draw);

void check(bool passed, const std::string& name, const std::string& detail = "");
// Keeps the image for the driver, which writes it as name.png.
void keep(const std::string& name, const Image& image);

// The test groups, one per file.
void displayListTests();
void quadricTests();
void viewMatrixTests();
void pointGatheringTests();
void stateCallTests();
