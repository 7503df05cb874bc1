// make-assets: builds every asset in code and packs them into the archive named on the command
// line. The build runs it to make data.dat; it reads nothing and downloads nothing.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "archive/ArchiveWriter.h"
#include "assets/AssetSet.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTPUT.dat\n");
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    std::vector<ArchiveInput> files;
    std::string error;
    if (!makeAssetSet(&files, &error)) {
        std::fprintf(stderr, "make-assets: %s\n", error.c_str());
        return 1;
    }
    std::size_t total = 0;
    for (const ArchiveInput& f : files) total += f.data.size();
    if (!writeArchive(argv[1], files, &error)) {
        std::fprintf(stderr, "make-assets: %s\n", error.c_str());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("make-assets: %zu files, %zu bytes of data, written to %s in %.1f s\n",
                files.size(), total, argv[1], seconds);
    return 0;
}
