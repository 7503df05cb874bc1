// The error flag and the debug report of refused calls. Release builds stay silent: a page's
// console is the viewer's, and glGetError says all a caller needs.
#include "Errors.h"

#include <cstdio>
#include <set>
#include <string>

#include "State.h"

namespace ffgl {

#ifndef NDEBUG
namespace {

const char* errorName(GLenum error) {
    switch (error) {
        case GL_INVALID_ENUM:
            return "GL_INVALID_ENUM";
        case GL_INVALID_VALUE:
            return "GL_INVALID_VALUE";
        case GL_INVALID_OPERATION:
            return "GL_INVALID_OPERATION";
        case GL_STACK_OVERFLOW:
            return "GL_STACK_OVERFLOW";
        case GL_STACK_UNDERFLOW:
            return "GL_STACK_UNDERFLOW";
        default:
            return "GL_OUT_OF_MEMORY";
    }
}

}  // namespace
#endif

void refuse(const char* call, GLenum error, const char* reason) {
    if (state().error == GL_NO_ERROR) state().error = error;
#ifndef NDEBUG
    static std::set<std::string> reported;
    if (reported.insert(call).second)
        std::fprintf(stderr, "ffgl: %s refused (%s): %s\n", call, errorName(error), reason);
#else
    (void)call;
    (void)reason;
#endif
}

bool outsideBeginEnd(const char* call) {
    if (!state().insideBeginEnd) return true;
    refuse(call, GL_INVALID_OPERATION, "not allowed between glBegin and glEnd");
    return false;
}

}  // namespace ffgl
