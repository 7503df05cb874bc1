// A model of the show: a transform, its meshes and materials, and the state of the 3DS loader
// that fills them (the loader's handlers are members and live in model3ds/, one file each).
// Drawing multiplies the transform into the current matrix and never pushes or pops it.
#pragma once

#include <cstdint>

#include "model3ds/ChunkHeader.h"
#include "platform/MappedFile.h"
#include "scene/Point3.h"

class Material;
class Mesh;
class NamedList;

class SceneObject {
public:
    SceneObject();
    // Shares the source's lists (nothing is duplicated) and is marked shared.
    SceneObject(const SceneObject& other);
    SceneObject& operator=(const SceneObject&) = delete;
    virtual ~SceneObject();  // destroys the lists' nodes unless shared; never the items

    // Appends the meshes and materials of a binary 3DS file; failures end the load quietly (or
    // with the loader's message box) and keep whatever was complete.
    void load(const char* path);
    // The same for a whole file already in memory; bytes must outlive the call only.
    void loadBytes(const unsigned char* bytes, std::uint64_t size);
    void draw(bool applyTransformFirst);
    void applyTransform();
    void setScale(float s);
    // Texture file names in models are looked for under this prefix (with its own separator).
    void setTextureFolder(const char* folder);
    // Destroys every mesh and material in the lists. The show keeps them until it exits; tools
    // and tests that load many files release them with this. Does nothing on a shared copy.
    void destroyItems();

    Point3 position{0.0f, 0.0f, 0.0f};
    Point3 rotation{0.0f, 0.0f, 0.0f};  // degrees about X, then Y, then Z
    Point3 scale{1.0f, 1.0f, 1.0f};
    NamedList* meshes;
    NamedList* materials;
    char textureFolder[256] = {};

    // Loader state; meaningless between loads.
    platform::FileHandle fileHandle = platform::invalidFileHandle;
    platform::MappingHandle mappingHandle = nullptr;
    const unsigned char* view = nullptr;
    const unsigned char* cursor = nullptr;
    std::uint32_t fileSize = 0;
    const unsigned char* viewEnd = nullptr;

    bool shared = false;

    // Why the last load stopped early (its message box text, or what was malformed); null when
    // the last load read the whole file. Only tools look at it.
    const char* loadError = nullptr;

    // Mapped reader.
    bool openMapped(const char* path, platform::FileHandle& file, platform::MappingHandle& mapping,
                    const unsigned char*& mappedView);
    void closeMapped(platform::FileHandle& file, platform::MappingHandle& mapping,
                     const unsigned char*& mappedView);
    bool readByte(std::uint8_t& value);
    bool readU16(std::uint16_t& value);
    bool readU32(std::uint32_t& value);
    bool readFloat(float& value);
    bool readString(char*& text);
    // The same, telling whether characters were dropped to fit the buffer.
    bool readString(char*& text, bool& cut);

    // Chunk walk.
    bool readChunkHeader(ChunkHeader& header);
    ChunkBounds chunkBounds(const ChunkHeader& header);
    bool skipChunk(const ChunkHeader& header);
    // Bytes from cursor to the end of the chunk whose header was read (0 when past it).
    std::uint32_t bytesLeft(const ChunkBounds& bounds) const;

    // Objects and meshes. The list readers take their chunk's header so that counts can be
    // checked against the bytes the chunk really holds before anything is allocated.
    bool readEditorChunk(const ChunkHeader& header);
    bool readNamedObject(const ChunkHeader& header);
    bool readTriangleMesh(const ChunkHeader& header, Mesh* mesh);
    float* readVertexList(const ChunkHeader& header, std::int32_t& count);
    std::uint16_t* readFaceList(const ChunkHeader& header, std::int32_t& count);
    bool readMaterialGroup(const ChunkHeader& header, Mesh* mesh);
    bool readMappingCoords(const ChunkHeader& header, Mesh* mesh);

    // Materials.
    bool readMaterial(const ChunkHeader& header);
    bool readColour(float& r, float& g, float& b);
    bool readPercentage(double& percentage);
    bool readTextureMap(Material* material, const ChunkHeader& header);

private:
    bool readBytes(void* target, std::uint32_t count);
};
