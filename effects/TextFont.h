// A named font turned into 96 display lists, one per printable character (codes 32 to 127), as
// bitmap glyphs. Subclasses rebuild the same lists in another form. A copy shares the font and the
// lists with its source and never releases them.
#pragma once

#include "platform/GLContext.h"
#include "platform/OutlineFont.h"

struct TextColour {
    float red, green, blue;
};

class TextFont {
public:
    static constexpr unsigned firstCode = 32;
    static constexpr unsigned glyphCount = 96;

    // height is the character height in pixels; deviceContextRef is read whenever the DC is needed.
    TextFont(const char* faceName, platform::DeviceContext* deviceContextRef, int height);
    TextFont(const TextFont& other);
    TextFont& operator=(const TextFont&) = delete;
    virtual ~TextFont();

    TextColour colour;
    unsigned listBase;
    platform::FontHandle font;
    platform::DeviceContext* deviceContextRef;

protected:
    platform::DeviceContext deviceContext() const;

    bool shared;  // a copy: the font and lists belong to the source
};
