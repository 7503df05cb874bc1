// Test helper: writes a 3DS model of one textured triangle whose texture map names any bytes at
// all, as a hostile model file would. Usage: write_textured_model FILE.3ds TEXTURE_NAME
#include <cstdio>

#include "tools/write3ds/Writer3ds.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: write_textured_model FILE.3ds TEXTURE_NAME\n", stderr);
        return 2;
    }
    write3ds::MaterialDesc material;
    material.name = "Hostile";
    material.diffuse = {1, 1, 1};
    material.textureFile = argv[2];
    write3ds::MeshDesc triangle;
    triangle.name = "Triangle";
    triangle.vertices = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    triangle.faces = {0, 1, 2};
    triangle.texCoords = {0, 0, 1, 0, 0, 1};
    triangle.material = material.name;
    write3ds::Model model;
    model.materials = {material};
    model.meshes = {triangle};
    if (!write3ds::writeFile(argv[1], model)) {
        std::fprintf(stderr, "write_textured_model: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
