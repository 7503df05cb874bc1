// The 6-byte header that opens every 3DS chunk, the bounds worked out from it, and the chunk ids
// the loader acts on. Every id not listed here is stepped over whole.
#pragma once

#include <cstdint>

struct ChunkHeader {
    std::uint16_t id;
    std::uint32_t length;  // the whole chunk, these 6 bytes included
};

// Where a chunk lies in the mapped file; end never lies beyond the end of the file.
struct ChunkBounds {
    const unsigned char* start;
    const unsigned char* end;
};

namespace chunk {

constexpr std::uint32_t headerSize = 6;

constexpr std::uint16_t main = 0x4D4D;
constexpr std::uint16_t materialLibrary = 0x3DAA;
constexpr std::uint16_t version = 0x0002;
constexpr std::uint16_t editor = 0x3D3D;
constexpr std::uint16_t keyFramer = 0xB000;
constexpr std::uint16_t meshVersion = 0x3D3E;
constexpr std::uint16_t masterScale = 0x0100;
constexpr std::uint16_t material = 0xAFFF;
constexpr std::uint16_t namedObject = 0x4000;
constexpr std::uint16_t triangleMesh = 0x4100;
constexpr std::uint16_t vertexList = 0x4110;
constexpr std::uint16_t faceList = 0x4120;
constexpr std::uint16_t materialGroup = 0x4130;
constexpr std::uint16_t mappingCoords = 0x4140;
constexpr std::uint16_t smoothingGroups = 0x4150;
constexpr std::uint16_t localAxes = 0x4160;

constexpr std::uint16_t materialName = 0xA000;
constexpr std::uint16_t ambientColour = 0xA010;
constexpr std::uint16_t diffuseColour = 0xA020;
constexpr std::uint16_t specularColour = 0xA030;
constexpr std::uint16_t shininess = 0xA040;
constexpr std::uint16_t mapFileName = 0xA300;

constexpr std::uint16_t colourFloat = 0x0010;
constexpr std::uint16_t colour24 = 0x0011;
constexpr std::uint16_t linearColour24 = 0x0012;
constexpr std::uint16_t linearColourFloat = 0x0013;
constexpr std::uint16_t percentInt = 0x0030;
constexpr std::uint16_t percentFloat = 0x0031;

// A colour chunk holding a 24-bit colour and its gamma-corrected twin.
constexpr std::uint32_t colourPairLength = 24;

// Every kind of map becomes the material's one texture.
bool isTextureMap(std::uint16_t id);

}  // namespace chunk
