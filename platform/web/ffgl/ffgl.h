// ffgl: the part of OpenGL 1.1 and GLU that ORBEK42 draws with, on WebGL 2 (GLES 3 through
// emscripten's plain WebGL bindings). A drop-in for <GL/gl.h> and <GL/glu.h>: the GL names below
// are macros for ffgl* functions, so drawing code reads as it does on a desktop. Stands alone:
// it includes nothing of the program's, only the standard library, GLES 3 and emscripten's html5.h.
//
// Implemented
//   - Immediate mode: glBegin/glEnd with every primitive but lines, glVertex2f/3f/3fv,
//     glColor3f/3fv/4f, glNormal3f, glTexCoord2f. Vertices are gathered into one streaming buffer
//     per frame; consecutive draws whose state did not change become one WebGL draw, whatever
//     their primitive: quads, quad strips, polygons, strips and fans are turned into triangle
//     lists (with GL's provoking vertex kept last, for flat shading), points stay points.
//   - Vertex arrays from client memory (glVertexPointer, glNormalPointer, glTexCoordPointer of
//     GL_FLOAT, glEnableClientState) drawn with glDrawElements (byte, short or int indices): the
//     vertices used are copied into the same stream, so meshes merge like immediate mode.
//   - The modelview and projection stacks (32 deep each), glLoadMatrixf, glMultMatrixf,
//     glTranslatef, glRotatef, glScalef, glOrtho, gluPerspective, gluLookAt.
//   - Display lists: compiled once, their geometry into static buffers of their own (a list's
//     consecutive primitives as one draw), the other calls replayed; glCallLists with list base
//     and the byte, short and int name types; nesting 64 deep.
//   - Fixed-function state in a few generated shader variants, keyed by texture environment
//     (off, GL_MODULATE, GL_REPLACE, GL_DECAL), lighting and shade model: depth test, function,
//     mask and clear value; blending; the scissor test and box (an empty box with the test on
//     drops draws and clears whole, as ffglDiscardDraws does); face culling and front face;
//     dithering; point size (aliased points: whole pixels on the pixel grid, crisp in a
//     multisampled buffer too); GL_FLAT and GL_SMOOTH; lighting with GL's default lights (see
//     below), materials (glMaterialf/fv) and colour material (glColorMaterial,
//     GL_COLOR_MATERIAL).
//   - Textures: glGenTextures, glDeleteTextures, glBindTexture, glTexImage2D (level 0, GL_RGB or
//     GL_RGBA bytes; internal format 3, 4, GL_RGB, GL_RGBA, GL_RGB8 or GL_RGBA8), glTexParameteri
//     (filters and wraps), glTexEnvi, glPixelStorei (pack and unpack alignment). A texture
//     without an image, or whose minification filter wants mipmaps, draws as if texturing were
//     off, as in GL.
//   - GLU quadrics: gluCylinder and gluDisk with smooth, flat or no normals and texture
//     coordinates, GLU's vertex order and arithmetic. Each shape is generated once and kept as
//     a list in a static buffer.
//   - glPushAttrib/glPopAttrib for GL_CURRENT_BIT, GL_ENABLE_BIT and GL_LIST_BIT; glBitmap that
//     moves the raster position (a 0 x 0 bitmap, as the glyph lists of a font without bitmaps);
//     glHint (kept, WebGL interpolates in perspective anyway); glGetError, glIsEnabled,
//     glGetIntegerv and glGetFloatv for the state kept here and GL_SAMPLES (GL 1.3's, the drawing
//     buffer's samples a pixel); glReadPixels (GL_RGBA bytes);
//     glFlush and glFinish.
//
// Refused (the call does nothing but set the GL error; a debug build, one without NDEBUG, also
// says on stderr which call was refused and why, once per call name)
//   - Lines (GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP): GL_INVALID_ENUM.
//   - Capabilities other than those above (fog, alpha test, stencil, normalisation...):
//     GL_INVALID_ENUM. glPushAttrib with other groups: GL_INVALID_VALUE.
//   - Array types other than GL_FLOAT, vertex positions of 4 or texture coordinates of other
//     than 2 components: GL_INVALID_ENUM / GL_INVALID_VALUE.
//   - glBitmap with pixels: GL_INVALID_OPERATION. glTexImage2D and glTexParameter while a list
//     is compiled: GL_INVALID_OPERATION. Texture levels above 0, formats other than RGB and RGBA
//     bytes: GL_INVALID_VALUE / GL_INVALID_ENUM. The texture environment GL_BLEND:
//     GL_INVALID_ENUM. glMatrixMode(GL_TEXTURE): GL_INVALID_ENUM.
//   - GL calls between glBegin and glEnd other than glVertex, glColor, glNormal and glTexCoord:
//     GL_INVALID_OPERATION (GL also takes materials and list calls there).
//   Everything else GL 1.1 and GLU have is not declared here, so it does not compile.
//
// Where it differs from GL 1.1
//   - Lights keep GL's defaults (there is no glLight*): light 0 white and along +z in eye space,
//     lights 1 to 7 black; the light model keeps its 0.2 ambient, infinite viewer, one side.
//   - GL_CLAMP clamps to the edge texel (WebGL has no border texels); the border colour is kept
//     and has no effect.
//   - Colours are stored in 8 bits a channel per vertex, as the colour buffer keeps them.
//   - GL_COMPILE_AND_EXECUTE runs the list when glEndList is called, so a query in between sees
//     the state from before the list. In a compiled primitive that gives colours (normals,
//     texture coordinates) to later vertices only, the earlier ones take the value current when
//     the list was compiled. A quad is cut into two triangles along the diagonal the shade model
//     wants (see Triangulate.h); a list's quads are cut for the shade model of its compilation.
//   - Draws are submitted when the frame ends (ffglEndFrame), or earlier when something needs
//     the pixels or changes what a queued draw uses (glReadPixels, glFinish, glFlush, texture
//     and list changes). glGetError reports the layer's own errors, never WebGL's.
//   - glGetIntegerv rounds what glGetFloatv gives (colours included, which GL would scale).
//   - One texture unit; the drawing buffer has no alpha and no stencil.
//
// Besides GL, the layer's own calls (the ffgl* functions at the end) make the context, end a
// frame, count WebGL draws and discard draws while keeping every state change.
#pragma once

typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef void GLvoid;
typedef signed char GLbyte;
typedef short GLshort;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLubyte;
typedef unsigned short GLushort;
typedef unsigned int GLuint;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;
typedef double GLclampd;

typedef struct GLUquadric GLUquadric;

// The values are spelt as Khronos spells them, so that the layer's own sources may include
// GLES 3's header beside this one.
#define GL_FALSE 0
#define GL_TRUE 1
#define GL_NO_ERROR 0
#define GL_ZERO 0
#define GL_ONE 1

#define GL_POINTS 0x0000
#define GL_LINES 0x0001
#define GL_LINE_LOOP 0x0002
#define GL_LINE_STRIP 0x0003
#define GL_TRIANGLES 0x0004
#define GL_TRIANGLE_STRIP 0x0005
#define GL_TRIANGLE_FAN 0x0006
#define GL_QUADS 0x0007
#define GL_QUAD_STRIP 0x0008
#define GL_POLYGON 0x0009

#define GL_CURRENT_BIT 0x00000001
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_ENABLE_BIT 0x00002000
#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_LIST_BIT 0x00020000

#define GL_NEVER 0x0200
#define GL_LESS 0x0201
#define GL_EQUAL 0x0202
#define GL_LEQUAL 0x0203
#define GL_GREATER 0x0204
#define GL_NOTEQUAL 0x0205
#define GL_GEQUAL 0x0206
#define GL_ALWAYS 0x0207

#define GL_SRC_COLOR 0x0300
#define GL_ONE_MINUS_SRC_COLOR 0x0301
#define GL_SRC_ALPHA 0x0302
#define GL_ONE_MINUS_SRC_ALPHA 0x0303
#define GL_DST_ALPHA 0x0304
#define GL_ONE_MINUS_DST_ALPHA 0x0305
#define GL_DST_COLOR 0x0306
#define GL_ONE_MINUS_DST_COLOR 0x0307
#define GL_SRC_ALPHA_SATURATE 0x0308

#define GL_FRONT 0x0404
#define GL_BACK 0x0405
#define GL_FRONT_AND_BACK 0x0408

#define GL_INVALID_ENUM 0x0500
#define GL_INVALID_VALUE 0x0501
#define GL_INVALID_OPERATION 0x0502
#define GL_STACK_OVERFLOW 0x0503
#define GL_STACK_UNDERFLOW 0x0504
#define GL_OUT_OF_MEMORY 0x0505

#define GL_CW 0x0900
#define GL_CCW 0x0901

