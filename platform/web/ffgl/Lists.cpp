// Display lists. A list is its calls as operations plus its vertices, uploaded once into static
// buffers at glEndList: the consecutive primitives of a list become one draw when nothing stands
// between them, so an extruded glyph's faces and sides are a single draw. Attributes a list's
// vertices never gave come from the current values when it is played, as in GL.
#include "Lists.h"

#include <map>
#include <unordered_map>
#include <vector>

#include "Errors.h"
#include "Frame.h"
#include "Renderer.h"
#include "Triangulate.h"

namespace ffgl {

namespace {

constexpr std::size_t maxKeptShapes = 64;

struct ListOp {
    Op op;
    std::uint32_t firstArg;
};

struct Geometry {
    GLenum mode;
    std::uint32_t first, count;
    std::uint8_t arrays;
};

struct List {
    std::vector<ListOp> ops;
    std::vector<double> args;
    std::vector<Geometry> geometry;
    std::vector<Vertex> vertices;  // until glEndList uploads them
    std::vector<std::uint32_t> indices;
    StaticBuffers buffers;
};

// Attributes in the order of VertexArrays' bits.
enum Attribute { colourAttribute, normalAttribute, texCoordAttribute, attributeKinds };

struct Compilation {
    bool active = false;
    GLuint name = 0;
    GLenum mode = GL_COMPILE;
    List list;
    Current current;                      // what compiled vertices take
    bool known[attributeKinds] = {};      // given by an earlier vertex of this list
    bool specified[attributeKinds] = {};  // given in the open primitive
    bool given[attributeKinds] = {};      // given since the current values were last recorded
    std::uint32_t primitiveStart = 0;
    GLenum primitiveMode = GL_POINTS;
    bool pending = false;  // list.geometry.back() may still grow
};

std::unordered_map<GLuint, List> lists;
std::map<std::string, List> keptShapes;
GLuint nextName = 1;
Compilation compilation;
int callDepth = 0;

void releaseBuffers(List& list) {
    if (list.buffers.vertexArray == 0) return;
    // A queued draw may use them.
    frame().submit();
    renderer::deleteStatic(list.buffers);
}

void pushOp(Op op, const double* args, std::size_t count) {
    List& list = compilation.list;
    list.ops.push_back(ListOp{op, static_cast<std::uint32_t>(list.args.size())});
    list.args.insert(list.args.end(), args, args + count);
}

// Ends the run of geometry and records the current values its vertices left.
void settleGeometry() {
    compilation.pending = false;
    const Current& c = compilation.current;
    if (compilation.given[colourAttribute]) {
        const double colour[4] = {c.colour[0], c.colour[1], c.colour[2], c.colour[3]};
        pushOp(Op::colour, colour, 4);
    }
    if (compilation.given[normalAttribute]) {
        const double normal[3] = {c.normal[0], c.normal[1], c.normal[2]};
        pushOp(Op::normal, normal, 3);
    }
    if (compilation.given[texCoordAttribute]) {
        const double texCoord[2] = {c.texCoord[0], c.texCoord[1]};
        pushOp(Op::texCoord, texCoord, 2);
    }
    for (bool& given : compilation.given) given = false;
}

void startCompiling(GLuint name, GLenum mode) {
    compilation = Compilation{};
    compilation.active = true;
    compilation.name = name;
    compilation.mode = mode;
    compilation.current = state().current;
}

List finishCompiling() {
    settleGeometry();
    List list = std::move(compilation.list);
    compilation = Compilation{};
    if (!list.vertices.empty()) list.buffers = renderer::makeStatic(list.vertices, list.indices);
    list.vertices = std::vector<Vertex>();
    list.indices = std::vector<std::uint32_t>();
    return list;
}

void play(List& list);

void playByName(GLuint name) {
    auto found = lists.find(name);
    if (found == lists.end() || callDepth >= maxListNesting) return;
    ++callDepth;
    play(found->second);
    --callDepth;
}

void play(List& list) {
    // Nothing a list holds can delete or compile a list, so it stays as it is while it plays.
    for (const ListOp& op : list.ops) {
        const double* a = list.args.data() + op.firstArg;
        auto f = [a](int k) { return static_cast<float>(a[k]); };
        auto e = [a](int k) { return static_cast<GLenum>(a[k]); };
        switch (op.op) {
            case Op::geometry:
                if (!drawsDropped()) {
                    const Geometry& g = list.geometry[static_cast<std::size_t>(a[0])];
                    frame().addListDraw(g.mode, list.buffers, g.first, g.count, g.arrays);
                }
                break;
            case Op::colour:
                ffglColor4f(f(0), f(1), f(2), f(3));
                break;
            case Op::normal:
                ffglNormal3f(f(0), f(1), f(2));
                break;
            case Op::texCoord:
                ffglTexCoord2f(f(0), f(1));
                break;
            case Op::enable:
                ffglEnable(e(0));
                break;
            case Op::disable:
                ffglDisable(e(0));
                break;
            case Op::matrixMode:
                ffglMatrixMode(e(0));
                break;
            case Op::loadIdentity:
                ffglLoadIdentity();
                break;
            case Op::pushMatrix:
                ffglPushMatrix();
                break;
            case Op::popMatrix:
                ffglPopMatrix();
                break;
            case Op::loadMatrix:
            case Op::multMatrix: {
                float m[16];
                for (int k = 0; k < 16; ++k) m[k] = f(k);
                if (op.op == Op::loadMatrix)
                    ffglLoadMatrixf(m);
                else
                    ffglMultMatrixf(m);
                break;
            }
            case Op::translate:
                ffglTranslatef(f(0), f(1), f(2));
                break;
            case Op::rotate:
                ffglRotatef(f(0), f(1), f(2), f(3));
                break;
            case Op::scale:
                ffglScalef(f(0), f(1), f(2));
                break;
            case Op::ortho:
                ffglOrtho(a[0], a[1], a[2], a[3], a[4], a[5]);
                break;
            case Op::viewport:
                ffglViewport(static_cast<GLint>(a[0]), static_cast<GLint>(a[1]),
                             static_cast<GLsizei>(a[2]), static_cast<GLsizei>(a[3]));
                break;
            case Op::scissor:
                ffglScissor(static_cast<GLint>(a[0]), static_cast<GLint>(a[1]),
                            static_cast<GLsizei>(a[2]), static_cast<GLsizei>(a[3]));
                break;
            case Op::clear:
                ffglClear(e(0));
                break;
            case Op::clearColour:
                ffglClearColor(f(0), f(1), f(2), f(3));
                break;
            case Op::clearDepth:
                ffglClearDepth(a[0]);
                break;
            case Op::depthFunc:
                ffglDepthFunc(e(0));
                break;
            case Op::depthMask:
                ffglDepthMask(static_cast<GLboolean>(a[0]));
                break;
            case Op::blendFunc:
                ffglBlendFunc(e(0), e(1));
                break;
            case Op::cullFace:
                ffglCullFace(e(0));
                break;
            case Op::frontFace:
                ffglFrontFace(e(0));
                break;
            case Op::shadeModel:
                ffglShadeModel(e(0));
                break;
            case Op::pointSize:
                ffglPointSize(f(0));
                break;
            case Op::hint:
                ffglHint(e(0), e(1));
                break;
            case Op::colourMaterial:
                ffglColorMaterial(e(0), e(1));
                break;
            case Op::material: {
                const float values[4] = {f(2), f(3), f(4), f(5)};
                ffglMaterialfv(e(0), e(1), values);
                break;
            }
            case Op::bindTexture:
                ffglBindTexture(e(0), e(1));
                break;
            case Op::texEnv:
                ffglTexEnvi(e(0), e(1), static_cast<GLint>(a[2]));
                break;
            case Op::listBase:
                ffglListBase(e(0));
                break;
            case Op::callList:
                playByName(e(0));
                break;
            case Op::callLists: {
                const std::size_t count = static_cast<std::size_t>(a[0]);
                for (std::size_t k = 0; k < count; ++k)
                    playByName(state().listBase + static_cast<GLuint>(a[1 + k]));
                break;
            }
            case Op::pushAttrib:
                ffglPushAttrib(e(0));
                break;
            case Op::popAttrib:
                ffglPopAttrib();
                break;
            case Op::bitmap:
                ffglBitmap(0, 0, 0.0f, 0.0f, f(0), f(1), nullptr);
                break;
        }
    }
}

// Offsets of glCallLists' names, or false for a type it does not take.
bool readOffsets(GLsizei count, GLenum type, const GLvoid* names, std::vector<GLuint>& out) {
    out.resize(static_cast<std::size_t>(count));
    for (GLsizei i = 0; i < count; ++i) {
        GLuint offset = 0;
        switch (type) {
            case GL_BYTE:
                offset = static_cast<GLuint>(static_cast<const GLbyte*>(names)[i]);
                break;
            case GL_UNSIGNED_BYTE:
                offset = static_cast<const GLubyte*>(names)[i];
                break;
            case GL_SHORT:
                offset = static_cast<GLuint>(static_cast<const GLshort*>(names)[i]);
                break;
            case GL_UNSIGNED_SHORT:
                offset = static_cast<const GLushort*>(names)[i];
                break;
            case GL_INT:
                offset = static_cast<GLuint>(static_cast<const GLint*>(names)[i]);
                break;
            case GL_UNSIGNED_INT:
                offset = static_cast<const GLuint*>(names)[i];
                break;
            default:
                return false;
        }
        out[static_cast<std::size_t>(i)] = offset;
    }
    return true;
}

}  // namespace

bool compiling() {
    return compilation.active;
}

bool recordArgs(Op op, const double* a, std::size_t count) {
    if (!compilation.active) return false;
    settleGeometry();
    pushOp(op, a, count);
    // After a call that may change the current values, the list's vertices no longer know them.
    Current& c = compilation.current;
    switch (op) {
        case Op::colour:
            for (int i = 0; i < 4; ++i) c.colour[i] = static_cast<float>(a[i]);
            packColour(c.colour, c.colourBytes);
            compilation.known[colourAttribute] = false;
            break;
        case Op::normal:
            for (int i = 0; i < 3; ++i) c.normal[i] = static_cast<float>(a[i]);
            compilation.known[normalAttribute] = false;
            break;
        case Op::texCoord:
            for (int i = 0; i < 2; ++i) c.texCoord[i] = static_cast<float>(a[i]);
            compilation.known[texCoordAttribute] = false;
            break;
        case Op::callList:
        case Op::callLists:
        case Op::popAttrib:
            for (bool& known : compilation.known) known = false;
            break;
        default:
            break;
    }
    return true;
}

bool recordedMatrix(Op op, const float* m) {
    if (!compilation.active) return false;
    double args[16];
    for (int i = 0; i < 16; ++i) args[i] = m[i];
    return recordArgs(op, args, 16);
}

void listBegin(GLenum mode) {
    compilation.primitiveStart = static_cast<std::uint32_t>(compilation.list.vertices.size());
    compilation.primitiveMode = mode;
    for (bool& specified : compilation.specified) specified = false;
}

void listVertex(float x, float y, float z) {
    compilation.list.vertices.push_back(vertexWith(compilation.current, x, y, z));
}

void listColour(float red, float green, float blue, float alpha) {
    Current& c = compilation.current;
    c.colour[0] = red;
    c.colour[1] = green;
    c.colour[2] = blue;
    c.colour[3] = alpha;
    packColour(c.colour, c.colourBytes);
    compilation.specified[colourAttribute] = true;
}

void listNormal(float x, float y, float z) {
    float* n = compilation.current.normal;
    n[0] = x;
    n[1] = y;
    n[2] = z;
    compilation.specified[normalAttribute] = true;
}

void listTexCoord(float s, float t) {
    compilation.current.texCoord[0] = s;
    compilation.current.texCoord[1] = t;
    compilation.specified[texCoordAttribute] = true;
}

void listEnd() {
    Compilation& k = compilation;
    List& list = k.list;
    std::uint8_t arrays = 0;
    for (int a = 0; a < attributeKinds; ++a) {
        if (k.specified[a] || k.known[a]) arrays |= static_cast<std::uint8_t>(1u << a);
        k.known[a] = k.known[a] || k.specified[a];
        k.given[a] = k.given[a] || k.specified[a];
    }
    const std::uint32_t start = k.primitiveStart;
    const std::uint32_t first = static_cast<std::uint32_t>(list.indices.size());
    triangulate(
        k.primitiveMode, static_cast<std::uint32_t>(list.vertices.size()) - start,
        [start](std::uint32_t i) { return start + i; }, state().shadeModel == GL_FLAT,
        list.indices);
    const std::uint32_t count = static_cast<std::uint32_t>(list.indices.size()) - first;
    if (count == 0) {
        list.vertices.resize(start);
        return;
    }
    const GLenum mode = drawnMode(k.primitiveMode);
    if (k.pending) {
        Geometry& last = list.geometry.back();
        if (last.mode == mode && last.arrays == arrays && last.first + last.count == first) {
            last.count += count;
            return;
        }
    }
    list.geometry.push_back(Geometry{mode, first, count, arrays});
    const double index = static_cast<double>(list.geometry.size() - 1);
    pushOp(Op::geometry, &index, 1);
    k.pending = true;
}

void playKept(const std::string& key, const std::function<void()>& generate) {
    if (compilation.active) {
        generate();
        return;
    }
    auto found = keptShapes.find(key);
    if (found == keptShapes.end()) {
        if (keptShapes.size() >= maxKeptShapes) {
            generate();
            return;
        }
        startCompiling(0, GL_COMPILE);
        generate();
        found = keptShapes.emplace(key, finishCompiling()).first;
    }
    play(found->second);
}

void deleteAllLists() {
    for (auto& named : lists) renderer::deleteStatic(named.second.buffers);
    for (auto& kept : keptShapes) renderer::deleteStatic(kept.second.buffers);
    lists.clear();
    keptShapes.clear();
    nextName = 1;
    compilation = Compilation{};
    callDepth = 0;
}

GLuint compilingName() {
    return compilation.active ? compilation.name : 0;
}

GLenum compilingMode() {
    return compilation.active ? compilation.mode : 0;
}

}  // namespace ffgl

