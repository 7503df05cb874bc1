// GL 1.1 and GLU names for the web build, routed through our layer over the browser's
// fixed-function emulation. Included by platform/GL.h on emscripten only, after the system's
// gl.h and glu.h: each name below becomes orbek<name>, so the drawing code reads the same.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

// Immediate mode: assembled here, drawn through the emulation in one go at glEnd.
void orbekglBegin(GLenum mode);
void orbekglEnd();
void orbekglVertex2f(GLfloat x, GLfloat y);
void orbekglVertex2i(GLint x, GLint y);
void orbekglVertex3f(GLfloat x, GLfloat y, GLfloat z);
void orbekglVertex3fv(const GLfloat* v);
void orbekglVertex3d(GLdouble x, GLdouble y, GLdouble z);
void orbekglVertex3dv(const GLdouble* v);
void orbekglVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
void orbekglColor3f(GLfloat r, GLfloat g, GLfloat b);
void orbekglColor3fv(const GLfloat* v);
void orbekglColor3d(GLdouble r, GLdouble g, GLdouble b);
void orbekglColor3ub(GLubyte r, GLubyte g, GLubyte b);
void orbekglColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void orbekglColor4fv(const GLfloat* v);
void orbekglNormal3f(GLfloat x, GLfloat y, GLfloat z);
void orbekglNormal3fv(const GLfloat* v);
void orbekglNormal3d(GLdouble x, GLdouble y, GLdouble z);
void orbekglTexCoord2f(GLfloat s, GLfloat t);
void orbekglTexCoord2fv(const GLfloat* v);
void orbekglTexCoord2d(GLdouble s, GLdouble t);

// State, transforms and drawing from arrays.
void orbekglEnable(GLenum capability);
void orbekglDisable(GLenum capability);
void orbekglMatrixMode(GLenum mode);
void orbekglLoadIdentity();
void orbekglPushMatrix();
void orbekglPopMatrix();
void orbekglLoadMatrixf(const GLfloat* m);
void orbekglMultMatrixf(const GLfloat* m);
void orbekglMultMatrixd(const GLdouble* m);
void orbekglTranslatef(GLfloat x, GLfloat y, GLfloat z);
void orbekglTranslated(GLdouble x, GLdouble y, GLdouble z);
void orbekglRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void orbekglRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z);
void orbekglScalef(GLfloat x, GLfloat y, GLfloat z);
void orbekglScaled(GLdouble x, GLdouble y, GLdouble z);
void orbekglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                  GLdouble zFar);
void orbekglFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar);
void orbekglViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void orbekglClear(GLbitfield mask);
void orbekglClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void orbekglClearDepth(GLclampd depth);
void orbekglDepthFunc(GLenum func);
void orbekglDepthMask(GLboolean flag);
void orbekglBlendFunc(GLenum source, GLenum destination);
void orbekglCullFace(GLenum mode);
void orbekglShadeModel(GLenum mode);
void orbekglPointSize(GLfloat size);
void orbekglLineWidth(GLfloat width);
void orbekglHint(GLenum target, GLenum mode);
void orbekglBindTexture(GLenum target, GLuint texture);
void orbekglTexEnvi(GLenum target, GLenum name, GLint value);
void orbekglTexParameteri(GLenum target, GLenum name, GLint value);
void orbekglTexParameterfv(GLenum target, GLenum name, const GLfloat* values);
void orbekglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                       GLsizei height, GLint border, GLenum format, GLenum type,
                       const GLvoid* pixels);
void orbekglPixelStorei(GLenum name, GLint value);
void orbekglDrawArrays(GLenum mode, GLint first, GLsizei count);
void orbekglDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices);
void orbekglReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                       GLvoid* pixels);
void orbekglReadBuffer(GLenum mode);
void orbekglDrawBuffer(GLenum mode);
void orbekglFlush();
void orbekglFinish();

// Materials.
void orbekglColorMaterial(GLenum face, GLenum mode);
void orbekglMaterialf(GLenum face, GLenum name, GLfloat value);
void orbekglMaterialfv(GLenum face, GLenum name, const GLfloat* values);

// Display lists.
GLuint orbekglGenLists(GLsizei range);
void orbekglDeleteLists(GLuint list, GLsizei range);
GLboolean orbekglIsList(GLuint list);
void orbekglNewList(GLuint list, GLenum mode);
void orbekglEndList();
void orbekglCallList(GLuint list);
void orbekglCallLists(GLsizei count, GLenum type, const GLvoid* lists);
void orbekglListBase(GLuint base);

// Attribute stacks.
void orbekglPushAttrib(GLbitfield mask);
void orbekglPopAttrib();
void orbekglPushClientAttrib(GLbitfield mask);
void orbekglPopClientAttrib();

// Bitmaps at the raster position.
void orbekglRasterPos2i(GLint x, GLint y);
void orbekglRasterPos2f(GLfloat x, GLfloat y);
void orbekglRasterPos3f(GLfloat x, GLfloat y, GLfloat z);
void orbekglBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
                   GLfloat ymove, const GLubyte* bitmap);

// GLU: view matrices and quadrics.
void orbekgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
                    GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);
void orbekgluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
GLUquadric* orbekgluNewQuadric();
void orbekgluDeleteQuadric(GLUquadric* quadric);
void orbekgluQuadricNormals(GLUquadric* quadric, GLenum normals);
void orbekgluQuadricTexture(GLUquadric* quadric, GLboolean textureCoords);
void orbekgluQuadricOrientation(GLUquadric* quadric, GLenum orientation);
void orbekgluCylinder(GLUquadric* quadric, GLdouble base, GLdouble top, GLdouble height,
                      GLint slices, GLint stacks);
void orbekgluDisk(GLUquadric* quadric, GLdouble inner, GLdouble outer, GLint slices, GLint loops);
void orbekgluPartialDisk(GLUquadric* quadric, GLdouble inner, GLdouble outer, GLint slices,
                         GLint loops, GLdouble start, GLdouble sweep);

#ifndef ORBEK_WEBGL_NO_RENAME
#define glBegin orbekglBegin
#define glEnd orbekglEnd
#define glVertex2f orbekglVertex2f
#define glVertex2i orbekglVertex2i
#define glVertex3f orbekglVertex3f
#define glVertex3fv orbekglVertex3fv
#define glVertex3d orbekglVertex3d
#define glVertex3dv orbekglVertex3dv
#define glVertex4f orbekglVertex4f
#define glColor3f orbekglColor3f
#define glColor3fv orbekglColor3fv
#define glColor3d orbekglColor3d
#define glColor3ub orbekglColor3ub
#define glColor4f orbekglColor4f
#define glColor4fv orbekglColor4fv
#define glNormal3f orbekglNormal3f
#define glNormal3fv orbekglNormal3fv
#define glNormal3d orbekglNormal3d
#define glTexCoord2f orbekglTexCoord2f
#define glTexCoord2fv orbekglTexCoord2fv
#define glTexCoord2d orbekglTexCoord2d
#define glEnable orbekglEnable
#define glDisable orbekglDisable
#define glMatrixMode orbekglMatrixMode
#define glLoadIdentity orbekglLoadIdentity
#define glPushMatrix orbekglPushMatrix
#define glPopMatrix orbekglPopMatrix
#define glLoadMatrixf orbekglLoadMatrixf
#define glMultMatrixf orbekglMultMatrixf
#define glMultMatrixd orbekglMultMatrixd
#define glTranslatef orbekglTranslatef
#define glTranslated orbekglTranslated
#define glRotatef orbekglRotatef
#define glRotated orbekglRotated
#define glScalef orbekglScalef
#define glScaled orbekglScaled
#define glOrtho orbekglOrtho
#define glFrustum orbekglFrustum
#define glViewport orbekglViewport
#define glClear orbekglClear
#define glClearColor orbekglClearColor
#define glClearDepth orbekglClearDepth
#define glDepthFunc orbekglDepthFunc
#define glDepthMask orbekglDepthMask
#define glBlendFunc orbekglBlendFunc
#define glCullFace orbekglCullFace
#define glShadeModel orbekglShadeModel
#define glPointSize orbekglPointSize
#define glLineWidth orbekglLineWidth
#define glHint orbekglHint
#define glBindTexture orbekglBindTexture
#define glTexEnvi orbekglTexEnvi
#define glTexParameteri orbekglTexParameteri
#define glTexParameterfv orbekglTexParameterfv
#define glTexImage2D orbekglTexImage2D
#define glPixelStorei orbekglPixelStorei
#define glDrawArrays orbekglDrawArrays
#define glDrawElements orbekglDrawElements
#define glReadPixels orbekglReadPixels
#define glReadBuffer orbekglReadBuffer
#define glDrawBuffer orbekglDrawBuffer
#define glFlush orbekglFlush
#define glFinish orbekglFinish
#define glColorMaterial orbekglColorMaterial
#define glMaterialf orbekglMaterialf
#define glMaterialfv orbekglMaterialfv
#define glGenLists orbekglGenLists
#define glDeleteLists orbekglDeleteLists
#define glIsList orbekglIsList
#define glNewList orbekglNewList
#define glEndList orbekglEndList
#define glCallList orbekglCallList
#define glCallLists orbekglCallLists
#define glListBase orbekglListBase
#define glPushAttrib orbekglPushAttrib
#define glPopAttrib orbekglPopAttrib
#define glPushClientAttrib orbekglPushClientAttrib
#define glPopClientAttrib orbekglPopClientAttrib
#define glRasterPos2i orbekglRasterPos2i
#define glRasterPos2f orbekglRasterPos2f
#define glRasterPos3f orbekglRasterPos3f
#define glBitmap orbekglBitmap
#define gluLookAt orbekgluLookAt
#define gluPerspective orbekgluPerspective
#define gluNewQuadric orbekgluNewQuadric
#define gluDeleteQuadric orbekgluDeleteQuadric
#define gluQuadricNormals orbekgluQuadricNormals
#define gluQuadricTexture orbekgluQuadricTexture
#define gluQuadricOrientation orbekgluQuadricOrientation
#define gluCylinder orbekgluCylinder
#define gluDisk orbekgluDisk
#define gluPartialDisk orbekgluPartialDisk
#endif
