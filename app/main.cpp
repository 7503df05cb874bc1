// Process entry: the program starts where the system's own entry point would, reads its options,
// and hands the demo's start-up, the director's frame and the shutdown to the shell.
#include <cstdio>
#include <string>

#include "app/Demo.h"
#include "app/PlayerOptions.h"
#include "app/ProgramVersion.h"
#include "app/WinMain.h"
#include "director/Director.h"

int main(int argc, char** argv) {
    PlayerOptions options;
    std::string error;
    if (!parsePlayerOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "orbek42: %s\n\n%s", error.c_str(), playerUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(playerUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("orbek42 %s\n", programVersion);
        return 0;
    }
    const DemoEntryPoints demo{
        [](void*) { return initDemo(); },
        [](void*) { return drawFrame(); },
        [](void*) { shutdownDemo(); },
        [](void*) { return showUnderWay(); },
    };
    return winMain(demo, options);
}