#define GL_CURRENT_COLOR 0x0B00
#define GL_CURRENT_NORMAL 0x0B02
#define GL_CURRENT_TEXTURE_COORDS 0x0B03
#define GL_CURRENT_RASTER_POSITION 0x0B07
#define GL_POINT_SIZE 0x0B11
#define GL_LIST_MODE 0x0B30
#define GL_LIST_BASE 0x0B32
#define GL_LIST_INDEX 0x0B33
#define GL_CULL_FACE 0x0B44
#define GL_CULL_FACE_MODE 0x0B45
#define GL_FRONT_FACE 0x0B46
#define GL_LIGHTING 0x0B50
#define GL_SHADE_MODEL 0x0B54
#define GL_COLOR_MATERIAL_FACE 0x0B55
#define GL_COLOR_MATERIAL_PARAMETER 0x0B56
#define GL_COLOR_MATERIAL 0x0B57
#define GL_DEPTH_TEST 0x0B71
#define GL_DEPTH_WRITEMASK 0x0B72
#define GL_DEPTH_CLEAR_VALUE 0x0B73
#define GL_DEPTH_FUNC 0x0B74
#define GL_MATRIX_MODE 0x0BA0
#define GL_VIEWPORT 0x0BA2
#define GL_MODELVIEW_STACK_DEPTH 0x0BA3
#define GL_PROJECTION_STACK_DEPTH 0x0BA4
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7
#define GL_ATTRIB_STACK_DEPTH 0x0BB0
#define GL_DITHER 0x0BD0
#define GL_BLEND_DST 0x0BE0
#define GL_BLEND_SRC 0x0BE1
#define GL_BLEND 0x0BE2
#define GL_SCISSOR_BOX 0x0C10
#define GL_SCISSOR_TEST 0x0C11
#define GL_COLOR_CLEAR_VALUE 0x0C22
#define GL_PERSPECTIVE_CORRECTION_HINT 0x0C50
#define GL_POINT_SMOOTH_HINT 0x0C51
#define GL_LINE_SMOOTH_HINT 0x0C52
#define GL_POLYGON_SMOOTH_HINT 0x0C53
#define GL_FOG_HINT 0x0C54
#define GL_UNPACK_ALIGNMENT 0x0CF5
#define GL_PACK_ALIGNMENT 0x0D05
#define GL_MAX_VIEWPORT_DIMS 0x0D3A
#define GL_TEXTURE_2D 0x0DE1
#define GL_TEXTURE_BORDER_COLOR 0x1004

#define GL_DONT_CARE 0x1100
#define GL_FASTEST 0x1101
#define GL_NICEST 0x1102

#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_COMPILE 0x1300
#define GL_COMPILE_AND_EXECUTE 0x1301

#define GL_BYTE 0x1400
#define GL_UNSIGNED_BYTE 0x1401
#define GL_SHORT 0x1402
#define GL_UNSIGNED_SHORT 0x1403
#define GL_INT 0x1404
#define GL_UNSIGNED_INT 0x1405
#define GL_FLOAT 0x1406

#define GL_EMISSION 0x1600
#define GL_SHININESS 0x1601
#define GL_AMBIENT_AND_DIFFUSE 0x1602
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_TEXTURE 0x1702
#define GL_RGB 0x1907
#define GL_RGBA 0x1908
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_REPLACE 0x1E01

#define GL_MODULATE 0x2100
#define GL_DECAL 0x2101
#define GL_TEXTURE_ENV_MODE 0x2200
#define GL_TEXTURE_ENV 0x2300
#define GL_NEAREST 0x2600
#define GL_LINEAR 0x2601
#define GL_NEAREST_MIPMAP_NEAREST 0x2700
#define GL_LINEAR_MIPMAP_NEAREST 0x2701
#define GL_NEAREST_MIPMAP_LINEAR 0x2702
#define GL_LINEAR_MIPMAP_LINEAR 0x2703
#define GL_TEXTURE_MAG_FILTER 0x2800
#define GL_TEXTURE_MIN_FILTER 0x2801
#define GL_TEXTURE_WRAP_S 0x2802
#define GL_TEXTURE_WRAP_T 0x2803
#define GL_CLAMP 0x2900
#define GL_REPEAT 0x2901

#define GL_LIGHT0 0x4000
#define GL_LIGHT1 0x4001
#define GL_LIGHT2 0x4002
#define GL_LIGHT3 0x4003
#define GL_LIGHT4 0x4004
#define GL_LIGHT5 0x4005
#define GL_LIGHT6 0x4006
#define GL_LIGHT7 0x4007

#define GL_RGB8 0x8051
#define GL_RGBA8 0x8058
#define GL_TEXTURE_BINDING_2D 0x8069
#define GL_VERTEX_ARRAY 0x8074
#define GL_NORMAL_ARRAY 0x8075
#define GL_TEXTURE_COORD_ARRAY 0x8078
#define GL_CLAMP_TO_EDGE 0x812F
#define GL_SAMPLES 0x80A9

