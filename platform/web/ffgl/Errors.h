// GL errors the layer raises: the first one waits for glGetError, and a debug build names each
// refused call once on stderr. Internal to ffgl.
#pragma once

#include "ffgl.h"

namespace ffgl {

// Sets error unless one is already waiting; call is the GL name, reason one short clause.
void refuse(const char* call, GLenum error, const char* reason);

// False (and GL_INVALID_OPERATION) between glBegin and glEnd, where call may not be made.
bool outsideBeginEnd(const char* call);

}  // namespace ffgl
