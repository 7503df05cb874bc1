// The GL window: created in the system's order (class, display mode, window, device context, pixel
// format, context), torn down in reverse with a report for every release that fails.
#include "app/GLWindow.h"

#include "app/FrameLayout.h"
#include "platform/GL.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"
#include "show/ShowConstants.h"

bool keys[256];
bool active = true;
bool fullscreen = true;
platform::DeviceContext deviceContext = nullptr;
platform::RenderContext renderContext = nullptr;
platform::WindowHandle mainWindow = nullptr;
platform::ModuleHandle appInstance = nullptr;
float pixelScale = 1.0f;

namespace {

const char* const windowClassName = "OpenGL";

// Kept for the program's lifetime and filled on the first window creation.
platform::PixelFormatDescriptor pixelFormat;
bool pixelFormatFilled = false;
bool pictureFitted = false;
bool desktopFullscreen = false;

void reportShutdownError(const char* message) {
    platform::messageBox(nullptr, message, "SHUTDOWN ERROR",
                         platform::mbOk | platform::mbIconInformation);
}

bool failWith(const char* message) {
    killGLWindow();
    platform::messageBox(nullptr, message, "ERROR", platform::mbOk | platform::mbIconExclamation);
    return false;
}

void fillPixelFormat(int bits) {
    pixelFormat = platform::PixelFormatDescriptor{};
    pixelFormat.nSize = sizeof(platform::PixelFormatDescriptor);
    pixelFormat.nVersion = 1;
    pixelFormat.dwFlags =
        platform::pfdDrawToWindow | platform::pfdSupportOpenGL | platform::pfdDoubleBuffer;
    pixelFormat.iPixelType = platform::pfdTypeRGBA;
    pixelFormat.cColorBits = static_cast<std::uint8_t>(bits);
    pixelFormat.cDepthBits = 16;
    pixelFormat.iLayerType = platform::pfdMainPlane;
}

}  // namespace

bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreenFlag,
                    const DemoEntryPoints& demo) {
    platform::WindowRect rectangle{0, 0, width, height};
    fullscreen = fullscreenFlag;
    appInstance = platform::getModuleHandle();

    if (!platform::registerWindowClass(windowClassName, windowProc, appInstance)) {
        platform::messageBox(nullptr, "Failed To Register The Window Class.", "ERROR",
                             platform::mbOk | platform::mbIconExclamation);
        return false;
    }

    if (fullscreen && desktopFullscreen) {
        // The desktop keeps its mode; the window takes its size.
        if (!platform::coverDesktop(&width, &height)) {
            platform::messageBox(nullptr, "The Size Of The Desktop Cannot Be Found.", "ERROR",
                                 platform::mbOk | platform::mbIconStop);
            return false;
        }
        rectangle = platform::WindowRect{0, 0, width, height};
    } else if (fullscreen && platform::changeDisplaySettings(width, height, bits) !=
                                 platform::displayChangeSuccessful) {
        if (platform::messageBox(
                nullptr,
                "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use "
                "Windowed Mode Instead?",
                "Tavi GL", platform::mbYesNo | platform::mbIconExclamation) == platform::idYes) {
            fullscreen = false;
        } else {
            platform::messageBox(nullptr, "Program Will Now Close.", "ERROR",
                                 platform::mbOk | platform::mbIconStop);
            return false;
        }
    }

    if (fullscreen) platform::showCursor(false);
    platform::adjustWindowRect(&rectangle, fullscreen);

    mainWindow = platform::createWindow(windowClassName, title, fullscreen, 0, 0,
                                        rectangle.right - rectangle.left,
                                        rectangle.bottom - rectangle.top, appInstance);
    if (mainWindow == nullptr) return failWith("Window Creation Error.");

    if (!pixelFormatFilled) {
        fillPixelFormat(bits);
        pixelFormatFilled = true;
    }

    deviceContext = platform::getDC(mainWindow);
    if (deviceContext == nullptr) return failWith("Can't Create A GL Device Context.");
    int format = platform::choosePixelFormat(deviceContext, &pixelFormat);
    if (format == 0) return failWith("Can't Find A Suitable PixelFormat.");
    if (!platform::setPixelFormat(deviceContext, format, &pixelFormat))
        return failWith("Can't Set The PixelFormat.");
    renderContext = platform::createContext(deviceContext);
    if (renderContext == nullptr) return failWith("Can't Create A GL Rendering Context.");
    if (!platform::makeCurrent(deviceContext, renderContext))
        return failWith("Can't Activate The GL Rendering Context.");

    platform::showWindow(mainWindow);
    platform::setForegroundWindow(mainWindow);
    platform::setFocus(mainWindow);
    resizeGLScene(width, height);

    if (!demo.initDemo(demo.context)) {
        // A start-up cut short by a termination request is no failure to report.
        if (platform::terminationRequested()) {
            killGLWindow();
            return false;
        }
        return failWith("Error en la inicialatizació de l'OPEN GL.");
    }
    return true;
}