using namespace ffgl;

GLuint ffglGenLists(GLsizei range) {
    if (!outsideBeginEnd("glGenLists")) return 0;
    if (range < 0) {
        refuse("glGenLists", GL_INVALID_VALUE, "a negative range");
        return 0;
    }
    if (range == 0) return 0;
    // Names are handed out upwards and not reused; a list compiled under a name never handed
    // out moves the next name past it (glEndList).
    const GLuint first = nextName;
    for (GLsizei i = 0; i < range; ++i) lists[first + static_cast<GLuint>(i)];
    nextName += static_cast<GLuint>(range);
    return first;
}

void ffglDeleteLists(GLuint list, GLsizei range) {
    if (!outsideBeginEnd("glDeleteLists")) return;
    if (range < 0) {
        refuse("glDeleteLists", GL_INVALID_VALUE, "a negative range");
        return;
    }
    for (GLsizei i = 0; i < range; ++i) {
        auto found = lists.find(list + static_cast<GLuint>(i));
        if (found == lists.end()) continue;
        releaseBuffers(found->second);
        lists.erase(found);
    }
}

GLboolean ffglIsList(GLuint list) {
    if (!outsideBeginEnd("glIsList")) return GL_FALSE;
    return lists.count(list) ? GL_TRUE : GL_FALSE;
}

