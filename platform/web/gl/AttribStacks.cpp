// glPushAttrib/glPopAttrib for the groups this layer keeps (list base, enables, current
// attributes, point size, shading and colour material) and glPushClientAttrib/glPopClientAttrib
// for pixel storage. Other groups' bits are accepted and not saved.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <vector>

#include "platform/web/gl/ShimState.h"

namespace {

struct SavedAttributes {
    GLbitfield mask;
    webgl::State state;
};

struct SavedClientAttributes {
    GLbitfield mask;
    webgl::PixelUnpacking unpacking;
};

constexpr size_t maxDepth = 16;  // GL's least stack depth
std::vector<SavedAttributes> attributeStack;
std::vector<SavedClientAttributes> clientStack;

void restoreEnabled(const std::unordered_map<GLenum, bool>& saved) {
    // Every capability either side knows about goes back to its saved value.
    std::vector<std::pair<GLenum, bool>> wanted(saved.begin(), saved.end());
    for (const auto& now : webgl::state().enabled)
        if (!saved.count(now.first)) wanted.emplace_back(now.first, false);
    for (const auto& capability : wanted) {
        if (capability.second)
            orbekglEnable(capability.first);
        else
            orbekglDisable(capability.first);
    }
}

}  // namespace

void orbekglPushAttrib(GLbitfield mask) {
    if (webgl::recorded([=] { orbekglPushAttrib(mask); })) return;
    if (attributeStack.size() >= maxDepth) return;
    attributeStack.push_back(SavedAttributes{mask, webgl::state()});
}

void orbekglPopAttrib() {
    if (webgl::recorded([] { orbekglPopAttrib(); })) return;
    if (attributeStack.empty()) return;
    SavedAttributes saved = attributeStack.back();
    attributeStack.pop_back();
    const webgl::State& was = saved.state;

    if (saved.mask & GL_LIST_BIT) orbekglListBase(was.listBase);
    if (saved.mask & GL_ENABLE_BIT) restoreEnabled(was.enabled);
    if (saved.mask & GL_CURRENT_BIT) {
        const webgl::CurrentAttributes& c = was.current;
        orbekglColor4f(c.colour[0], c.colour[1], c.colour[2], c.colour[3]);
        orbekglNormal3f(c.normal[0], c.normal[1], c.normal[2]);
        orbekglTexCoord2f(c.texCoord[0], c.texCoord[1]);
        webgl::state().raster = was.raster;
    }
    if (saved.mask & GL_POINT_BIT) orbekglPointSize(was.pointSize);
    if (saved.mask & GL_LIGHTING_BIT) {
        orbekglShadeModel(was.shadeModel);
        orbekglColorMaterial(was.colourMaterialFace, was.colourMaterialMode);
        for (GLenum capability : {GL_LIGHTING, GL_COLOR_MATERIAL}) {
            auto found = was.enabled.find(capability);
            if (found != was.enabled.end() && found->second)
                orbekglEnable(capability);
            else
                orbekglDisable(capability);
        }
    }
}

void orbekglPushClientAttrib(GLbitfield mask) {
    if (clientStack.size() >= maxDepth) return;
    clientStack.push_back(SavedClientAttributes{mask, webgl::state().unpacking});
}

void orbekglPopClientAttrib() {
    if (clientStack.empty()) return;
    SavedClientAttributes saved = clientStack.back();
    clientStack.pop_back();
    if (!(saved.mask & GL_CLIENT_PIXEL_STORE_BIT)) return;
    const webgl::PixelUnpacking& was = saved.unpacking;
    orbekglPixelStorei(GL_UNPACK_ALIGNMENT, was.alignment);
    orbekglPixelStorei(GL_UNPACK_ROW_LENGTH, was.rowLength);
    orbekglPixelStorei(GL_UNPACK_SKIP_ROWS, was.skipRows);
    orbekglPixelStorei(GL_UNPACK_SKIP_PIXELS, was.skipPixels);
    orbekglPixelStorei(GL_UNPACK_LSB_FIRST, was.lsbFirst ? GL_TRUE : GL_FALSE);
}
