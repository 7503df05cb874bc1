// What the layer refuses sets the GL error GL would set, or the one its header names, and changes
// nothing else: no state, no pixels. The first error waits until glGetError reads it.
#include <gtest/gtest.h>

#include "tests/web/ffgl/FfglTest.h"
#include "tests/web/ffgl/ReferenceScenes.h"

namespace {

constexpr GLenum fog = 0x0B60;          // a capability GL 1.1 has and the layer does not
constexpr GLenum blendMode = GL_BLEND;  // the texture environment GL_BLEND
constexpr GLbitfield stencilBit = 0x00000400;

const GLubyte letter[8] = {0xfe, 0xfe, 0xc0, 0xc0, 0xc6, 0xc6, 0xc0, 0xc0};
const GLubyte texel[4] = {255, 0, 0, 255};
const GLshort shortVertices[6] = {0, 0, 1, 0, 0, 1};

struct Refusal {
    const char* name;
    void (*call)();
    GLenum error;
};

const Refusal refusals[] = {
    {"Lines",
     [] {
         glBegin(GL_LINES);
         glVertex2f(-0.5f, -0.5f);
         glVertex2f(0.5f, 0.5f);
         glEnd();
     },
     GL_INVALID_ENUM},
    {"Fog", [] { glEnable(fog); }, GL_INVALID_ENUM},
    {"BlendTextureEnvironment", [] { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, blendMode); },
     GL_INVALID_ENUM},
    {"BitmapWithPixels", [] { glBitmap(8, 8, 0.0f, 0.0f, 10.0f, 0.0f, letter); },
     GL_INVALID_OPERATION},
    {"TextureMatrix", [] { glMatrixMode(GL_TEXTURE); }, GL_INVALID_ENUM},
    {"PushAttribOfOtherGroups", [] { glPushAttrib(GL_DEPTH_BUFFER_BIT); }, GL_INVALID_VALUE},
    {"MipmapLevel",
     [] { glTexImage2D(GL_TEXTURE_2D, 1, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel); },
     GL_INVALID_VALUE},
    {"TextureImageInAList",
     [] {
         const GLuint list = glGenLists(1);
         glNewList(list, GL_COMPILE);
         glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
         glEndList();
         glDeleteLists(list, 1);
     },
     GL_INVALID_OPERATION},
    {"ShortVertexArray",
     [] {
         glEnableClientState(GL_VERTEX_ARRAY);
         glVertexPointer(2, GL_SHORT, 0, shortVertices);
         glDisableClientState(GL_VERTEX_ARRAY);
     },
     GL_INVALID_ENUM},
    {"TransformBetweenBeginAndEnd",
     [] {
         glBegin(GL_TRIANGLES);
         glTranslatef(0.5f, 0.0f, 0.0f);
         glEnd();
     },
     GL_INVALID_OPERATION},
    {"PopWithNothingPushed", [] { glPopMatrix(); }, GL_STACK_UNDERFLOW},
    {"EndListWithoutNewList", [] { glEndList(); }, GL_INVALID_OPERATION},
    {"ReadPixelsAsRGB",
     [] {
         GLubyte pixel[4];
         glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
     },
     GL_INVALID_ENUM},
    {"NegativeViewport", [] { glViewport(0, 0, -1, 5); }, GL_INVALID_VALUE},
    {"NegativeScissor", [] { glScissor(0, 0, 5, -1); }, GL_INVALID_VALUE},
    {"ClearStencil", [] { glClear(stencilBit); }, GL_INVALID_VALUE},
};

class Refused : public testing::TestWithParam<Refusal> {};

TEST_P(Refused, SetsTheErrorAndChangesNothing) {
    startTestFrame(canvasSize);
    clearGLError();
    const StateRecord before = recordState();
    const Image untouched = render([] {});
    const Image image = render([&] { GetParam().call(); });
    EXPECT_EQ(glGetError(), GetParam().error);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "glGetError clears it";
    EXPECT_EQ(stateDifferences(before, recordState()), "");
    EXPECT_EQ(image.differingPixels(untouched), 0);
}

INSTANTIATE_TEST_SUITE_P(Calls, Refused, testing::ValuesIn(refusals),
                         [](const testing::TestParamInfo<Refusal>& info) {
                             return std::string(info.param.name);
                         });

TEST(Refusals, TheFirstErrorWaitsForGlGetError) {
    clearGLError();
    glEnable(fog);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