void ffglNewList(GLuint list, GLenum mode) {
    if (!outsideBeginEnd("glNewList")) return;
    if (list == 0) return refuse("glNewList", GL_INVALID_VALUE, "list name 0");
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE)
        return refuse("glNewList", GL_INVALID_ENUM, "an unknown mode");
    if (compilation.active)
        return refuse("glNewList", GL_INVALID_OPERATION, "a list is being compiled already");
    startCompiling(list, mode);
}

void ffglEndList() {
    if (!outsideBeginEnd("glEndList")) return;
    if (!compilation.active) return refuse("glEndList", GL_INVALID_OPERATION, "no glNewList");
    const GLuint name = compilation.name;
    const GLenum mode = compilation.mode;
    List compiled = finishCompiling();
    List& kept = lists[name];
    releaseBuffers(kept);
    kept = std::move(compiled);
    if (name >= nextName) nextName = name + 1;
    if (mode == GL_COMPILE_AND_EXECUTE) playByName(name);
}

void ffglCallList(GLuint list) {
    if (!outsideBeginEnd("glCallList") || recorded(Op::callList, list)) return;
    playByName(list);
}

void ffglCallLists(GLsizei count, GLenum type, const GLvoid* names) {
    if (!outsideBeginEnd("glCallLists")) return;
    if (count < 0) return refuse("glCallLists", GL_INVALID_VALUE, "a negative count");
    std::vector<GLuint> offsets;
    if (!readOffsets(count, type, names, offsets))
        return refuse("glCallLists", GL_INVALID_ENUM, "name types are bytes, shorts and ints");
    if (compilation.active) {
        // The base is read when the list is played, not now.
        std::vector<double> args{static_cast<double>(count)};
        args.insert(args.end(), offsets.begin(), offsets.end());
        recordArgs(Op::callLists, args.data(), args.size());
        return;
    }
    for (GLuint offset : offsets) playByName(state().listBase + offset);
}

void ffglListBase(GLuint base) {
    if (!outsideBeginEnd("glListBase") || recorded(Op::listBase, base)) return;
    state().listBase = base;
}
