// The demo's start-up and shutdown: every model, path, effect and the music are created here with
// their fixed starting values, in an order that matters (the rocket's copy is taken before the
// rocket moves on, the text copy before the colours, the earth's rotation before its position),
// and destroyed again in a fixed order while the GL context is still current. A termination asked
// for while loading ends the start-up between two loads (before anything keeps a file open), so the
// run ends within moments instead of once the main loop runs.
#include "app/Demo.h"

#include <cstring>

#include "app/AssetFolder.h"
#include "app/GLWindow.h"
#include "app/Objects.h"
#include "effects/Flag.h"
#include "effects/OutlineText.h"
#include "effects/ParticleSystems.h"
#include "music/MusicPlayer.h"
#include "platform/GL.h"
#include "platform/Keys.h"
#include "platform/Window.h"
#include "scene/Camera.h"
#include "scene/Paths.h"
#include "scene/SceneObject.h"
#include "show/ShowConstants.h"

namespace {

// A path buffer that starts as the temporary folder; names are appended and cut back again.
struct AssetPath {
    char text[256];
    AssetPath() { cutBack(); }
    const char* append(const char* name) {
        std::strncat(text, name, sizeof text - std::strlen(text) - 1);
        return text;
    }
    void cutBack() {
        std::memcpy(text, tempFolder, tempFolderLength);
        text[tempFolderLength] = '\0';
    }
};

SceneObject* loadModel(AssetPath& path, const char* name) {
    auto* object = new SceneObject;
    object->setTextureFolder(tempFolder);
    object->load(path.append(name));
    path.cutBack();
    return object;
}

}  // namespace

bool openSequence() {
    AssetPath path;
    seqFile = std::fopen(path.append("seq1.dat"), "rb");
    return true;
}

bool initDemo() {
    if (platform::terminationRequested()) return false;
    AssetPath path;

    tube = loadModel(path, "tubo6.3ds");

    rocket = loadModel(path, "coet.3ds");
    rocket->rotation.x = -90.0f;
    rocket->rotation.z = show::rocketRotationZ;
    rocket->position.y = 1.0f;
    rocket->position.x = -0.15f;
    rocket->position.z = 0.15f;
    rocket->setScale(0.15f);
    rocketCopy = new SceneObject(*rocket);
    rocketCopy->position.x = 0.35f;

    stars = loadModel(path, "estrelles.3ds");
    aeroplane = loadModel(path, "avio10.3ds");
    earth = loadModel(path, "terra.3ds");
    earth->rotation = Point3{0.0f, show::earthRotationY, show::earthRotationZ};
    if (platform::terminationRequested()) return false;

    AssetPath polePath;
    path.append("bandera.bmp");
    polePath.append("pal.bmp");
    flag = new Flag(path.text, polePath.text);
    flag->rotation.x = 46.0f;
    flag->waveSpeed = 5;
    path.cutBack();

    setUpPaths(tempFolder, *earth);
    if (platform::terminationRequested()) return false;

    camera.eye = Point3{0.0f, 0.0f, 0.0f};
    camera.up = Point3{static_cast<float>(show::cameraUp.x), static_cast<float>(show::cameraUp.y),
                       static_cast<float>(show::cameraUp.z)};

    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    countdownRed = new OutlineText("Courier New", &deviceContext, 12);
    countdownRed->scale = Point3{4.0f, 4.0f, 4.0f};
    countdownRed->spin.y = 2.0f;
    countdownRed->rotation.x = -90.0f;
    countdownYellow = new OutlineText(*countdownRed);
    countdownRed->colour.red = 1.0f;
    countdownYellow->colour.red = 1.0f;
    countdownYellow->colour.green = 1.0f;

    createParticleSystems();
    if (platform::terminationRequested()) return false;
    openSequence();
    recordedRotation =
        Point3{0.0f, 180.0f, 0.0f};  // the waiting attitude, kept by an empty recording
    glPointSize(show::particlePointSize * pixelScale);

    path.cutBack();
    music = new MusicPlayer(path.append("musica.mp3"));
    music->start();

    demoReady = true;
    return true;
}

void shutdownDemo() {
    // The rocket and its copy, the yellow text, the tube's look path, the flag, the copy's flame
    // and the music player share what others own or are still heard: they end with the process.
    delete tube;
    delete aeroplane;
    delete trailA1;
    delete trailA2;
    delete trailA3;
    delete trailB1;
    delete trailB2;
    delete trailB3;
    delete countdownRed;
    delete tubePath;
    delete cameraPath1;
    delete cameraPath2;
    delete approachPath;
    delete finalLookPath;
    delete finalEyePath;
    delete launchPath;
    delete stars;
    delete earth;
    delete rocketFlame;

    if (keys[platform::vkEscape] && music != nullptr) music->stop();
    if (seqFile != nullptr) std::fclose(seqFile);
}
