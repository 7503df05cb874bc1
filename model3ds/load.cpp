// The 3DS load: map the file and read it in place, checking the first chunk and walking the top
// level to the end of the bytes; the mapping goes on every way out. Nothing it meets escapes: a
// bad chunk ends the load with what was done.
#include "model3ds/CError.h"
#include "platform/MessageBox.h"
#include "scene/SceneObject.h"

namespace {
const char* const openFailed = "Error En Obrir l'Arxiu";
const char* const notBinary3ds = "El fitxer no es un fitxer Binary 3DS";

// Unmaps and closes whatever the load opened, on every way out of it.
struct MappingCloser {
    SceneObject& object;
    ~MappingCloser() { object.closeMapped(object.fileHandle, object.mappingHandle, object.view); }
};

}  // namespace

void SceneObject::load(const char* path) {
    loadError = nullptr;
    const MappingCloser closer{*this};
    if (!openMapped(path, fileHandle, mappingHandle, view)) {
        platform::messageBox(nullptr, openFailed, "ERROR", platform::mbIconWarning);
        loadError = openFailed;
        return;
    }
    loadBytes(view, platform::fileSize(fileHandle));
}

void SceneObject::loadBytes(const unsigned char* bytes, std::uint64_t size) {
    loadError = nullptr;
    cursor = bytes;
    fileSize = static_cast<std::uint32_t>(size);
    viewEnd = bytes + fileSize;

    ChunkHeader header;
    if (!readChunkHeader(header)) {
        loadError = "the file is shorter than its first chunk";
        return;
    }
    if (header.id != chunk::main && header.id != chunk::materialLibrary) {
        platform::messageBox(nullptr, notBinary3ds, "ERROR", platform::mbIconWarning);
        loadError = notBinary3ds;
        return;
    }

    try {
        // The walk runs to the end of the file, not of the first chunk: whatever follows a short
        // main chunk is read as top-level chunks.
        while (cursor < viewEnd) {
            if (!readChunkHeader(header)) throw CError("a chunk runs past the end of the file");
            bool ok = true;
            switch (header.id) {
                case chunk::version: {
                    std::uint32_t version;
                    ok = readU32(version);
                    break;
                }
                case chunk::editor:
                    ok = readEditorChunk(header);
                    break;
                case chunk::keyFramer:
                    // Entered: its children come next and are each skipped by this same loop.
                    break;
                default:
                    ok = skipChunk(header);
                    break;
            }
            if (!ok) throw CError("a malformed chunk");
        }
    } catch (const CError& error) {
        loadError = error.message;
    }
}
