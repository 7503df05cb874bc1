// A textured cloth waving on top of a textured pole. Each draw renders pole, cap and cloth, then
// recomputes the wave and advances its phase, so a draw shows the wave of the previous draw's
// phase. Drawing leaves the flag's transforms on the modelview matrix; nothing is pushed.
#pragma once

#include "effects/Quadric.h"
#include "scene/Point3.h"
#include "scene/Texture.h"

class Flag {
public:
    static constexpr int gridSize = 45;

    Flag(const char* clothPath, const char* polePath);
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;
    virtual ~Flag();

    void draw();

    // Depth of the cloth at column j for a phase in degrees: a sine travelling out from the pole,
    // its amplitude growing from 0 at the pole to 0.22 at the free edge.
    static float wave(int column, double phase);

    Point3 position;
    Point3 rotation;
    float poleHeight;
    int waveSpeed;
    Quadric pole;
    Texture* clothTexture;
    Texture* poleTexture;
    Point3 grid[gridSize][gridSize];  // [row i][column j]; column 0 lies along the pole
    double phase;

private:
    void updateDepths();
};
