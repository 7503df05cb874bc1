// Scenes shared by the browser tests and the desktop reference renderer. Quadrics: disks with and
// without a hole, a textured disk, a cylinder and a cone from the side, a tilted textured tube.
// Then one scene per piece of fixed-function state the layer draws with shaders: the primitives
// smooth and flat (flat shows which vertex gives a primitive its colour), lighting with materials,
// colour material and flat lighting, the three texture environments over a blended background,
// blending factors, culling, depth, the scissor box and point sizes.
#include "tests/web/ffgl/ReferenceScenes.h"

#include <cmath>

namespace {

constexpr float pi = 3.14159265f;

const GLfloat palette[6][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},
                               {1.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 1.0f}, {1.0f, 0.0f, 1.0f}};

void colour(int i) {
    glColor3fv(palette[i % 6]);
}

void quad(float x0, float y0, float x1, float y1, float z) {
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glEnd();
}

// GL's material defaults, which the lit scenes change.
void defaultMaterial() {
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f}, diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f},
                  black[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}

void disk(GLUquadric* quadric, const SceneTextures&) {
    glColor3f(1.0f, 1.0f, 1.0f);
    gluDisk(quadric, 0.0, 0.5, 32, 3);
}

void ring(GLUquadric* quadric, const SceneTextures&) {
    glColor3f(1.0f, 1.0f, 1.0f);
    gluDisk(quadric, 0.25, 0.5, 32, 2);
}

void texturedDisk(GLUquadric* quadric, const SceneTextures& textures) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
    glColor3f(1.0f, 1.0f, 1.0f);
    gluQuadricTexture(quadric, GL_TRUE);
    gluDisk(quadric, 0.0, 0.5, 32, 1);
    gluQuadricTexture(quadric, GL_FALSE);
    glDisable(GL_TEXTURE_2D);
}

void cylinder(GLUquadric* quadric, const SceneTextures&) {
    glColor3f(0.5f, 0.8f, 1.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.5, 0.5, 0.9, 32, 4);
}

void cone(GLUquadric* quadric, const SceneTextures&) {
    glColor3f(1.0f, 0.5f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.5, 0.0, 0.9, 32, 1);
}

// Textured and tilted, with the depth test: the texture's seam and the strips' order show.
void texturedTube(GLUquadric* quadric, const SceneTextures& textures) {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
    glColor3f(1.0f, 1.0f, 1.0f);
    gluQuadricTexture(quadric, GL_TRUE);
    glRotatef(-60.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, -0.4f);
    gluCylinder(quadric, 0.4, 0.25, 0.8, 12, 3);
    gluDisk(quadric, 0.1, 0.4, 12, 2);
    gluQuadricTexture(quadric, GL_FALSE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
}

// Six cells, one per polygon primitive, each vertex in a colour of its own.
void primitives(GLUquadric*, const SceneTextures&) {
    int k = 0;
    glBegin(GL_TRIANGLES);
    const float triangles[6][2] = {{-0.95f, 0.1f}, {-0.4f, 0.1f},  {-0.7f, 0.5f},
                                   {-0.95f, 0.9f}, {-0.65f, 0.5f}, {-0.35f, 0.9f}};
    for (const auto& v : triangles) {
        colour(k++);
        glVertex2f(v[0], v[1]);
    }
    glEnd();
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 6; ++i) {
        colour(k++);
        glVertex2f(-0.3f + 0.11f * i, i % 2 ? 0.85f : 0.15f);
    }
    glEnd();
    glBegin(GL_TRIANGLE_FAN);
    colour(k++);
    glVertex2f(0.62f, 0.2f);
    for (int i = 0; i <= 4; ++i) {
        colour(k++);
        const float angle = pi * (0.15f + 0.175f * i);
        glVertex2f(0.62f + 0.33f * std::cos(angle), 0.2f + 0.7f * std::sin(angle));
    }
    glEnd();
    glBegin(GL_QUADS);
    const float quads[8][2] = {{-0.95f, -0.9f}, {-0.7f, -0.85f}, {-0.65f, -0.45f},
                               {-0.9f, -0.5f},  {-0.6f, -0.4f},  {-0.35f, -0.6f},
                               {-0.4f, -0.1f},  {-0.65f, -0.15f}};
    for (const auto& v : quads) {
        colour(k++);
        glVertex2f(v[0], v[1]);
    }
    glEnd();
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 4; ++i) {
        colour(k++);
        glVertex2f(-0.28f + 0.17f * i, -0.9f + 0.05f * i);
        colour(k++);
        glVertex2f(-0.25f + 0.17f * i, -0.2f - 0.04f * i);
    }
    glEnd();
    glBegin(GL_POLYGON);
    for (int i = 0; i < 6; ++i) {
        colour(k++);
        const float angle = pi / 3.0f * i + 0.2f;
        glVertex2f(0.6f + 0.33f * std::cos(angle), -0.5f + 0.38f * std::sin(angle));
    }
    glEnd();
}

void primitivesFlat(GLUquadric* quadric, const SceneTextures& textures) {
    glShadeModel(GL_FLAT);
    primitives(quadric, textures);
    glShadeModel(GL_SMOOTH);
}

