// The whole-file mapping helper, built on the system steps of MappedFile.h.
#include "platform/MappedFile.h"

namespace platform {

MappedFile::~MappedFile() {
    close();
}

bool MappedFile::open(const char* path) {
    close();
    if (path == nullptr) return false;
    file = openFileForMapping(path);
    if (file == invalidFileHandle) return false;
    mapping = createReadOnlyMapping(file);
    if (mapping != nullptr) view = mapReadOnlyView(mapping);
    if (view == nullptr) {
        close();
        return false;
    }
    byteCount = static_cast<std::size_t>(fileSize(file));
    return true;
}

void MappedFile::close() {
    if (view != nullptr) unmapView(view);
    if (mapping != nullptr) closeMapping(mapping);
    if (file != invalidFileHandle) closeFile(file);
    view = nullptr;
    mapping = nullptr;
    file = invalidFileHandle;
    byteCount = 0;
}

}  // namespace platform
