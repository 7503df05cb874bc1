// The aeroplane: a fuselage of revolution, swept low wings with dihedral, a fin with a T-tail and
// two engines on pylons above the tail, where the exhaust trails start. Model frame: nose +Y,
// top +Z; the fuselage's axis runs at x 0.1, centred between the two engines.
#include "assets/MeshBuilder.h"
#include "assets/Models.h"

namespace models {

namespace {

const double axisX = 0.1;
const double axisZ = 0.15;
const double noseY = 1.15;
const double tailY = -1.0;
const double engineXs[2] = {0.25, -0.05};
const double engineZ = 0.3;
const double exhaustY = -0.8;

double fuselageV(double y) {
    return (y - tailY) / (noseY - tailY);
}

// A flat plate of the given thickness on the quadrilateral c (corners in order).
void plate(MeshBuilder& mesh, const Vec3 c[4], double thickness) {
    mesh.plate(c, (c[1] - c[0]).cross(c[3] - c[0]).normalised() * (thickness / 2.0));
}

// Mirrors a point across the fuselage's vertical plane.
Vec3 mirrored(const Vec3& p) {
    return {2.0 * axisX - p.x, p.y, p.z};
}

write3ds::MaterialDesc material(const char* name, write3ds::Colour diffuse, const char* texture) {
    write3ds::MaterialDesc m;
    m.name = name;
    m.ambient = {diffuse.r * 0.3f, diffuse.g * 0.3f, diffuse.b * 0.3f};
    m.diffuse = diffuse;
    m.specular = {0.8f, 0.8f, 0.8f};
    m.shininessPercent = 40;
    m.textureFile = texture;
    return m;
}

}  // namespace

write3ds::Model makePlane() {
    write3ds::Model model;
    model.materials.push_back(material("Fuselatge", {1.0f, 1.0f, 1.0f}, planeTextureFile));
    model.materials.push_back(material("Motor", {0.6f, 0.62f, 0.68f}, planeTextureFile));
    model.materials.push_back(material("Ala", {0.82f, 0.84f, 0.88f}, wingTextureFile));
    model.materials.push_back(material("Deriva", {0.3f, 0.5f, 1.0f}, wingTextureFile));

    const Vec3 alongY{0, 1, 0}, sideX{1, 0, 0}, upZ{0, 0, 1};

    MeshBuilder fuselage("Fuselatge", "Fuselatge");
    const double body[][2] = {{-1.0, 0.0},   {-0.97, 0.04}, {-0.9, 0.065}, {-0.7, 0.1},
                              {-0.45, 0.14}, {-0.2, 0.17},  {0.5, 0.17},   {0.75, 0.16},
                              {0.9, 0.13},   {1.0, 0.1},    {1.08, 0.06},  {1.13, 0.025},
                              {1.15, 0.0}};
    std::vector<Vec3> profile;
    for (const auto& b : body) profile.push_back({b[0], b[1], fuselageV(b[0])});
    fuselage.lathe({axisX, 0.0, axisZ}, alongY, sideX, upZ, profile, 24);
    model.meshes.push_back(fuselage.take(true));

    MeshBuilder rightWing("AlaDreta", "Ala"), leftWing("AlaEsq", "Ala");
    const Vec3 wing[4] = {{axisX + 0.12, 0.3, 0.05},
                          {axisX + 1.0, -0.2, 0.12},
                          {axisX + 1.0, -0.42, 0.12},
                          {axisX + 0.12, -0.3, 0.05}};
    const Vec3 wingLeft[4] = {mirrored(wing[0]), mirrored(wing[1]), mirrored(wing[2]),
                              mirrored(wing[3])};
    plate(rightWing, wing, 0.04);
    plate(leftWing, wingLeft, 0.04);
    model.meshes.push_back(rightWing.take(true));
    model.meshes.push_back(leftWing.take(true));

    MeshBuilder fin("Deriva", "Deriva");
    const Vec3 finOutline[4] = {
        {axisX, -0.55, 0.25}, {axisX, -0.85, 0.73}, {axisX, -1.05, 0.73}, {axisX, -0.97, 0.18}};
    plate(fin, finOutline, 0.03);
    model.meshes.push_back(fin.take(true));

    MeshBuilder tailplane("Estabil", "Ala");
    const Vec3 stabiliser[4] = {{axisX, -0.82, 0.72},
                                {axisX + 0.42, -0.95, 0.73},
                                {axisX + 0.42, -1.05, 0.73},
                                {axisX, -1.02, 0.72}};
    const Vec3 stabiliserLeft[4] = {mirrored(stabiliser[0]), mirrored(stabiliser[1]),
                                    mirrored(stabiliser[2]), mirrored(stabiliser[3])};
    plate(tailplane, stabiliser, 0.024);
    plate(tailplane, stabiliserLeft, 0.024);
    model.meshes.push_back(tailplane.take(true));

    const char* engineNames[2] = {"MotorDreta", "MotorEsq"};
    // The caps take the dark nose colour of the skin; the zero-length steps switch between the
    // cap's and the body's part of the texture without a visible band.
    const double nacelle[][3] = {
        {exhaustY, 0.0, 0.99}, {exhaustY, 0.05, 0.99}, {exhaustY, 0.05, 0.02},
        {-0.75, 0.065, 0.04},  {-0.55, 0.08, 0.06},    {-0.4, 0.08, 0.08},
        {-0.33, 0.072, 0.09},  {-0.33, 0.072, 0.99},   {-0.33, 0.0, 0.99}};
    std::vector<Vec3> engineProfile;
    for (const auto& n : nacelle) engineProfile.push_back({n[0], n[1], n[2]});
    MeshBuilder pylons("Pilons", "Ala");
    for (int i = 0; i < 2; ++i) {
        MeshBuilder engine(engineNames[i], "Motor");
        engine.lathe({engineXs[i], 0.0, engineZ}, alongY, sideX, upZ, engineProfile, 16);
        model.meshes.push_back(engine.take(true));
        const double inner = axisX + (engineXs[i] > axisX ? 0.04 : -0.04);
        const Vec3 pylon[4] = {{inner, -0.7, 0.2},
                               {inner, -0.45, 0.2},
                               {engineXs[i], -0.45, 0.27},
                               {engineXs[i], -0.7, 0.27}};
        plate(pylons, pylon, 0.02);
    }
    model.meshes.push_back(pylons.take(true));
    return model;
}

}  // namespace models
