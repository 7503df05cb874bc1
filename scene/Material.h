// A mesh's look: ambient, diffuse and specular colours, a shininess and at most one texture.
// apply() turns it into GL state before a mesh is drawn; lighting is never on, so what shows is
// the diffuse colour, modulated by the texture when there is one.
#pragma once

class Texture;

class Material {
public:
    Material();
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;
    virtual ~Material();  // destroys the texture and the name

    void setAmbient(float r, float g, float b);
    void setDiffuse(float r, float g, float b);
    void setSpecular(float r, float g, float b);
    // Opaque, depth-tested drawing in the diffuse colour, textured when a texture is held.
    void apply();

    float shininess;   // GL exponent, 0 to 128
    Texture* texture;  // owned; null for none
    char* name;        // owned; the key in the object's materials list; null for none
    float ambient[4];
    float diffuse[4];
    float specular[4];
};
