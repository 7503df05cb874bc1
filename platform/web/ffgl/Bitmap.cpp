// glBitmap as a font without bitmaps uses it: a 0 x 0 bitmap that only moves the raster
// position. Drawing bits is refused; nothing of the program draws them in a browser.
#include "Errors.h"
#include "Lists.h"
#include "State.h"

using namespace ffgl;

void ffglBitmap(GLsizei width, GLsizei height, GLfloat, GLfloat, GLfloat xmove, GLfloat ymove,
                const GLubyte*) {
    if (!outsideBeginEnd("glBitmap")) return;
    if (width < 0 || height < 0) return refuse("glBitmap", GL_INVALID_VALUE, "a negative size");
    if (width != 0 && height != 0)
        return refuse("glBitmap", GL_INVALID_OPERATION, "only 0 x 0 bitmaps, which move");
    if (recorded(Op::bitmap, xmove, ymove)) return;
    state().current.raster[0] += xmove;
    state().current.raster[1] += ymove;
}
