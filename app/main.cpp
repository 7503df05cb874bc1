// Process entry: the program starts where the system's own entry point would, with the demo's
// start-up, the director's frame and the shutdown handed to the shell.
#include "app/Demo.h"
#include "app/WinMain.h"
#include "director/Director.h"

int main() {
    const DemoEntryPoints demo{
        [](void*) { return initDemo(); },
        [](void*) { return drawFrame(); },
        [](void*) { shutdownDemo(); },
    };
    return winMain(demo);
}
