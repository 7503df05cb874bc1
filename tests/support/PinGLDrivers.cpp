// Sanitizer builds only: keeps the GL driver libraries loaded until the process ends. SDL unloads
// EGL and the software rasteriser at SDL_Quit, and the caches they never free would then be
// reported by LeakSanitizer against an unknown module, where no suppression can name them.
#include <dlfcn.h>

namespace {

struct PinGLDrivers {
    PinGLDrivers() {
        const char* libraries[] = {
            "libEGL.so.1",      "libEGL_mesa.so.0",
            "libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
            "libdbus-1.so.3",
        };
        for (const char* library : libraries)
            dlopen(library, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    }
};

const PinGLDrivers pinned;

}  // namespace
