// The main of every test binary: GL tests draw on Mesa's software renderer through SDL's offscreen
// driver, sound goes nowhere, and no message box waits for a click, even on a desktop. A variable
// already set in the environment is kept, so a run can still choose otherwise.
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("ORBEK42_NO_DIALOGS", "1", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
