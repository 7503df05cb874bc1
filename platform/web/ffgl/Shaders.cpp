// The fixed-function pipeline as GLSL: per-vertex lighting with GL's default light 0 and light
// model, colour material, the texture environments, smooth or flat shading, aliased points. A
// variant is the same source with a few #defines, so only what a draw uses is computed.
#include "Shaders.h"

#include <GLES3/gl3.h>

#include <string>

#include "Frame.h"

namespace ffgl {

namespace {

const char* const vertexSource = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec3 normal;
layout(location = 3) in vec2 texCoord;
uniform mat4 mvp;
#ifdef POINTS
uniform float pointSize;
uniform vec4 viewport;
#endif
#ifdef LIGHTING
uniform mat3 normalMatrix;
uniform vec4 ambient, diffuse, specular, emission;
uniform float shininess;
uniform int tracking;
uniform bool light0;
#endif
SHADE out vec4 shadedColour;
out vec2 textureCoordinate;

void main() {
    gl_Position = mvp * vec4(position, 1.0);
#ifdef POINTS
    // GL 1.1's aliased points: a whole number of pixels wide, their square on the pixel grid
    // (centred on a pixel for odd widths, on a corner for even ones), so that multisampling
    // leaves them as crisp as the desktop draws them.
    float width = max(1.0, floor(pointSize + 0.5));
    vec2 window = (gl_Position.xy / gl_Position.w * 0.5 + 0.5) * viewport.zw + viewport.xy;
    vec2 centre = mod(width, 2.0) == 1.0 ? floor(window) + 0.5 : floor(window + 0.5);
    gl_Position.xy = ((centre - viewport.xy) / viewport.zw * 2.0 - 1.0) * gl_Position.w;
    gl_PointSize = width;
#endif
    textureCoordinate = texCoord;
#ifdef LIGHTING
    // GL's lighting sum with its defaults: the light model's ambient 0.2, and light 0 white,
    // infinitely far along +z in eye space, seen from infinitely far (its half vector is +z too).
    vec4 a = (tracking == 1 || tracking == 5) ? colour : ambient;
    vec4 d = (tracking == 2 || tracking == 5) ? colour : diffuse;
    vec4 s = tracking == 3 ? colour : specular;
    vec4 e = tracking == 4 ? colour : emission;
    vec3 n = normalMatrix * normal;
    vec3 lit = e.rgb + 0.2 * a.rgb;
    float facing = max(n.z, 0.0);
    if (light0 && facing > 0.0) lit += facing * d.rgb + pow(facing, shininess) * s.rgb;
    shadedColour = clamp(vec4(lit, d.a), 0.0, 1.0);
#else
    shadedColour = colour;
#endif
}
)";

const char* const fragmentSource = R"(
precision highp float;
SHADE in vec4 shadedColour;
in vec2 textureCoordinate;
uniform sampler2D textureImage;
uniform bool textureHasAlpha;
out vec4 fragmentColour;

void main() {
    vec4 c = shadedColour;
#if TEXTURE == 1
    c *= texture(textureImage, textureCoordinate);
#elif TEXTURE == 2
    vec4 t = texture(textureImage, textureCoordinate);
    c = vec4(t.rgb, textureHasAlpha ? t.a : c.a);
#elif TEXTURE == 3
    vec4 t = texture(textureImage, textureCoordinate);
    c = vec4(mix(c.rgb, t.rgb, t.a), c.a);
#endif
    fragmentColour = c;
}
)";

unsigned compile(GLenum kind, const std::string& source) {
    const unsigned shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

Program buildProgram(std::uint8_t variant) {
    std::string header = "#version 300 es\n";
    header += "#define TEXTURE " + std::to_string(variant & variantTextureMask) + "\n";
    if (variant & variantLighting) header += "#define LIGHTING\n";
    if (variant & variantPoints) header += "#define POINTS\n";
    header += (variant & variantFlat) ? "#define SHADE flat\n" : "#define SHADE\n";
    Program program;
    const unsigned vertex = compile(GL_VERTEX_SHADER, header + vertexSource);
    const unsigned fragment = compile(GL_FRAGMENT_SHADER, header + fragmentSource);
    if (vertex == 0 || fragment == 0) {
        if (vertex) glDeleteShader(vertex);
        if (fragment) glDeleteShader(fragment);
        return program;
    }
    program.name = glCreateProgram();
    glAttachShader(program.name, vertex);
    glAttachShader(program.name, fragment);
    glLinkProgram(program.name);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program.name, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program.name);
        program.name = 0;
        return program;
    }
    const unsigned p = program.name;
    program.mvp = glGetUniformLocation(p, "mvp");
    program.pointSize = glGetUniformLocation(p, "pointSize");
    program.viewport = glGetUniformLocation(p, "viewport");
    program.textureHasAlpha = glGetUniformLocation(p, "textureHasAlpha");
    program.normalMatrix = glGetUniformLocation(p, "normalMatrix");
    program.ambient = glGetUniformLocation(p, "ambient");
    program.diffuse = glGetUniformLocation(p, "diffuse");
    program.specular = glGetUniformLocation(p, "specular");
    program.emission = glGetUniformLocation(p, "emission");
    program.shininess = glGetUniformLocation(p, "shininess");
    program.tracking = glGetUniformLocation(p, "tracking");
    program.light0 = glGetUniformLocation(p, "light0");
    return program;
}

}  // namespace ffgl
