// PNG output of RGB frames for the capture tool and the tests' renders.
#pragma once

#include <string>
#include <vector>

// Writes RGB rows, top row first, as a PNG file. False on failure.
bool savePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
