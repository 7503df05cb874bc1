// glPushAttrib and glPopAttrib for the groups a glyph run and its callers use: the current
// values (colour, normal, texture coordinates, raster position), the enables and the list base.
#include "Errors.h"
#include "Lists.h"
#include "Materials.h"
#include "State.h"

using namespace ffgl;

namespace {

constexpr GLbitfield keptGroups = GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LIST_BIT;

}  // namespace

void ffglPushAttrib(GLbitfield mask) {
    if (!outsideBeginEnd("glPushAttrib") || recorded(Op::pushAttrib, mask)) return;
    if (mask & ~keptGroups)
        return refuse("glPushAttrib", GL_INVALID_VALUE,
                      "groups kept are the current values, the enables and the list base");
    State& s = state();
    if (s.attribStack.size() >= maxAttribDepth)
        return refuse("glPushAttrib", GL_STACK_OVERFLOW, "the stack is full");
    s.attribStack.push_back(AttribFrame{mask, s.current, s.enables, s.listBase});
}

void ffglPopAttrib() {
    if (!outsideBeginEnd("glPopAttrib") || recorded(Op::popAttrib)) return;
    State& s = state();
    if (s.attribStack.empty()) return refuse("glPopAttrib", GL_STACK_UNDERFLOW, "nothing pushed");
    const AttribFrame saved = s.attribStack.back();
    s.attribStack.pop_back();
    if (saved.mask & GL_ENABLE_BIT && s.enables != saved.enables) {
        s.enables = saved.enables;
        changed();
    }
    if (saved.mask & GL_CURRENT_BIT) {
        s.current = saved.current;
        trackColour();
    }
    if (saved.mask & GL_LIST_BIT) s.listBase = saved.listBase;
}