#define GLU_SMOOTH 100000
#define GLU_FLAT 100001
#define GLU_NONE 100002

// Immediate mode.
void ffglBegin(GLenum mode);
void ffglEnd();
void ffglVertex2f(GLfloat x, GLfloat y);
void ffglVertex3f(GLfloat x, GLfloat y, GLfloat z);
void ffglVertex3fv(const GLfloat* v);
void ffglColor3f(GLfloat red, GLfloat green, GLfloat blue);
void ffglColor3fv(const GLfloat* v);
void ffglColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void ffglNormal3f(GLfloat x, GLfloat y, GLfloat z);
void ffglTexCoord2f(GLfloat s, GLfloat t);

// Transforms.
void ffglMatrixMode(GLenum mode);
void ffglLoadIdentity();
void ffglPushMatrix();
void ffglPopMatrix();
void ffglLoadMatrixf(const GLfloat* m);
void ffglMultMatrixf(const GLfloat* m);
void ffglTranslatef(GLfloat x, GLfloat y, GLfloat z);
void ffglRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void ffglScalef(GLfloat x, GLfloat y, GLfloat z);
void ffglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar);
void ffglViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void ffglScissor(GLint x, GLint y, GLsizei width, GLsizei height);

// Fixed-function state and clearing.
void ffglEnable(GLenum capability);
void ffglDisable(GLenum capability);
GLboolean ffglIsEnabled(GLenum capability);
void ffglClear(GLbitfield mask);
void ffglClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void ffglClearDepth(GLclampd depth);
void ffglDepthFunc(GLenum func);
void ffglDepthMask(GLboolean flag);
void ffglBlendFunc(GLenum source, GLenum destination);
void ffglCullFace(GLenum mode);
void ffglFrontFace(GLenum mode);
void ffglShadeModel(GLenum mode);
void ffglPointSize(GLfloat size);
void ffglHint(GLenum target, GLenum mode);
void ffglColorMaterial(GLenum face, GLenum mode);
void ffglMaterialf(GLenum face, GLenum name, GLfloat value);
void ffglMaterialfv(GLenum face, GLenum name, const GLfloat* values);

// Textures and pixel storage.
void ffglGenTextures(GLsizei count, GLuint* textures);
void ffglDeleteTextures(GLsizei count, const GLuint* textures);
void ffglBindTexture(GLenum target, GLuint texture);
void ffglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum format, GLenum type, const GLvoid* pixels);
void ffglTexParameteri(GLenum target, GLenum name, GLint value);
void ffglTexParameterfv(GLenum target, GLenum name, const GLfloat* values);
void ffglTexEnvi(GLenum target, GLenum name, GLint value);
void ffglPixelStorei(GLenum name, GLint value);

// Vertex arrays from client memory.
void ffglEnableClientState(GLenum array);
void ffglDisableClientState(GLenum array);
void ffglVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void ffglNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer);
void ffglTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer);
void ffglDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices);

// Display lists.
GLuint ffglGenLists(GLsizei range);
void ffglDeleteLists(GLuint list, GLsizei range);
GLboolean ffglIsList(GLuint list);
void ffglNewList(GLuint list, GLenum mode);
void ffglEndList();
void ffglCallList(GLuint list);
void ffglCallLists(GLsizei count, GLenum type, const GLvoid* lists);
void ffglListBase(GLuint base);

// Attribute stack, raster position, queries and read-back.
void ffglPushAttrib(GLbitfield mask);
void ffglPopAttrib();
void ffglBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
                GLfloat ymove, const GLubyte* bitmap);
GLenum ffglGetError();
void ffglGetIntegerv(GLenum name, GLint* values);
void ffglGetFloatv(GLenum name, GLfloat* values);
void ffglReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    GLvoid* pixels);
void ffglFlush();
void ffglFinish();

// GLU.
void ffgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                 GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);
void ffgluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
GLUquadric* ffgluNewQuadric();
void ffgluDeleteQuadric(GLUquadric* quadric);
void ffgluQuadricNormals(GLUquadric* quadric, GLenum normals);
void ffgluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords);
void ffgluCylinder(GLUquadric* quadric, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                   GLint stacks);
void ffgluDisk(GLUquadric* quadric, GLdouble inner, GLdouble outer, GLint slices, GLint loops);

