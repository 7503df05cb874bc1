// The glyph file's encoding and the drawing of a glyph's geometry, the same on every system.
#include "platform/GlyphShapes.h"

#include <cstdint>
#include <cstring>

#include "platform/GL.h"
#include "platform/LittleEndian.h"

namespace platform {
namespace {

constexpr char magic[4] = {'O', 'G', 'L', 'Y'};
constexpr std::uint32_t version = 1;
// More would mean a damaged file rather than a font.
constexpr std::uint32_t largestCount = 1u << 24;

class Writer {
public:
    void u32(std::uint32_t value) {
        unsigned char bytes[4];
        storeLE32(value, bytes);
        out.insert(out.end(), bytes, bytes + 4);
    }
    void f32(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    std::vector<unsigned char> out;
};

class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    bool u32(std::uint32_t* value) {
        if (size_ - at_ < 4) return false;
        *value = loadLE32(data_ + at_);
        at_ += 4;
        return true;
    }
    bool f32(float* value) {
        if (size_ - at_ < 4) return false;
        *value = loadLEFloat(data_ + at_);
        at_ += 4;
        return true;
    }
    bool count(std::uint32_t* value) { return u32(value) && *value <= largestCount; }
    bool floats(float* values, std::size_t n) {
        if ((size_ - at_) / 4 < n) return false;
        loadLEFloats(data_ + at_, values, n);
        at_ += 4 * n;
        return true;
    }
    bool bytes(std::string* text, std::size_t n) {
        if (size_ - at_ < n) return false;
        text->assign(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return true;
    }
    bool atEnd() const { return at_ == size_; }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace

std::vector<unsigned char> encodeGlyphSet(const GlyphSet& set) {
    Writer w;
    w.out.insert(w.out.end(), magic, magic + 4);
    w.u32(version);
    w.u32(static_cast<std::uint32_t>(set.faceName.size()));
    w.out.insert(w.out.end(), set.faceName.begin(), set.faceName.end());
    w.u32(set.first);
    w.f32(set.deviation);
    w.f32(set.extrusion);
    w.u32(static_cast<std::uint32_t>(set.format));
    w.u32(static_cast<std::uint32_t>(set.glyphs.size()));
    for (const GlyphShape& glyph : set.glyphs) {
        const GlyphMetricsFloat& m = glyph.metrics;
        for (float value : {m.gmfBlackBoxX, m.gmfBlackBoxY, m.gmfptGlyphOrigin.x,
                            m.gmfptGlyphOrigin.y, m.gmfCellIncX, m.gmfCellIncY})
            w.f32(value);
        w.u32(static_cast<std::uint32_t>(glyph.primitives.size()));
        for (const GlyphPrimitive& primitive : glyph.primitives) {
            w.u32(primitive.mode);
            w.u32(primitive.normals ? 1 : 0);
            w.u32(static_cast<std::uint32_t>(primitive.data.size()));
            for (float value : primitive.data) w.f32(value);
        }
    }
    return w.out;
}

bool decodeGlyphSet(const unsigned char* data, std::size_t size, GlyphSet* set) {
    if (data == nullptr || set == nullptr || size < 4 || std::memcmp(data, magic, 4) != 0)
        return false;
    Reader r(data + 4, size - 4);
    GlyphSet read;
    std::uint32_t fileVersion, nameLength, format, glyphs;
    if (!r.u32(&fileVersion) || fileVersion != version || !r.count(&nameLength) ||
        !r.bytes(&read.faceName, nameLength) || !r.u32(&read.first) || !r.f32(&read.deviation) ||
        !r.f32(&read.extrusion) || !r.u32(&format) || !r.count(&glyphs))
        return false;
    read.format = static_cast<int>(format);
    read.glyphs.resize(glyphs);
    for (GlyphShape& glyph : read.glyphs) {
        float m[6];
        std::uint32_t primitives;
        if (!r.floats(m, 6) || !r.count(&primitives)) return false;
        glyph.metrics = GlyphMetricsFloat{m[0], m[1], {m[2], m[3]}, m[4], m[5]};
        glyph.primitives.resize(primitives);
        for (GlyphPrimitive& primitive : glyph.primitives) {
            std::uint32_t normals, values;
            if (!r.u32(&primitive.mode) || !r.u32(&normals) || normals > 1 || !r.count(&values))
                return false;
            primitive.normals = normals == 1;
            if (values % (primitive.normals ? 6 : 3) != 0) return false;
            primitive.data.resize(values);
            if (!r.floats(primitive.data.data(), values)) return false;
        }
    }
    if (!r.atEnd()) return false;
    *set = std::move(read);
    return true;
}

void drawGlyphShape(const GlyphShape& shape) {
    for (const GlyphPrimitive& primitive : shape.primitives) {
        const std::size_t stride = primitive.normals ? 6 : 3;
        glBegin(primitive.mode);
        for (std::size_t i = 0; i + stride <= primitive.data.size(); i += stride) {
            const float* v = primitive.data.data() + i;
            if (primitive.normals) {
                glNormal3f(v[0], v[1], v[2]);
                v += 3;
            }
            glVertex3f(v[0], v[1], v[2]);
        }
        glEnd();
    }
    glTranslatef(shape.metrics.gmfCellIncX, shape.metrics.gmfCellIncY, 0.0f);
}

}  // namespace platform
