// The loader's byte source: the whole model file mapped read-only and read in place through a
// cursor. No read ever touches a byte at or beyond viewEnd; a read that would is refused.
#include <cstring>

#include "model3ds/CError.h"
#include "platform/LittleEndian.h"
#include "scene/SceneObject.h"

// Strings in the file carry no length; names are kept to 255 characters in a 256-byte buffer.
constexpr std::uint32_t nameBufferSize = 256;

bool SceneObject::openMapped(const char* path, platform::FileHandle& file,
                             platform::MappingHandle& mapping, const unsigned char*& mappedView) {
    if (!path) return false;
    platform::FileHandle openedFile = platform::invalidFileHandle;
    platform::MappingHandle openedMapping = nullptr;
    const unsigned char* openedView = nullptr;
    try {
        openedFile = platform::openFileForMapping(path);
        if (openedFile == platform::invalidFileHandle) throw CError("INVALID_HANDLE_VALUE");
        openedMapping = platform::createReadOnlyMapping(openedFile);
        if (!openedMapping) throw CError("INVALID_MAP");
        openedView = platform::mapReadOnlyView(openedMapping);
        if (!openedView) throw CError();
    } catch (const CError&) {
        closeMapped(openedFile, openedMapping, openedView);
        return false;
    }
    file = openedFile;
    mapping = openedMapping;
    mappedView = openedView;
    return true;
}

void SceneObject::closeMapped(platform::FileHandle& file, platform::MappingHandle& mapping,
                              const unsigned char*& mappedView) {
    if (mappedView) platform::unmapView(mappedView);
    if (mapping) platform::closeMapping(mapping);
    if (file != platform::invalidFileHandle) platform::closeFile(file);
    mappedView = nullptr;
    mapping = nullptr;
    file = platform::invalidFileHandle;
}

bool SceneObject::readBytes(void* target, std::uint32_t count) {
    if (!cursor || cursor >= viewEnd || static_cast<std::size_t>(viewEnd - cursor) < count)
        return false;
    std::memcpy(target, cursor, count);
    cursor += count;
    return true;
}

bool SceneObject::readByte(std::uint8_t& value) {
    return readBytes(&value, 1);
}

bool SceneObject::readU16(std::uint16_t& value) {
    std::uint8_t b[2];
    if (!readBytes(b, 2)) return false;
    value = platform::loadLE16(b);
    return true;
}

bool SceneObject::readU32(std::uint32_t& value) {
    std::uint8_t b[4];
    if (!readBytes(b, 4)) return false;
    value = platform::loadLE32(b);
    return true;
}

bool SceneObject::readFloat(float& value) {
    std::uint8_t b[4];
    if (!readBytes(b, 4)) return false;
    value = platform::loadLEFloat(b);
    return true;
}

bool SceneObject::readString(char*& text) {
    bool cut = false;
    return readString(text, cut);
}

bool SceneObject::readString(char*& text, bool& cut) {
    char* buffer = new char[nameBufferSize];
    std::uint32_t kept = 0;
    cut = false;
    for (;;) {
        std::uint8_t c;
        if (!readByte(c)) {
            delete[] buffer;
            return false;
        }
        if (c == 0) break;
        // Characters past the 255th are consumed and dropped.
        if (kept < nameBufferSize - 1)
            buffer[kept++] = static_cast<char>(c);
        else
            cut = true;
    }
    buffer[kept] = '\0';
    text = buffer;
    return true;
}
