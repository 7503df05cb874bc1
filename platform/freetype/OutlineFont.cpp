// Fonts for GL text on systems without the system font calls: fontconfig picks the face file,
// FreeType reads its glyphs, the GLU tessellator fills the outlines into glyph shapes
// (GlyphShapes.h) that become display lists here and a glyph file in the glyph baker. Glyphs come
// unhinted in em units for outlines and rendered at the asked pixel height for bitmaps. Never
// crashes on a face that is missing: it falls back to a monospace face that is installed.
#include "platform/OutlineFont.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "platform/GL.h"
#include "platform/GlyphShapes.h"
#include "platform/freetype/OutlineShapes.h"

namespace platform {

struct FontData {
    FT_Face face;
    int height;
};

constexpr int defaultPixelHeight = 12;
// Curves never split into more pieces than this, however fine the deviation asked for.
constexpr int maxCurvePieces = 256;

namespace {

using Point2 = std::array<double, 2>;
using Contour = std::vector<Point2>;

// Gathers the flattened contours of one glyph outline, in font units.
struct Flattener {
    std::vector<Contour> contours;
    double tolerance;
    Point2 last;
};

// What the tessellator's callbacks work on while one face of a glyph is filled.
struct TessWork {
    std::deque<std::array<GLdouble, 3>> vertices;  // a deque: the tessellator keeps their addresses
    GlyphShape* shape;
    float normalZ;
    bool failed = false;
};

FT_Library library = nullptr;
int openFonts = 0;
std::map<DeviceContext, FontHandle> selectedFonts;
}  // namespace

static bool familyAsked(FcPattern* substituted, const FcChar8* family) {
    // The face itself and the faces the configuration names as its stand-ins are bound strongly;
    // the generic defaults appended after them are weak and mean the face is not installed.
    FcValue value;
    FcValueBinding binding;
    for (int id = 0;
         FcPatternGetWithBinding(substituted, FC_FAMILY, id, &value, &binding) == FcResultMatch;
         ++id) {
        if (value.type == FcTypeString && binding != FcValueBindingWeak &&
            FcStrCmpIgnoreCase(value.u.s, family) == 0)
            return true;
    }
    return false;
}

static bool matchFaceFile(const char* family, int weight, bool acceptAny, std::string* file,
                          int* index) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = false;
    if (match) {
        FcChar8* matchedFamily = nullptr;
        FcChar8* path = nullptr;
        int faceIndex = 0;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
            (acceptAny || familyAsked(pattern, matchedFamily))) {
            FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
            *file = reinterpret_cast<const char*>(path);
            *index = faceIndex;
            found = true;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

static FT_Face openFace(const std::string& file, int index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}

FontHandle createFont(int height, int weight, const char* faceName) {
    if (!library && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return nullptr;
    }
    std::string file;
    int index = 0;
    FT_Face face = nullptr;
    if (faceName && *faceName && matchFaceFile(faceName, weight, false, &file, &index))
        face = openFace(file, index);
    if (!face && matchFaceFile("monospace", weight, true, &file, &index))
        face = openFace(file, index);
    if (!face) {
        if (openFonts == 0) {
            FT_Done_FreeType(library);
            library = nullptr;
        }
        return nullptr;
    }
    ++openFonts;
    return new FontData{face, height};
}

bool deleteFont(FontHandle font) {
    if (!font) return false;
    for (auto it = selectedFonts.begin(); it != selectedFonts.end();) {
        if (it->second == font)
            it = selectedFonts.erase(it);
        else
            ++it;
    }
    FT_Done_Face(font->face);
    delete font;
    if (--openFonts == 0) {
        FT_Done_FreeType(library);
        library = nullptr;
    }
    return true;
}

FontHandle selectFont(DeviceContext deviceContext, FontHandle font) {
    FontHandle previous = nullptr;
    auto it = selectedFonts.find(deviceContext);
    if (it != selectedFonts.end()) previous = it->second;
    if (font)
        selectedFonts[deviceContext] = font;
    else if (it != selectedFonts.end())
        selectedFonts.erase(it);
    return previous;
}

static FontHandle fontOf(DeviceContext deviceContext) {
    auto it = selectedFonts.find(deviceContext);
    return it == selectedFonts.end() ? nullptr : it->second;
}

// The em height in pixels for a requested height: negative is the em itself, positive the cell.
static unsigned emPixels(FT_Face face, int height) {
    if (height < 0) return static_cast<unsigned>(-static_cast<long long>(height));
    if (height == 0) return defaultPixelHeight;
    double cell = static_cast<double>(face->ascender) - face->descender;
    if (cell <= 0) return static_cast<unsigned>(height);
    double em = std::floor(height * static_cast<double>(face->units_per_EM) / cell + 0.5);
    return em < 1 ? 1u : static_cast<unsigned>(em);
}

bool useFontBitmaps(DeviceContext deviceContext, unsigned first, unsigned count,
                    unsigned listBase) {
    FontHandle font = fontOf(deviceContext);
    if (!font || FT_Set_Pixel_Sizes(font->face, 0, emPixels(font->face, font->height)) != 0)
        return false;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    bool complete = true;
    std::vector<GLubyte> rows;
    for (unsigned i = 0; i < count; ++i) {
        FT_Face face = font->face;
        glNewList(listBase + i, GL_COMPILE);
        FT_UInt glyph = FT_Get_Char_Index(face, first + i);
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0 &&
            face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            unsigned rowBytes = (bitmap.width + 7) / 8;
            rows.assign(static_cast<std::size_t>(rowBytes) * bitmap.rows, 0);
            // FreeType counts rows from the top, glBitmap from the bottom.
            for (unsigned r = 0; r < bitmap.rows; ++r) {
                const unsigned char* source = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
                if (bitmap.pitch < 0)
                    source = bitmap.buffer + static_cast<long>(bitmap.rows - 1 - r) * -bitmap.pitch;
                std::copy(source, source + rowBytes,
                          rows.begin() + (bitmap.rows - 1 - r) * rowBytes);
            }
            float xorig = static_cast<float>(-face->glyph->bitmap_left);
            float yorig =
                static_cast<float>(static_cast<int>(bitmap.rows) - face->glyph->bitmap_top);
            glBitmap(static_cast<GLsizei>(bitmap.width), static_cast<GLsizei>(bitmap.rows), xorig,
                     yorig, face->glyph->advance.x / 64.0f, 0.0f,
                     rows.empty() ? nullptr : rows.data());
        } else {
            complete = false;
            glBitmap(0, 0, 0, 0, 0, 0, nullptr);
        }
        glEndList();
    }
    glPopClientAttrib();
    return complete;
}

// Outline flattening, in font units.

static Point2 toPoint(const FT_Vector* v) {
    return {static_cast<double>(v->x), static_cast<double>(v->y)};
}

static void addPoint(Flattener* f, Point2 p) {
    if (f->contours.empty()) f->contours.emplace_back();
    Contour& c = f->contours.back();
    if (c.empty() || c.back() != p) c.push_back(p);
    f->last = p;
}

// Uniform pieces whose deviation from the curve stays within the tolerance, from the size of the
// curve's second difference (largest second derivative over 8 for one piece of length 1/n).
static int piecesFor(double secondDifference, double factor, double tolerance) {
    double n = std::ceil(std::sqrt(secondDifference * factor / tolerance));
    if (!(n >= 1)) return 1;
    return n > maxCurvePieces ? maxCurvePieces : static_cast<int>(n);
}

static int moveTo(const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    f->contours.emplace_back();
    addPoint(f, toPoint(to));
    return 0;
}

static int lineTo(const FT_Vector* to, void* user) {
    addPoint(static_cast<Flattener*>(user), toPoint(to));
    return 0;
}

static int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    Point2 p0 = f->last, p1 = toPoint(control), p2 = toPoint(to);
    double ddx = p0[0] - 2 * p1[0] + p2[0], ddy = p0[1] - 2 * p1[1] + p2[1];
    int n = piecesFor(std::hypot(ddx, ddy), 0.25, f->tolerance);
    for (int k = 1; k <= n; ++k) {
        double t = static_cast<double>(k) / n, s = 1 - t;
        addPoint(f, {s * s * p0[0] + 2 * s * t * p1[0] + t * t * p2[0],
                     s * s * p0[1] + 2 * s * t * p1[1] + t * t * p2[1]});
    }
    return 0;
}

