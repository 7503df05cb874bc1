// The waving flag. The wave uses 3.141516 for pi, as the flag always has; the difference is far
// below a pixel, and keeping it keeps every frame as it was. The cloth is immediate mode: 1,936
// quads a frame, no allocation after construction.
#include "effects/Flag.h"

#include <cmath>

#include "platform/GL.h"

constexpr double wavePi = 3.141516;
constexpr int cellsPerSide = Flag::gridSize - 1;

Flag::Flag(const char* clothPath, const char* polePath)
    : position{0.0f, 0.0f, 0.0f},
      rotation{0.0f, 0.0f, 0.0f},
      poleHeight(2.5f),
      waveSpeed(1),
      clothTexture(nullptr),
      poleTexture(nullptr),
      phase(0.0) {
    clothTexture = new Texture(clothPath, 0, 0, GL_LINEAR, GL_LINEAR, nullptr);
    poleTexture = new Texture(polePath, 0, 0, GL_LINEAR, GL_LINEAR, nullptr);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            grid[i][j] = Point3{static_cast<float>(i) / 45.0f, static_cast<float>(j) / 45.0f, 0.0f};
    updateDepths();
}

Flag::~Flag() {
    delete clothTexture;
    delete poleTexture;
}

float Flag::wave(int column, double phase) {
    double angle = (column * 360 / 20.0 + phase) * wavePi / 180.0;
    return static_cast<float>(std::sin(angle) * (column / 200.0));
}

// The depth depends on the column alone: one wave value per column, given to all its rows.
void Flag::updateDepths() {
    for (int j = 0; j < gridSize; ++j) {
        const float depth = wave(j, phase);
        for (int i = 0; i < gridSize; ++i) grid[i][j].z = depth;
    }
}

void Flag::draw() {
    poleTexture->bind();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(rotation.z, 0.0f, 0.0f, 1.0f);

    pole.cylinder(0.05, poleHeight, 16, 16);
    glTranslatef(0.0f, 0.0f, poleHeight);
    pole.disk(0.0, 0.05, 16, 16);
    glTranslatef(0.0f, 0.0f, -poleHeight);

    clothTexture->bind();
    // The cloth's origin goes to the top of the pole, its x axis running down the pole.
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(45.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(-poleHeight, 0.0f, 0.0f);

    glBegin(GL_QUADS);
    for (int i = 0; i < cellsPerSide; ++i) {
        float s0 = static_cast<float>(i) / 44.0f, s1 = static_cast<float>(i + 1) / 44.0f;
        for (int j = 0; j < cellsPerSide; ++j) {
            float t0 = static_cast<float>(j) / 44.0f, t1 = static_cast<float>(j + 1) / 44.0f;
            glTexCoord2f(s0, t0);
            glVertex3f(grid[i][j].x, grid[i][j].y, grid[i][j].z);
            glTexCoord2f(s0, t1);
            glVertex3f(grid[i][j + 1].x, grid[i][j + 1].y, grid[i][j + 1].z);
            glTexCoord2f(s1, t1);
            glVertex3f(grid[i + 1][j + 1].x, grid[i + 1][j + 1].y, grid[i + 1][j + 1].z);
            glTexCoord2f(s1, t0);
            glVertex3f(grid[i + 1][j].x, grid[i + 1][j].y, grid[i + 1][j].z);
        }
    }
    // The depths for the next draw are worked out while the quads are still open, with the phase
    // the wave had at the end of the previous draw: that one-draw lag is part of the motion.
    updateDepths();
    glEnd();
    phase += static_cast<double>(waveSpeed);
}
