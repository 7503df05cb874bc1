// Display lists: a list is the sequence of our own GL calls made while it was compiled, replayed
// through the same calls, so lists nest, gather points and follow the current state like direct
// calls. Names are handed out upwards and not reused.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "platform/web/gl/ShimState.h"

namespace {

using Commands = std::vector<std::function<void()>>;

std::map<GLuint, Commands> lists;  // every name handed out, compiled or not
GLuint nextName = 1;

GLuint compiling = 0;  // the list being compiled, 0 for none
GLenum compileMode = GL_COMPILE;
Commands compiled;
bool replayingCompiled = false;  // a GL_COMPILE_AND_EXECUTE call running now

int callDepth = 0;
constexpr int maxCallDepth = 64;  // GL's least nesting limit

void callList(GLuint name) {
    auto found = lists.find(name);
    if (found == lists.end() || callDepth >= maxCallDepth) return;
    ++callDepth;
    // A list may delete or recompile itself while it runs: play a copy.
    Commands commands = found->second;
    for (const auto& command : commands) command();
    --callDepth;
}

GLuint listOffset(GLenum type, const GLvoid* names, GLsizei i) {
    const auto* bytes = static_cast<const unsigned char*>(names);
    switch (type) {
        case GL_BYTE:
            return static_cast<GLuint>(static_cast<GLint>(static_cast<const GLbyte*>(names)[i]));
        case GL_UNSIGNED_BYTE:
            return bytes[i];
        case GL_SHORT:
            return static_cast<GLuint>(static_cast<GLint>(static_cast<const GLshort*>(names)[i]));
        case GL_UNSIGNED_SHORT:
            return static_cast<const GLushort*>(names)[i];
        case GL_INT:
            return static_cast<GLuint>(static_cast<const GLint*>(names)[i]);
        case GL_UNSIGNED_INT:
            return static_cast<const GLuint*>(names)[i];
        case GL_FLOAT:
            return static_cast<GLuint>(static_cast<const GLfloat*>(names)[i]);
        case GL_2_BYTES:
            return (bytes[2 * i] << 8u) | bytes[2 * i + 1];
        case GL_3_BYTES:
            return (bytes[3 * i] << 16u) | (bytes[3 * i + 1] << 8u) | bytes[3 * i + 2];
        case GL_4_BYTES:
            return (static_cast<GLuint>(bytes[4 * i]) << 24u) | (bytes[4 * i + 1] << 16u) |
                   (bytes[4 * i + 2] << 8u) | bytes[4 * i + 3];
        default:
            return 0;
    }
}

}  // namespace

namespace webgl {

bool compilingList() {
    return compiling != 0 && !replayingCompiled;
}

bool takeCommand(std::function<void()> command) {
    compiled.push_back(command);
    if (compileMode == GL_COMPILE_AND_EXECUTE) {
        replayingCompiled = true;
        command();
        replayingCompiled = false;
    }
    return true;
}

}  // namespace webgl

GLuint orbekglGenLists(GLsizei range) {
    if (range <= 0) return 0;
    GLuint first = nextName;
    for (GLsizei i = 0; i < range; ++i) lists[first + static_cast<GLuint>(i)];
    nextName += static_cast<GLuint>(range);
    return first;
}

void orbekglDeleteLists(GLuint list, GLsizei range) {
    for (GLsizei i = 0; i < range; ++i) lists.erase(list + static_cast<GLuint>(i));
}

GLboolean orbekglIsList(GLuint list) {
    return lists.count(list) ? GL_TRUE : GL_FALSE;
}

void orbekglNewList(GLuint list, GLenum mode) {
    if (list == 0 || compiling != 0) return;
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return;
    compiling = list;
    compileMode = mode;
    compiled.clear();
}

void orbekglEndList() {
    if (compiling == 0) return;
    lists[compiling] = std::move(compiled);
    compiled.clear();
    if (compiling >= nextName) nextName = compiling + 1;
    compiling = 0;
}

void orbekglCallList(GLuint list) {
    if (webgl::recorded([=] { orbekglCallList(list); })) return;
    callList(list);
}

void orbekglCallLists(GLsizei count, GLenum type, const GLvoid* names) {
    if (count <= 0) return;
    std::vector<GLuint> offsets(static_cast<size_t>(count));
    for (GLsizei i = 0; i < count; ++i)
        offsets[static_cast<size_t>(i)] = listOffset(type, names, i);
    // The list base is read when the lists are called, not when the call is compiled.
    auto call = [offsets] {
        for (GLuint offset : offsets) callList(webgl::state().listBase + offset);
    };
    if (webgl::recorded(call)) return;
    call();
}

void orbekglListBase(GLuint base) {
    if (webgl::recorded([=] { orbekglListBase(base); })) return;
    webgl::state().listBase = base;
}
