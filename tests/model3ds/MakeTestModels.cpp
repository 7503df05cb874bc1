// Writes the models that model-info is compared on with lib3ds's 3dsdump: several meshes and
// materials, a textured one, an empty mesh and a large grid. Usage: make_test_models FOLDER
#include <cstdio>
#include <string>

#include "GridModel.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_test_models FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";

    write3ds::Model several;
    write3ds::MaterialDesc red, wood;
    red.name = "Red";
    red.diffuse = {1, 0, 0};
    red.shininessPercent = 40;
    wood.name = "Wood";
    wood.ambient = {0.3f, 0.2f, 0.1f};
    wood.diffuse = {0.6f, 0.4f, 0.2f};
    wood.specular = {0.9f, 0.9f, 0.9f};
    wood.textureFile = "wood.bmp";
    several.materials = {red, wood};
    several.meshes.push_back(models::gridMesh("Floor", 10, 0.0f, "Wood"));
    several.meshes.push_back(models::gridMesh("Wall", 3, 1.0f, "Red"));
    write3ds::MeshDesc tri;
    tri.name = "Plain";
    tri.vertices = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    tri.faces = {0, 1, 2};
    several.meshes.push_back(tri);
    write3ds::MeshDesc empty;
    empty.name = "Nothing";
    several.meshes.push_back(empty);

    write3ds::Model big;
    big.materials = {red};
    big.meshes.push_back(models::gridMesh("Big", 180, 0.0f, "Red"));
    big.meshes.push_back(models::gridMesh("Small", 2, 5.0f, ""));

    const bool ok = write3ds::writeFile(folder + "several.3ds", several) &&
                    write3ds::writeFile(folder + "big.3ds", big);
    return ok ? 0 : 1;
}
