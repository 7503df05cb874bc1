// The whole-file mapping helper, built on the system steps of MappedFile.h.
#include "platform/MappedFile.h"

namespace platform {

MappedFile::~MappedFile() {
    close();
}

bool MappedFile::open(const char* path) {
    close();
    if (path == nullptr) return false;
    file_ = openFileForMapping(path);
    if (file_ == invalidFileHandle) return false;
    mapping_ = createReadOnlyMapping(file_);
    if (mapping_ != nullptr) view_ = mapReadOnlyView(mapping_);
    if (view_ == nullptr) {
        close();
        return false;
    }
    size_ = static_cast<std::size_t>(fileSize(file_));
    return true;
}

void MappedFile::close() {
    if (view_ != nullptr) unmapView(view_);
    if (mapping_ != nullptr) closeMapping(mapping_);
    if (file_ != invalidFileHandle) closeFile(file_);
    view_ = nullptr;
    mapping_ = nullptr;
    file_ = invalidFileHandle;
    size_ = 0;
}

}  // namespace platform
