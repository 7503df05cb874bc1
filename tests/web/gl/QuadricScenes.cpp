// Quadric scenes shared by the browser tests and the desktop reference renderer: disks with and
// without a hole, a textured disk, a cylinder and a cone turned to show their sides, tilted
// views of both so their vertex order and normals' slices are seen from an angle.
#include "tests/web/gl/QuadricScenes.h"

namespace {

void disk(GLUquadric* quadric, GLuint) {
    glColor3f(1.0f, 1.0f, 1.0f);
    gluDisk(quadric, 0.0, 0.5, 32, 3);
}

void ring(GLUquadric* quadric, GLuint) {
    glColor3f(1.0f, 1.0f, 1.0f);
    gluDisk(quadric, 0.25, 0.5, 32, 2);
}

void texturedDisk(GLUquadric* quadric, GLuint texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1.0f, 1.0f, 1.0f);
    gluQuadricTexture(quadric, GL_TRUE);
    gluDisk(quadric, 0.0, 0.5, 32, 1);
    gluQuadricTexture(quadric, GL_FALSE);
    glDisable(GL_TEXTURE_2D);
}

void cylinder(GLUquadric* quadric, GLuint) {
    glColor3f(0.5f, 0.8f, 1.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.5, 0.5, 0.9, 32, 4);
}

void cone(GLUquadric* quadric, GLuint) {
    glColor3f(1.0f, 0.5f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.5, 0.0, 0.9, 32, 1);
}

// Textured and tilted, with the depth test: the texture's seam and the strips' order show.
void texturedTube(GLUquadric* quadric, GLuint texture) {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
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

}  // namespace

const QuadricScene quadricScenes[] = {
    {"quadric-disk", disk},
    {"quadric-ring", ring},
    {"quadric-disk-textured", texturedDisk},
    {"quadric-cylinder", cylinder},
    {"quadric-cone", cone},
    {"quadric-tube-textured", texturedTube},
    {nullptr, nullptr},
};

GLuint makeTwoTexelTexture() {
    const unsigned char texels[] = {255, 0, 0, 0, 255, 0};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    return texture;
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
