// Extruded outline text. The text is formatted into a fixed buffer with a bounded formatter, so an
// over-long result is cut, never written past the buffer. Each printed character's list moves the
// pen by its advance; the sum of advances centres the line on the position.
#include "effects/OutlineText.h"

#include <cstdarg>
#include <cstdio>

#include "platform/GL.h"

constexpr int textBufferSize = 256;
constexpr int metricsRecords = 256;

OutlineText::OutlineText(const char* faceName, platform::DeviceContext* deviceContextRef_,
                         int height)
    : TextFont(faceName, deviceContextRef_, height),
      position{0.0f, 0.0f, 0.0f},
      rotation{0.0f, 0.0f, 0.0f},
      scale{1.0f, 1.0f, 1.0f},
      spin{0.0f, 0.0f, 0.0f},
      glyphMetrics(nullptr) {
    glyphMetrics = new platform::GlyphMetricsFloat[metricsRecords]();
    // The font stays selected: the outline lists replace the bitmap ones under the same numbers.
    platform::selectFont(deviceContext(), font);
    platform::useFontOutlines(deviceContext(), firstCode, glyphCount, listBase, 0.0f, extrusion,
                              platform::fontFormatPolygons, glyphMetrics);
}

OutlineText::OutlineText(const OutlineText& other)
    : TextFont(other),
      position(other.position),
      rotation(other.rotation),
      scale(other.scale),
      spin(other.spin),
      glyphMetrics(other.glyphMetrics) {}

OutlineText::~OutlineText() {
    if (!shared) delete[] glyphMetrics;
}

void OutlineText::print(const char* format, ...) {
    if (!format) return;
    char text[textBufferSize];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0) text[0] = '\0';

    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(rotation.z, 0.0f, 0.0f, 1.0f);
    glScalef(scale.x, scale.y, scale.z);
    rotation.x += spin.x;
    rotation.y += spin.y;
    rotation.z += spin.z;

    glColor3f(colour.red, colour.green, colour.blue);
    glDisable(GL_TEXTURE_2D);

    // Only characters that have a list are measured and drawn, as offsets from the first list.
    unsigned char glyphs[textBufferSize];
    int glyphTotal = 0;
    float width = 0.0f, height = 0.0f;
    for (const char* c = text; *c; ++c) {
        unsigned code = static_cast<unsigned char>(*c);
        if (code < firstCode || code >= firstCode + glyphCount) continue;
        glyphs[glyphTotal++] = static_cast<unsigned char>(code - firstCode);
        width += glyphMetrics[code - firstCode].gmfCellIncX;
        height += glyphMetrics[code - firstCode].gmfCellIncY;
    }
    glTranslatef(-width / 2.0f, -height / 2.0f, 0.0f);

    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(glyphTotal, GL_UNSIGNED_BYTE, glyphs);
    glPopAttrib();
}
