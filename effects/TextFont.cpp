// Bitmap glyph lists for a named bold face. The font stays owned here; the lists are deleted with
// the object unless the object is a copy.
#include "effects/TextFont.h"

#include "platform/GL.h"

TextFont::TextFont(const char* faceName, platform::DeviceContext* deviceContextRef_, int height)
    : colour{0.0f, 0.0f, 0.0f},
      listBase(0),
      font(nullptr),
      deviceContextRef(deviceContextRef_),
      shared(false) {
    listBase = glGenLists(glyphCount);
    // A negative height asks for the character height rather than the cell height.
    font = platform::createFont(-height, platform::fwBold, faceName);
    platform::FontHandle previous = platform::selectFont(deviceContext(), font);
    platform::useFontBitmaps(deviceContext(), firstCode, glyphCount, listBase);
    platform::selectFont(deviceContext(), previous);
}

TextFont::TextFont(const TextFont& other)
    : colour(other.colour),
      listBase(other.listBase),
      font(other.font),
      deviceContextRef(other.deviceContextRef),
      shared(true) {}

TextFont::~TextFont() {
    if (shared) return;
    if (listBase != 0) glDeleteLists(listBase, glyphCount);
    if (font) platform::deleteFont(font);
}

platform::DeviceContext TextFont::deviceContext() const {
    return deviceContextRef ? *deviceContextRef : nullptr;
}
