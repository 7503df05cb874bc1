// Fonts for GL text on Win32: CreateFontA, and wglUseFontBitmapsA / wglUseFontOutlinesA build the
// display lists from the face the font mapper picks. A face that is not installed is replaced by
// the mapper with the closest one that is.
#include "platform/win32/Win32Handles.h"

namespace platform {

static_assert(sizeof(GlyphMetricsFloat) == sizeof(GLYPHMETRICSFLOAT),
              "one layout for both metrics records");
static_assert(WGL_FONT_LINES == fontFormatLines && WGL_FONT_POLYGONS == fontFormatPolygons,
              "formats carry the system's values");

FontHandle createFont(int height, int weight, const char* faceName) {
    return fromHfont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                 FF_DONTCARE | DEFAULT_PITCH, faceName ? faceName : ""));
}

bool deleteFont(FontHandle font) {
    return font != nullptr && DeleteObject(toHfont(font)) != FALSE;
}

FontHandle selectFont(DeviceContext deviceContext, FontHandle font) {
    if (deviceContext == nullptr || font == nullptr) return nullptr;
    HGDIOBJ previous = SelectObject(toHdc(deviceContext), toHfont(font));
    return previous == HGDI_ERROR ? nullptr : fromHfont(static_cast<HFONT>(previous));
}

bool useFontBitmaps(DeviceContext deviceContext, unsigned first, unsigned count,
                    unsigned listBase) {
    if (deviceContext == nullptr) return false;
    return wglUseFontBitmapsA(toHdc(deviceContext), first, count, listBase) != FALSE;
}

bool useFontOutlines(DeviceContext deviceContext, unsigned first, unsigned count, unsigned listBase,
                     float deviation, float extrusion, int format, GlyphMetricsFloat* metrics) {
    if (deviceContext == nullptr) return false;
    return wglUseFontOutlinesA(toHdc(deviceContext), first, count, listBase, deviation, extrusion,
                               format, reinterpret_cast<LPGLYPHMETRICSFLOAT>(metrics)) != FALSE;
}

}  // namespace platform