static int cubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to,
                   void* user) {
    auto* f = static_cast<Flattener*>(user);
    Point2 p0 = f->last, p1 = toPoint(control1), p2 = toPoint(control2), p3 = toPoint(to);
    double a = std::hypot(p0[0] - 2 * p1[0] + p2[0], p0[1] - 2 * p1[1] + p2[1]);
    double b = std::hypot(p1[0] - 2 * p2[0] + p3[0], p1[1] - 2 * p2[1] + p3[1]);
    int n = piecesFor(std::max(a, b), 0.75, f->tolerance);
    for (int k = 1; k <= n; ++k) {
        double t = static_cast<double>(k) / n, s = 1 - t;
        double w0 = s * s * s, w1 = 3 * s * s * t, w2 = 3 * s * t * t, w3 = t * t * t;
        addPoint(f, {w0 * p0[0] + w1 * p1[0] + w2 * p2[0] + w3 * p3[0],
                     w0 * p0[1] + w1 * p1[1] + w2 * p2[1] + w3 * p3[1]});
    }
    return 0;
}

// Tessellator callbacks.

static void tessCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4],
                        void** out, void* polygonData) {
    auto* work = static_cast<TessWork*>(polygonData);
    work->vertices.push_back({coords[0], coords[1], coords[2]});
    *out = work->vertices.back().data();
}

