// Solid extruded 3D text: 96 outline glyph lists replacing the bitmap ones, a transform and a spin
// added to the rotation after every print. Printing leaves its transform on the modelview matrix,
// like every drawing in the program; nothing is pushed. A copy shares font, lists and metrics.
#pragma once

#include "effects/TextFont.h"
#include "scene/Point3.h"

class OutlineText : public TextFont {
public:
    static constexpr float extrusion = 0.2f;  // glyph depth, em units

    OutlineText(const char* faceName, platform::DeviceContext* deviceContextRef, int height);
    OutlineText(const OutlineText& other);
    ~OutlineText() override;

    // printf-style text, centred horizontally on the current position; codes outside 32 to 127 are
    // left out. A null format draws nothing and leaves the rotation alone.
    void print(const char* format, ...);

    Point3 position;
    Point3 rotation;
    Point3 scale;
    Point3 spin;
    platform::GlyphMetricsFloat* glyphMetrics;  // 256 records, the first 96 filled
};
