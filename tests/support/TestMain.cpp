// The main of every test binary: GL tests draw on Mesa's software renderer through SDL's offscreen
// driver, sound goes nowhere, and no message box waits for a click, even on a desktop. A variable
// already set in the environment is kept, so a run can still choose otherwise.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

void setDefault(const char* name, const char* value) {
    if (std::getenv(name) != nullptr) return;
#ifdef _WIN32
    _putenv((std::string(name) + "=" + value).c_str());
#else
    setenv(name, value, 0);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    setDefault("SDL_VIDEODRIVER", "offscreen");
    setDefault("SDL_AUDIODRIVER", "dummy");
    setDefault("ORBEK42_NO_DIALOGS", "1");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