static void tessError(GLenum /*error*/, void* polygonData) {
    static_cast<TessWork*>(polygonData)->failed = true;
}

static void tessBegin(GLenum mode, void* polygonData) {
    GlyphPrimitive primitive;
    primitive.mode = mode;
    primitive.normals = true;
    static_cast<TessWork*>(polygonData)->shape->primitives.push_back(std::move(primitive));
}

static void tessVertex(void* vertex, void* polygonData) {
    auto* work = static_cast<TessWork*>(polygonData);
    const auto* v = static_cast<const GLdouble*>(vertex);
    std::vector<float>& data = work->shape->primitives.back().data;
    for (float value : {0.0f, 0.0f, work->normalZ, static_cast<float>(v[0]),
                        static_cast<float>(v[1]), static_cast<float>(v[2])})
        data.push_back(value);
}

// One filled face of the glyph at depth z, seen from the side of normalZ.
static bool fillFace(GLUtesselator* tess, const std::vector<Contour>& contours, double scale,
                     double z, double normalZ, GlyphShape* shape) {
    TessWork work;
    work.shape = shape;
    work.normalZ = static_cast<float>(normalZ);
    gluTessNormal(tess, 0, 0, normalZ);
    gluTessBeginPolygon(tess, &work);
    for (const Contour& c : contours) {
        gluTessBeginContour(tess);
        for (const Point2& p : c) {
            work.vertices.push_back({p[0] * scale, p[1] * scale, z});
            gluTessVertex(tess, work.vertices.back().data(), work.vertices.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    return !work.failed;
}

// Quads from the front contour back to the extruded one, each facing away from the ink.
static void addWalls(const std::vector<Contour>& contours, double scale, double depth,
                     bool clockwiseOuter, GlyphShape* shape) {
    GlyphPrimitive quads;
    quads.mode = GL_QUADS;
    quads.normals = true;
    for (const Contour& c : contours) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            const Point2& a = c[i];
            const Point2& b = c[(i + 1) % c.size()];
            double dx = b[0] - a[0], dy = b[1] - a[1], length = std::hypot(dx, dy);
            if (length == 0) continue;
            const float nx = static_cast<float>((clockwiseOuter ? -dy : dy) / length);
            const float ny = static_cast<float>((clockwiseOuter ? dx : -dx) / length);
            const Point2* ends[4] = {&a, &a, &b, &b};
            const double zs[4] = {0, -depth, -depth, 0};
            for (int k = 0; k < 4; ++k) {
                for (float value :
                     {nx, ny, 0.0f, static_cast<float>((*ends[k])[0] * scale),
                      static_cast<float>((*ends[k])[1] * scale), static_cast<float>(zs[k])})
                    quads.data.push_back(value);
            }
        }
    }
    shape->primitives.push_back(std::move(quads));
}

static void addLoops(const std::vector<Contour>& contours, double scale, double z,
                     GlyphShape* shape) {
    for (const Contour& c : contours) {
        GlyphPrimitive loop;
        loop.mode = GL_LINE_LOOP;
        for (const Point2& p : c) {
            loop.data.push_back(static_cast<float>(p[0] * scale));
            loop.data.push_back(static_cast<float>(p[1] * scale));
            loop.data.push_back(static_cast<float>(z));
        }
        shape->primitives.push_back(std::move(loop));
    }
}

bool buildGlyphShapes(FontHandle font, unsigned first, unsigned count, float deviation,
                      float extrusion, int format, std::vector<GlyphShape>* shapes) {
    if (!font || !shapes) return false;
    shapes->assign(count, GlyphShape());
    FT_Face face = font->face;
    const double unitsPerEm = face->units_per_EM;
    const double scale = 1.0 / unitsPerEm;
    const double depth = extrusion > 0 ? extrusion : 0.0;
    FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};

    GLUtesselator* tess = gluNewTess();
    if (!tess) return false;
    using Callback = _GLUfuncptr;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(tessBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(tessVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(tessCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(tessError));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);

    bool complete = true;
    for (unsigned i = 0; i < count; ++i) {
        Flattener flat;
        flat.tolerance = deviation > 0 ? deviation * unitsPerEm : 1.0;  // 0: one design unit
        flat.last = {0, 0};
        GlyphMetricsFloat m{0, 0, {0, 0}, 0, 0};
        bool clockwiseOuter = true;
        FT_UInt glyph = FT_Get_Char_Index(face, first + i);
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) ==
                0 &&
            face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline* outline = &face->glyph->outline;
            if (FT_Outline_Decompose(outline, &funcs, &flat) != 0) {
                flat.contours.clear();
                complete = false;
            }
            clockwiseOuter = FT_Outline_Get_Orientation(outline) != FT_ORIENTATION_POSTSCRIPT;
            const FT_Glyph_Metrics& gm = face->glyph->metrics;
            m.gmfBlackBoxX = static_cast<float>(gm.width * scale);
            m.gmfBlackBoxY = static_cast<float>(gm.height * scale);
            m.gmfptGlyphOrigin.x = static_cast<float>(gm.horiBearingX * scale);
            m.gmfptGlyphOrigin.y = static_cast<float>(gm.horiBearingY * scale);
            m.gmfCellIncX = static_cast<float>(face->glyph->advance.x * scale);
            m.gmfCellIncY = 0.0f;
        } else {
            complete = false;
        }
        // A contour that folds back to its start needs no closing point of its own.
        for (Contour& c : flat.contours)
            if (c.size() > 1 && c.front() == c.back()) c.pop_back();
        std::vector<Contour> contours;
        for (Contour& c : flat.contours)
            if (c.size() >= 2) contours.push_back(std::move(c));

        GlyphShape* shape = &(*shapes)[i];
        shape->metrics = m;
        if (format == fontFormatLines) {
            addLoops(contours, scale, 0.0, shape);
            if (depth > 0) addLoops(contours, scale, -depth, shape);
        } else if (!contours.empty()) {
            complete = fillFace(tess, contours, scale, 0.0, 1.0, shape) && complete;
            if (depth > 0) {
                complete = fillFace(tess, contours, scale, -depth, -1.0, shape) && complete;
                addWalls(contours, scale, depth, clockwiseOuter, shape);
            }
        }
    }
    gluDeleteTess(tess);
    return complete;
}

bool useFontOutlines(DeviceContext deviceContext, unsigned first, unsigned count, unsigned listBase,
                     float deviation, float extrusion, int format, GlyphMetricsFloat* metrics) {
    std::vector<GlyphShape> shapes;
    FontHandle font = fontOf(deviceContext);
    if (!font) return false;
    const bool complete =
        buildGlyphShapes(font, first, count, deviation, extrusion, format, &shapes);
    for (unsigned i = 0; i < shapes.size(); ++i) {
        glNewList(listBase + i, GL_COMPILE);
        drawGlyphShape(shapes[i]);
        glEndList();
        if (metrics) metrics[i] = shapes[i].metrics;
    }
    return complete;
}

}  // namespace platform
