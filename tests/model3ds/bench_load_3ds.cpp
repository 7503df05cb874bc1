// Loading one large model (over 200,000 triangles, written by our writer) with the show's mapped
// loader and with lib3ds, in the same run. Both load from the same file in the page cache.
#include <benchmark/benchmark.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cstdio>

#include "GridModel.h"
#include "ModelFiles.h"

namespace {

const std::string& largeModel() {
    static const std::string path = [] {
        write3ds::Model model;
        write3ds::MaterialDesc grey;
        grey.name = "Grey";
        grey.diffuse = {0.5f, 0.5f, 0.5f};
        model.materials.push_back(grey);
        // Four meshes of 180 x 180 vertices: 4 x 64,082 = 256,328 triangles.
        for (int i = 0; i < 4; ++i)
            model.meshes.push_back(
                models::gridMesh("Grid" + std::to_string(i), 180, static_cast<float>(i), "Grey"));
        const std::string p = models::scratchPath("bench-large.3ds");
        write3ds::writeFile(p, model);
        return p;
    }();
    return path;
}

void ourLoader(benchmark::State& state) {
    const std::string& path = largeModel();
    long triangles = 0;
    for (auto _ : state) {
        SceneObject object;
        object.load(path.c_str());
        triangles = 0;
        for (void* m = object.meshes->first(); m; m = object.meshes->next())
            triangles += static_cast<Mesh*>(m)->faceCount;
        object.destroyItems();
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}

void lib3dsLoader(benchmark::State& state) {
    const std::string& path = largeModel();
    long triangles = 0;
    for (auto _ : state) {
        Lib3dsFile* file = lib3ds_file_load(path.c_str());
        triangles = 0;
        if (file)
            for (Lib3dsMesh* m = file->meshes; m; m = m->next)
                triangles += static_cast<long>(m->faces);
        lib3ds_file_free(file);
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}

}  // namespace

BENCHMARK(ourLoader)->Unit(benchmark::kMillisecond);
BENCHMARK(lib3dsLoader)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(largeModel().c_str());
    return 0;
}