// The layer's own calls.
struct FfglContextOptions {
    bool antialias = true;               // multisampled where the browser offers it
    bool preserveDrawingBuffer = false;  // keep the pixels after the browser presents them
};

// Makes a WebGL 2 context on the canvas that canvasSelector names (for example "#canvas") and
// makes it current, with GL 1.1's initial state. False when the browser has no WebGL 2 or a
// context exists already. A context made again on the same canvas starts afresh too.
bool ffglCreateContext(const char* canvasSelector, const FfglContextOptions& options);
// Deletes what the layer made in the context (textures and lists included), then the context.
void ffglDestroyContext();
// Submits the frame's queued draws. The caller then yields to the browser, which presents them.
void ffglEndFrame();
// While on, draws are dropped (no vertex gathered or uploaded, nothing cleared, no WebGL draw)
// and every state change still applies: matrices, enables, colours and the other current
// values, bindings, lists compiled, list base, raster position. The state afterwards is what
// drawing the same calls would have left. Draws queued before it is switched on are kept.
void ffglDiscardDraws(bool discard);
bool ffglDiscardingDraws();
// WebGL draw calls made since the context was made.
unsigned long ffglDrawCount();

#ifndef FFGL_NO_GL_NAMES
#define glBegin ffglBegin
#define glEnd ffglEnd
#define glVertex2f ffglVertex2f
#define glVertex3f ffglVertex3f
#define glVertex3fv ffglVertex3fv
#define glColor3f ffglColor3f
#define glColor3fv ffglColor3fv
#define glColor4f ffglColor4f
#define glNormal3f ffglNormal3f
#define glTexCoord2f ffglTexCoord2f
#define glMatrixMode ffglMatrixMode
#define glLoadIdentity ffglLoadIdentity
#define glPushMatrix ffglPushMatrix
#define glPopMatrix ffglPopMatrix
#define glLoadMatrixf ffglLoadMatrixf
#define glMultMatrixf ffglMultMatrixf
#define glTranslatef ffglTranslatef
#define glRotatef ffglRotatef
#define glScalef ffglScalef
#define glOrtho ffglOrtho
#define glViewport ffglViewport
#define glScissor ffglScissor
#define glEnable ffglEnable
#define glDisable ffglDisable
#define glIsEnabled ffglIsEnabled
#define glClear ffglClear
#define glClearColor ffglClearColor
#define glClearDepth ffglClearDepth
#define glDepthFunc ffglDepthFunc
#define glDepthMask ffglDepthMask
#define glBlendFunc ffglBlendFunc
#define glCullFace ffglCullFace
#define glFrontFace ffglFrontFace
#define glShadeModel ffglShadeModel
#define glPointSize ffglPointSize
#define glHint ffglHint
#define glColorMaterial ffglColorMaterial
#define glMaterialf ffglMaterialf
#define glMaterialfv ffglMaterialfv
#define glGenTextures ffglGenTextures
#define glDeleteTextures ffglDeleteTextures
#define glBindTexture ffglBindTexture
#define glTexImage2D ffglTexImage2D
#define glTexParameteri ffglTexParameteri
#define glTexParameterfv ffglTexParameterfv
#define glTexEnvi ffglTexEnvi
#define glPixelStorei ffglPixelStorei
#define glEnableClientState ffglEnableClientState
#define glDisableClientState ffglDisableClientState
#define glVertexPointer ffglVertexPointer
#define glNormalPointer ffglNormalPointer
#define glTexCoordPointer ffglTexCoordPointer
#define glDrawElements ffglDrawElements
#define glGenLists ffglGenLists
#define glDeleteLists ffglDeleteLists
#define glIsList ffglIsList
#define glNewList ffglNewList
#define glEndList ffglEndList
#define glCallList ffglCallList
#define glCallLists ffglCallLists
#define glListBase ffglListBase
#define glPushAttrib ffglPushAttrib
#define glPopAttrib ffglPopAttrib
#define glBitmap ffglBitmap
#define glGetError ffglGetError
#define glGetIntegerv ffglGetIntegerv
#define glGetFloatv ffglGetFloatv
#define glReadPixels ffglReadPixels
#define glFlush ffglFlush
#define glFinish ffglFinish
#define gluLookAt ffgluLookAt
#define gluPerspective ffgluPerspective
#define gluNewQuadric ffgluNewQuadric
#define gluDeleteQuadric ffgluDeleteQuadric
#define gluQuadricNormals ffgluQuadricNormals
#define gluQuadricTexture ffgluQuadricTexture
#define gluCylinder ffgluCylinder
#define gluDisk ffgluDisk
#endif