void killGLWindow() {
    if (fullscreen) {
        platform::restoreDisplaySettings();
        platform::showCursor(true);
    }
    if (renderContext != nullptr) {
        if (!platform::makeCurrent(nullptr, nullptr))
            reportShutdownError("Release Of DC And RC Failed.");
        if (!platform::deleteContext(renderContext))
            reportShutdownError("Release Rendering Context Failed.");
        renderContext = nullptr;
    }
    if (deviceContext != nullptr && !platform::releaseDC(mainWindow, deviceContext)) {
        reportShutdownError("Release Device Context Failed.");
        deviceContext = nullptr;
    }
    if (mainWindow != nullptr && !platform::destroyWindow(mainWindow)) {
        reportShutdownError("Could Not Release hWnd.");
        mainWindow = nullptr;
    }
    if (!platform::unregisterWindowClass(windowClassName, appInstance)) {
        reportShutdownError("Could Not Unregister Class.");
        appInstance = nullptr;
    }
}

void setPictureFitted(bool fitted) {
    pictureFitted = fitted;
}

void setDesktopFullscreen(bool onDesktop) {
    desktopFullscreen = onDesktop;
}

void resizeGLScene(int width, int height) {
    if (height == 0) height = 1;
    double aspect = static_cast<double>(width) / static_cast<double>(height);
    if (pictureFitted) {
        // GL counts the viewport's rows from the bottom; the layout counts from the top.
        const FrameLayout layout = layoutFrame(width > 0 ? width : 1, height, 1);
        glViewport(layout.left, height - layout.top - layout.pictureHeight, layout.pictureWidth,
                   layout.pictureHeight);
        aspect = static_cast<double>(layout.pictureWidth) / layout.pictureHeight;
        pixelScale = layout.pixelScale();
        glPointSize(show::particlePointSize * pixelScale);
    } else {
        glViewport(0, 0, width, height);
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The near plane is the single-precision 0.1 widened, as the projection was tuned with it.
    gluPerspective(show::fieldOfView, aspect, static_cast<double>(show::nearPlane), show::farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

std::intptr_t windowProc(platform::WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
    switch (message) {
        case platform::msgActivate:
            active = platform::hiWord(wParam) == 0;
            return 0;
        case platform::msgSysCommand:
            if (wParam == platform::scScreenSave || wParam == platform::scMonitorPower) return 0;
            break;
        case platform::msgClose:
            platform::postQuitMessage(0);
            return 0;
        case platform::msgKeyDown:
            if (wParam < 256) keys[wParam] = true;
            return 0;
        case platform::msgKeyUp:
            if (wParam < 256) keys[wParam] = false;
            return 0;
        case platform::msgSize:
            resizeGLScene(static_cast<int>(platform::loWord(static_cast<std::uintptr_t>(lParam))),
                          static_cast<int>(platform::hiWord(static_cast<std::uintptr_t>(lParam))));
            return 0;
        default:
            break;
    }
    return platform::defWindowProc(window, message, wParam, lParam);
}
