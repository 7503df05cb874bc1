// Transforms, enables and the other state calls: recorded into a list when one is compiled, and
// drawing the gathered points before anything they depend on changes. Also what WebGL 1 refuses
// from GL 1.1 callers: sized or numbered texture formats, hints it has no target for, GL_CLAMP.
#define ORBEK_WEBGL_NO_RENAME
#include "platform/web/gl/ShimGL.h"

#include <initializer_list>

#include "platform/web/gl/ShimState.h"

namespace webgl {

State& state() {
    static State theState;
    return theState;
}

void resetState() {
    state() = State{};
    state().enabled[GL_DITHER] = true;
    clearImmediate();
    // A context made again on the same canvas is the same WebGL context with its old state: put
    // WebGL and the emulation where a fresh GL context starts, as the state above says.
    for (GLenum capability :
         {GL_DEPTH_TEST, GL_BLEND, GL_CULL_FACE, GL_SCISSOR_TEST, GL_STENCIL_TEST,
          GL_POLYGON_OFFSET_FILL, GL_TEXTURE_2D, GL_LIGHTING, GL_FOG, GL_ALPHA_TEST})
        glDisable(capability);
    glEnable(GL_DITHER);
    glMatrixMode(GL_MODELVIEW);
    glPointSize(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

bool isEnabled(GLenum capability) {
    auto found = state().enabled.find(capability);
    return found != state().enabled.end() && found->second;
}

}  // namespace webgl

// A call that changes drawing state: recorded when compiling, else the points go first.
#define STATE_CALL(replay)                        \
    if (webgl::recorded([=] { replay; })) return; \
    webgl::flushPoints()

void orbekglEnable(GLenum capability) {
    if (webgl::recorded([=] { orbekglEnable(capability); })) return;
    if (webgl::isEnabled(capability)) return;
    webgl::flushPoints();
    webgl::state().enabled[capability] = true;
    glEnable(capability);
    if (capability == GL_COLOR_MATERIAL) webgl::followColourMaterial();
}

void orbekglDisable(GLenum capability) {
    if (webgl::recorded([=] { orbekglDisable(capability); })) return;
    auto found = webgl::state().enabled.find(capability);
    // Unknown to us means never enabled through us, so already off.
    if (found == webgl::state().enabled.end() || !found->second) return;
    webgl::flushPoints();
    found->second = false;
    glDisable(capability);
}

void orbekglMatrixMode(GLenum mode) {
    STATE_CALL(orbekglMatrixMode(mode));
    webgl::state().matrixMode = mode;
    glMatrixMode(mode);
}

void orbekglLoadIdentity() {
    STATE_CALL(orbekglLoadIdentity());
    glLoadIdentity();
}

void orbekglPushMatrix() {
    STATE_CALL(orbekglPushMatrix());
    glPushMatrix();
}

void orbekglPopMatrix() {
    STATE_CALL(orbekglPopMatrix());
    glPopMatrix();
}

namespace {
struct Matrix {
    GLfloat m[16];
};
struct MatrixD {
    GLdouble m[16];
};
}  // namespace

void orbekglLoadMatrixf(const GLfloat* values) {
    Matrix copy;
    for (int i = 0; i < 16; ++i) copy.m[i] = values[i];
    STATE_CALL(orbekglLoadMatrixf(copy.m));
    glLoadMatrixf(copy.m);
}

void orbekglMultMatrixf(const GLfloat* values) {
    Matrix copy;
    for (int i = 0; i < 16; ++i) copy.m[i] = values[i];
    STATE_CALL(orbekglMultMatrixf(copy.m));
    glMultMatrixf(copy.m);
}

void orbekglMultMatrixd(const GLdouble* values) {
    MatrixD copy;
    for (int i = 0; i < 16; ++i) copy.m[i] = values[i];
    STATE_CALL(orbekglMultMatrixd(copy.m));
    glMultMatrixd(copy.m);
}

void orbekglTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    STATE_CALL(orbekglTranslatef(x, y, z));
    glTranslatef(x, y, z);
}

void orbekglTranslated(GLdouble x, GLdouble y, GLdouble z) {
    STATE_CALL(orbekglTranslated(x, y, z));
    glTranslated(x, y, z);
}

void orbekglRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    STATE_CALL(orbekglRotatef(angle, x, y, z));
    glRotatef(angle, x, y, z);
}

void orbekglRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    STATE_CALL(orbekglRotated(angle, x, y, z));
    glRotated(angle, x, y, z);
}

void orbekglScalef(GLfloat x, GLfloat y, GLfloat z) {
    STATE_CALL(orbekglScalef(x, y, z));
    glScalef(x, y, z);
}

void orbekglScaled(GLdouble x, GLdouble y, GLdouble z) {
    STATE_CALL(orbekglScaled(x, y, z));
    glScaled(x, y, z);
}

void orbekglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                  GLdouble zFar) {
    STATE_CALL(orbekglOrtho(left, right, bottom, top, zNear, zFar));
    glOrtho(left, right, bottom, top, zNear, zFar);
}

void orbekglFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar) {
    STATE_CALL(orbekglFrustum(left, right, bottom, top, zNear, zFar));
    glFrustum(left, right, bottom, top, zNear, zFar);
}

void orbekglViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    STATE_CALL(orbekglViewport(x, y, width, height));
    glViewport(x, y, width, height);
}

void orbekglClear(GLbitfield mask) {
    STATE_CALL(orbekglClear(mask));
    glClear(mask);
}

void orbekglClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    STATE_CALL(orbekglClearColor(r, g, b, a));
    glClearColor(r, g, b, a);
}

void orbekglClearDepth(GLclampd depth) {
    STATE_CALL(orbekglClearDepth(depth));
    glClearDepth(depth);
}

void orbekglDepthFunc(GLenum func) {
    STATE_CALL(orbekglDepthFunc(func));
    glDepthFunc(func);
}

void orbekglDepthMask(GLboolean flag) {
    STATE_CALL(orbekglDepthMask(flag));
    glDepthMask(flag);
}

void orbekglBlendFunc(GLenum source, GLenum destination) {
    STATE_CALL(orbekglBlendFunc(source, destination));
    glBlendFunc(source, destination);
}

void orbekglCullFace(GLenum mode) {
    STATE_CALL(orbekglCullFace(mode));
    glCullFace(mode);
}

void orbekglShadeModel(GLenum mode) {
    STATE_CALL(orbekglShadeModel(mode));
    webgl::state().shadeModel = mode;
    glShadeModel(mode);
}

void orbekglPointSize(GLfloat size) {
    if (webgl::recorded([=] { orbekglPointSize(size); })) return;
    if (size == webgl::state().pointSize) return;
    webgl::flushPoints();
    webgl::state().pointSize = size;
    glPointSize(size);
}

void orbekglLineWidth(GLfloat width) {
    STATE_CALL(orbekglLineWidth(width));
    glLineWidth(width);
}

void orbekglHint(GLenum target, GLenum mode) {
    STATE_CALL(orbekglHint(target, mode));
    // Hints may be ignored; WebGL 1 has a target for mipmap generation only.
    if (target == GL_GENERATE_MIPMAP_HINT) glHint(target, mode);
}

void orbekglBindTexture(GLenum target, GLuint texture) {
    STATE_CALL(orbekglBindTexture(target, texture));
    glBindTexture(target, texture);
}

void orbekglTexEnvi(GLenum target, GLenum name, GLint value) {
    STATE_CALL(orbekglTexEnvi(target, name, value));
    glTexEnvi(target, name, value);
}

void orbekglTexParameteri(GLenum target, GLenum name, GLint value) {
    STATE_CALL(orbekglTexParameteri(target, name, value));
    // WebGL has no border texels, so clamping can only be to the edge.
    if ((name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) && value == GL_CLAMP)
        value = GL_CLAMP_TO_EDGE;
    glTexParameteri(target, name, value);
}

void orbekglTexParameterfv(GLenum target, GLenum name, const GLfloat* values) {
    // No border colour without border texels; every other parameter here is a single value.
    if (name == GL_TEXTURE_BORDER_COLOR) return;
    orbekglTexParameteri(target, name, static_cast<GLint>(values[0]));
}

// Texture uploads, array draws, pixel storage and read-backs happen when called, even while a
// list is compiled: the lists of this program hold geometry and state only.
void orbekglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                       GLsizei height, GLint border, GLenum format, GLenum type,
                       const GLvoid* pixels) {
    webgl::flushPoints();
    // WebGL 1 takes the unsized format of the data as the internal format, nothing else
    // (not GL 1.0's component counts 1 to 4 nor sized formats).
    (void)internalFormat;
    glTexImage2D(target, level, static_cast<GLint>(format), width, height, border, format, type,
                 pixels);
}

void orbekglPixelStorei(GLenum name, GLint value) {
    webgl::PixelUnpacking& unpacking = webgl::state().unpacking;
    switch (name) {
        case GL_UNPACK_ALIGNMENT:
            unpacking.alignment = value;
            glPixelStorei(name, value);
            break;
        case GL_PACK_ALIGNMENT:
            glPixelStorei(name, value);
            break;
        // WebGL 1 knows only the alignments; glBitmap reads the rest from here.
        case GL_UNPACK_ROW_LENGTH:
            unpacking.rowLength = value;
            break;
        case GL_UNPACK_SKIP_ROWS:
            unpacking.skipRows = value;
            break;
        case GL_UNPACK_SKIP_PIXELS:
            unpacking.skipPixels = value;
            break;
        case GL_UNPACK_LSB_FIRST:
            unpacking.lsbFirst = value != 0;
            break;
        default:
            break;
    }
}

void orbekglDrawArrays(GLenum mode, GLint first, GLsizei count) {
    webgl::flushPoints();
    glDrawArrays(mode, first, count);
}

void orbekglDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    webgl::flushPoints();
    glDrawElements(mode, count, type, indices);
}

void orbekglReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                       GLvoid* pixels) {
    webgl::flushPoints();
    glReadPixels(x, y, width, height, format, type, pixels);
}

// A WebGL canvas has one colour buffer, drawn and read alike: the back buffer of a desktop
// double-buffered window. Front and back both name it.
void orbekglReadBuffer(GLenum) {}
void orbekglDrawBuffer(GLenum) {}

void orbekglFlush() {
    webgl::flushPoints();
    glFlush();
}

void orbekglFinish() {
    webgl::flushPoints();
    glFinish();
}