// A lit cone from above and to the side: diffuse falling off round it, a specular highlight
// where its normals face the viewer, the material's ambient and emission in its shade. The
// current colour does not show while colour material is off.
void litMaterial(GLUquadric* quadric, const SceneTextures&) {
    const GLfloat ambient[] = {0.5f, 0.1f, 0.1f, 1.0f}, diffuse[] = {0.2f, 0.5f, 0.9f, 1.0f},
                  specular[] = {0.9f, 0.9f, 0.6f, 1.0f}, emission[] = {0.1f, 0.05f, 0.0f, 1.0f};
    defaultMaterial();
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glMaterialf(GL_FRONT, GL_SHININESS, 24.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glColor3f(1.0f, 0.0f, 0.0f);
    glRotatef(-55.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(25.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -0.5f);
    gluCylinder(quadric, 0.6, 0.15, 1.0, 24, 3);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    defaultMaterial();
}

// A band of quads whose normals turn across it, in per-vertex colours that colour material makes
// the ambient and diffuse; a second band makes them the emission over a set ambient and diffuse.
// (Each band sets what it does not track: which colour the properties keep after a band tracked
// them is where GL implementations part.)
void litBand(GLenum property, float y) {
    glColorMaterial(GL_FRONT_AND_BACK, property);
    if (property == GL_EMISSION) {
        const GLfloat ambient[] = {0.3f, 0.2f, 0.1f, 1.0f}, diffuse[] = {0.2f, 0.3f, 0.5f, 1.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    }
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 8; ++i) {
        const float angle = -1.2f + 0.3f * i;
        glNormal3f(std::sin(angle), 0.0f, std::cos(angle));
        colour(i);
        glVertex2f(-0.9f + 0.225f * i, y);
        glVertex2f(-0.9f + 0.225f * i, y + 0.7f);
    }
    glEnd();
}

void litColourMaterial(GLUquadric*, const SceneTextures&) {
    const GLfloat specular[] = {0.5f, 0.5f, 0.5f, 1.0f};
    defaultMaterial();
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 10.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    litBand(GL_AMBIENT_AND_DIFFUSE, 0.1f);
    litBand(GL_EMISSION, -0.8f);
    glDisable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    defaultMaterial();
}

void litFlat(GLUquadric* quadric, const SceneTextures& textures) {
    glShadeModel(GL_FLAT);
    litColourMaterial(quadric, textures);
    glShadeModel(GL_SMOOTH);
}

// A grey background, then the 2 x 2 texture of four alphas over a quad whose vertex colours and
// alphas differ, blended so that alpha shows; below, the RGB texture (no alpha of its own).
void textureEnvironment(GLenum mode, const SceneTextures& textures) {
    glColor3f(0.5f, 0.5f, 0.5f);
    quad(-0.95f, -0.95f, 0.95f, 0.95f, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(mode));
    glBindTexture(GL_TEXTURE_2D, textures.alphaGrid);
    const float corners[4][2] = {{-0.8f, -0.1f}, {0.8f, -0.1f}, {0.8f, 0.8f}, {-0.8f, 0.8f}};
    const float alphas[4] = {1.0f, 0.25f, 0.75f, 0.5f};
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        const GLfloat* c = palette[i + 1];
        glColor4f(c[0], c[1], c[2], alphas[i]);
        glTexCoord2f(i == 1 || i == 2 ? 1.0f : 0.0f, i >= 2 ? 1.0f : 0.0f);
        glVertex2f(corners[i][0], corners[i][1]);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
    glColor4f(0.2f, 0.4f, 1.0f, 0.6f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-0.8f, -0.8f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(0.8f, -0.8f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(0.8f, -0.3f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-0.8f, -0.3f);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void textureModulate(GLUquadric*, const SceneTextures& textures) {
    textureEnvironment(GL_MODULATE, textures);
}

void textureReplace(GLUquadric*, const SceneTextures& textures) {
    textureEnvironment(GL_REPLACE, textures);
}

void textureDecal(GLUquadric*, const SceneTextures& textures) {
    textureEnvironment(GL_DECAL, textures);
}

// Half-transparent squares over stripes under three pairs of factors.
void blending(GLUquadric*, const SceneTextures&) {
    for (int i = 0; i < 4; ++i) {
        colour(i);
        quad(-0.95f + 0.475f * i, -0.95f, -0.5f + 0.475f * i, 0.95f, 0.0f);
    }
    glEnable(GL_BLEND);
    const GLenum factors[3][2] = {
        {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}, {GL_ONE, GL_ONE}, {GL_DST_COLOR, GL_ZERO}};
    for (int i = 0; i < 3; ++i) {
        glBlendFunc(factors[i][0], factors[i][1]);
        glColor4f(0.6f, 0.3f, 0.9f, 0.4f);
        quad(-0.8f + 0.55f * i, -0.7f + 0.5f * i, -0.2f + 0.55f * i, -0.1f + 0.5f * i, 0.0f);
    }
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// Counter-clockwise and clockwise squares, culled as back faces, then as front faces with
// clockwise the front: two of the eight show in each row.
void culling(GLUquadric*, const SceneTextures&) {
    glEnable(GL_CULL_FACE);
    for (int row = 0; row < 2; ++row) {
        if (row == 1) {
            glCullFace(GL_FRONT);
            glFrontFace(GL_CW);
        }
        const float y = row == 0 ? 0.1f : -0.9f;
        for (int i = 0; i < 4; ++i) {
            colour(i + 2 * row);
            const float x = -0.95f + 0.48f * i;
            if (i % 2 == 0) {
                quad(x, y, x + 0.4f, y + 0.8f, 0.0f);
            } else {
                glBegin(GL_QUADS);
                glVertex2f(x, y);
                glVertex2f(x, y + 0.8f);
                glVertex2f(x + 0.4f, y + 0.8f);
                glVertex2f(x + 0.4f, y);
                glEnd();
            }
        }
    }
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glDisable(GL_CULL_FACE);
}

// Overlapping squares at different depths: nearer wins under GL_LESS, the far one under
// GL_GREATER, and a square drawn without writing depth lets a farther one through.
void depth(GLUquadric*, const SceneTextures&) {
    glEnable(GL_DEPTH_TEST);
    glColor3f(1.0f, 0.0f, 0.0f);
    quad(-0.9f, 0.1f, -0.1f, 0.9f, -0.5f);
    glColor3f(0.0f, 1.0f, 0.0f);
    quad(-0.5f, 0.3f, 0.3f, 0.8f, 0.2f);
    glDepthFunc(GL_GREATER);
    glColor3f(0.0f, 0.0f, 1.0f);
    quad(-0.7f, 0.0f, 0.9f, 0.5f, -0.8f);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_FALSE);
    glColor3f(1.0f, 1.0f, 0.0f);
    quad(-0.9f, -0.9f, 0.1f, -0.1f, 0.6f);
    glDepthMask(GL_TRUE);
    glColor3f(0.0f, 1.0f, 1.0f);
    quad(-0.4f, -0.7f, 0.7f, -0.3f, 0.3f);
    glDisable(GL_DEPTH_TEST);
}

// A clear and a triangle inside one scissor box, and a triangle outside any: the box cuts both.
void scissor(GLUquadric*, const SceneTextures&) {
    glScissor(20, 30, 70, 50);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 0.8f, 0.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(-0.9f, -0.9f);
    glVertex2f(0.9f, -0.5f);
    glVertex2f(0.0f, 0.9f);
    glEnd();
    glDisable(GL_SCISSOR_TEST);
    glScissor(0, 0, 128, 128);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glColor3f(0.0f, 1.0f, 0.5f);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.5f, 0.5f);
    glVertex2f(0.95f, 0.5f);
    glVertex2f(0.7f, 0.95f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}

// Points of sizes 1 to 4, odd ones on pixel centres and even ones on pixel corners (where no
// pixel centre lies on a square's edge), and a textured one taking its texel.
void points(GLUquadric*, const SceneTextures& textures) {
    for (int size = 1; size <= 4; ++size) {
        glPointSize(static_cast<float>(size));
        const float centre = size % 2 ? 0.5f : 0.0f;
        glBegin(GL_POINTS);
        for (int i = 0; i < 6; ++i) {
            colour(i + size);
            glVertex2f((-60.0f + 20.0f * i + centre) / 64.0f,
                       (-60.0f + 25.0f * size + centre) / 64.0f);
        }
        glEnd();
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPointSize(6.0f);
    glBegin(GL_POINTS);
    glTexCoord2f(0.75f, 0.5f);
    glVertex2f(0.0f, 0.0f);
    glEnd();
    glPointSize(1.0f);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

const ReferenceScene referenceScenes[] = {
    {"quadric-disk", disk},
    {"quadric-ring", ring},
    {"quadric-disk-textured", texturedDisk},
    {"quadric-cylinder", cylinder},
    {"quadric-cone", cone},
    {"quadric-tube-textured", texturedTube},
    {"primitives-smooth", primitives},
    {"primitives-flat", primitivesFlat},
    {"lit-material", litMaterial},
    {"lit-colour-material", litColourMaterial},
    {"lit-flat", litFlat},
    {"texture-modulate", textureModulate},
    {"texture-replace", textureReplace},
    {"texture-decal", textureDecal},
    {"blending", blending},
    {"culling", culling},
    {"depth", depth},
    {"scissor", scissor},
    {"points", points},
    {nullptr, nullptr},
};

SceneTextures makeSceneTextures() {
    SceneTextures textures{};
    const unsigned char twoTexels[] = {255, 0, 0, 0, 255, 0};
    const unsigned char alphaGrid[] = {255, 255, 255, 255, 255, 128, 0,  64,
                                       0,   128, 255, 192, 64,  255, 64, 0};
    GLuint names[2];
    glGenTextures(2, names);
    textures.twoTexels = names[0];
    textures.alphaGrid = names[1];
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, textures.twoTexels);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, twoTexels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBindTexture(GL_TEXTURE_2D, textures.alphaGrid);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, alphaGrid);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, 0);
    return textures;
}

void startTestFrame(int size) {
    glViewport(0, 0, size, size);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
