// The GL layer's test page: makes the WebGL 2 context (not multisampled, so that edges match the
// desktop's), runs the GoogleTest cases, and reports the outcome in document.title ("passed" or
// "failed: N") for the node driver; the cases' lines go to the console.
#include <algorithm>

#include <emscripten.h>
#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"
#include "tests/web/ffgl/ReferenceScenes.h"

std::uint32_t Image::at(int x, int y) const {
    const std::uint8_t* p = &rgba[static_cast<size_t>((y * canvasSize + x) * 4)];
    return (static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
}

int Image::litPixels() const {
    int lit = 0;
    for (int y = 0; y < canvasSize; ++y)
        for (int x = 0; x < canvasSize; ++x) lit += at(x, y) != 0;
    return lit;
}

int Image::differingPixels(const Image& other) const {
    int differing = 0;
    for (int y = 0; y < canvasSize; ++y)
        for (int x = 0; x < canvasSize; ++x) differing += at(x, y) != other.at(x, y);
    return differing;
}

Image render(const std::function<void()>& draw) {
    startTestFrame(canvasSize);
    draw();
    return readCanvas();
}

Image readCanvas() {
    Image image;
    image.rgba.resize(canvasSize * canvasSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, canvasSize, canvasSize, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return image;
}

WebglWork webglWorkDuring(const std::function<void()>& draw) {
    ffglEndFrame();
    const WebglWork before{
        static_cast<unsigned long>(EM_ASM_DOUBLE({ return webglCounts.draws; })),
        static_cast<unsigned long>(EM_ASM_DOUBLE({ return webglCounts.uploadedBytes; }))};
    draw();
    ffglEndFrame();
    const WebglWork after{
        static_cast<unsigned long>(EM_ASM_DOUBLE({ return webglCounts.draws; })),
        static_cast<unsigned long>(EM_ASM_DOUBLE({ return webglCounts.uploadedBytes; }))};
    return WebglWork{after.draws - before.draws, after.uploadedBytes - before.uploadedBytes};
}

unsigned long drawsDuring(const std::function<void()>& draw) {
    return webglWorkDuring(draw).draws;
}

std::vector<std::uint8_t> desktopPicture(const std::string& name) {
    const int size = EM_ASM_INT(
        {
            var picture = Module.references[UTF8ToString($0)];
            return picture ? picture.length : 0;
        },
        name.c_str());
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size));
    if (size > 0)
        EM_ASM({ HEAPU8.set(Module.references[UTF8ToString($0)], $1); }, name.c_str(),
               bytes.data());
    return bytes;
}

void keep(const std::string& name, const Image& image) {
    // Rows top first for the PNG.
    std::vector<std::uint8_t> topFirst(image.rgba.size());
    const size_t row = canvasSize * 4;
    for (int y = 0; y < canvasSize; ++y)
        std::copy(image.rgba.begin() + static_cast<long>(y * row),
                  image.rgba.begin() + static_cast<long>((y + 1) * row),
                  topFirst.begin() + static_cast<long>((canvasSize - 1 - y) * row));
    EM_ASM(
        {
            Module.renders = Module.renders || {};
            Module.renders[UTF8ToString($0)] = Array.from(HEAPU8.subarray($1, $1 + $2));
        },
        name.c_str(), topFirst.data(), topFirst.size());
}

void clearGLError() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

StateRecord recordState() {
    struct Query {
        const char* name;
        GLenum value;
        int count;
    };
    static const Query queries[] = {
        {"modelview", GL_MODELVIEW_MATRIX, 16},
        {"projection", GL_PROJECTION_MATRIX, 16},
        {"matrix mode", GL_MATRIX_MODE, 1},
        {"modelview depth", GL_MODELVIEW_STACK_DEPTH, 1},
        {"projection depth", GL_PROJECTION_STACK_DEPTH, 1},
        {"viewport", GL_VIEWPORT, 4},
        {"scissor box", GL_SCISSOR_BOX, 4},
        {"colour", GL_CURRENT_COLOR, 4},
        {"normal", GL_CURRENT_NORMAL, 3},
        {"texture coordinates", GL_CURRENT_TEXTURE_COORDS, 4},
        {"raster position", GL_CURRENT_RASTER_POSITION, 4},
        {"point size", GL_POINT_SIZE, 1},
        {"clear colour", GL_COLOR_CLEAR_VALUE, 4},
        {"clear depth", GL_DEPTH_CLEAR_VALUE, 1},
        {"depth function", GL_DEPTH_FUNC, 1},
        {"depth mask", GL_DEPTH_WRITEMASK, 1},
        {"blend source", GL_BLEND_SRC, 1},
        {"blend destination", GL_BLEND_DST, 1},
        {"cull face", GL_CULL_FACE_MODE, 1},
        {"front face", GL_FRONT_FACE, 1},
        {"shade model", GL_SHADE_MODEL, 1},
        {"colour material face", GL_COLOR_MATERIAL_FACE, 1},
        {"colour material property", GL_COLOR_MATERIAL_PARAMETER, 1},
        {"bound texture", GL_TEXTURE_BINDING_2D, 1},
        {"list base", GL_LIST_BASE, 1},
        {"attribute stack", GL_ATTRIB_STACK_DEPTH, 1},
        {"unpack alignment", GL_UNPACK_ALIGNMENT, 1},
        {"pack alignment", GL_PACK_ALIGNMENT, 1},
        {"perspective hint", GL_PERSPECTIVE_CORRECTION_HINT, 1},
    };
    static const Query enables[] = {
        {"depth test", GL_DEPTH_TEST, 1},
        {"blend", GL_BLEND, 1},
        {"cull face", GL_CULL_FACE, 1},
        {"dither", GL_DITHER, 1},
        {"scissor test", GL_SCISSOR_TEST, 1},
        {"texture", GL_TEXTURE_2D, 1},
        {"lighting", GL_LIGHTING, 1},
        {"colour material", GL_COLOR_MATERIAL, 1},
        {"light 0", GL_LIGHT0, 1},
        {"vertex array", GL_VERTEX_ARRAY, 1},
        {"normal array", GL_NORMAL_ARRAY, 1},
        {"texture coordinate array", GL_TEXTURE_COORD_ARRAY, 1},
    };
    StateRecord record;
    for (const Query& q : queries) {
        GLfloat values[16];
        glGetFloatv(q.value, values);
        for (int i = 0; i < q.count; ++i) {
            record.names.push_back(q.name);
            record.values.push_back(values[i]);
        }
    }
    for (const Query& q : enables) {
        record.names.push_back(q.name);
        record.values.push_back(glIsEnabled(q.value) ? 1.0f : 0.0f);
    }
    return record;
}

std::string stateDifferences(const StateRecord& a, const StateRecord& b) {
    std::string differences;
    for (size_t i = 0; i < a.values.size() && i < b.values.size(); ++i)
        if (a.values[i] != b.values[i])
            differences += a.names[i] + " (" + std::to_string(a.values[i]) + " / " +
                           std::to_string(b.values[i]) + ") ";
    return differences;
}

int main(int argc, char** argv) {
    FfglContextOptions options;
    options.antialias = false;
    if (!ffglCreateContext("#canvas", options)) {
        EM_ASM({ document.title = "failed: no WebGL 2 context"; });
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    const int failed =
        std::max(testing::UnitTest::GetInstance()->failed_test_count(), status == 0 ? 0 : 1);
    if (failed == 0)
        EM_ASM({ document.title = "passed"; });
    else
        EM_ASM({ document.title = "failed: " + $0; }, failed);
    return 0;
}
