// model-info: loads a 3DS file with the show's own loader and lists what it kept, one line per
// mesh and per material, in list order. It never opens a window or a GL context, so texture maps
// are reported by file name and not read.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/MessageBox.h"
#include "platform/PrintableText.h"
#include "scene/Material.h"
#include "scene/Mesh.h"
#include "scene/NamedList.h"
#include "scene/SceneObject.h"
#include "scene/Texture.h"

namespace {

const char* const usage =
    "usage: model-info FILE.3ds\n"
    "Loads a binary 3DS file and prints each mesh and material the loader keeps:\n"
    "  mesh NAME vertices=N faces=N texcoords=N material=NAME|-\n"
    "  material NAME ambient=r,g,b diffuse=r,g,b specular=r,g,b shininess=S texture=FILE|-\n"
    "Exits 0 when the whole file was read; otherwise lists what the loader kept, then gives its\n"
    "message on stderr and exits 1.\n";

// Names come from the file: escaped, they cannot drive the terminal.
std::string orDash(const char* text) {
    return text && text[0] ? platform::printableText(text) : "-";
}

void printMesh(const Mesh* mesh) {
    std::printf("mesh %s vertices=%d faces=%d texcoords=%d material=%s\n",
                orDash(mesh->name).c_str(), mesh->vertexCount, mesh->faceCount,
                mesh->texCoords ? mesh->texCoordCount : 0,
                orDash(mesh->material ? mesh->material->name : nullptr).c_str());
}

void printMaterial(const Material* m) {
    const std::string texture = orDash(m->texture ? m->texture->fileName.c_str() : nullptr);
    std::printf(
        "material %s ambient=%g,%g,%g diffuse=%g,%g,%g specular=%g,%g,%g shininess=%g texture=%s\n",
        orDash(m->name).c_str(), m->ambient[0], m->ambient[1], m->ambient[2], m->diffuse[0],
        m->diffuse[1], m->diffuse[2], m->specular[0], m->specular[1], m->specular[2], m->shininess,
        texture.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc != 2) {
        std::fputs(usage, stderr);
        return 2;
    }

    // A tool reports on stderr; the loader's boxes would only wait for a click.
    platform::suppressDialogs();
    SceneObject object;
    object.load(argv[1]);
    for (void* item = object.meshes->first(); item; item = object.meshes->next())
        printMesh(static_cast<const Mesh*>(item));
    for (void* item = object.materials->first(); item; item = object.materials->next())
        printMaterial(static_cast<const Material*>(item));
    object.destroyItems();
    if (object.loadError) {
        std::fflush(stdout);  // the list first, then why it ends there
        std::fprintf(stderr, "model-info: %s: %s\n", argv[1], object.loadError);
        return 1;
    }
    return 0;
}
