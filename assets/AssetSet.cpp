// Builds the asset set. The music, the slowest piece by far, is rendered on a second thread
// while the models and textures are made; both halves are deterministic on their own, so the
// result does not depend on which finishes first.
#include "assets/AssetSet.h"

#include <thread>

#include "assets/AttitudeSequence.h"
#include "assets/BmpWriter.h"
#include "assets/Models.h"
#include "assets/Mp3Encoder.h"
#include "assets/Soundtrack.h"
#include "assets/Staging.h"
#include "assets/TextureMaker.h"

namespace {

std::vector<ArchiveInput> makeModelFiles() {
    std::vector<ArchiveInput> files;
    files.push_back({"tubo6.3ds", write3ds::encode(models::makeTube())});
    files.push_back({"lineatubo6.3ds",
                     write3ds::encode(models::makePath(staging::tubePathPoints(), "LineaTubo"))});
    files.push_back({"coet.3ds", write3ds::encode(models::makeRocket())});
    files.push_back({"estrelles.3ds", write3ds::encode(models::makeStars())});
    files.push_back({"avio10.3ds", write3ds::encode(models::makePlane())});
    files.push_back({"terra.3ds", write3ds::encode(models::makeEarth())});
    files.push_back({"pathcam1.3ds",
                     write3ds::encode(models::makePath(staging::cameraPath1Points(), "Cami1"))});
    files.push_back({"pathcam2.3ds",
                     write3ds::encode(models::makePath(staging::cameraPath2Points(), "Cami2"))});
    return files;
}

std::vector<ArchiveInput> makeTextureFiles() {
    std::vector<ArchiveInput> files;
    files.push_back({models::tubeTextureFile, encodeBmp24(makeTubeTexture())});
    files.push_back({models::rocketTextureFile, encodeBmp24(makeRocketTexture())});
    files.push_back({models::planeTextureFile, encodeBmp24(makePlaneTexture())});
    files.push_back({models::wingTextureFile, encodeBmp24(makeWingTexture())});
    files.push_back({models::earthTextureFile, encodeBmp24(makeEarthTexture())});
    files.push_back({"bandera.bmp", encodeBmp24(makeFlagTexture())});
    files.push_back({"pal.bmp", encodeBmp24(makePoleTexture())});
    return files;
}

}  // namespace

std::vector<ArchiveInput> makeAssetsButMusic() {
    std::vector<ArchiveInput> files = makeModelFiles();
    for (ArchiveInput& f : makeTextureFiles()) files.push_back(std::move(f));
    files.push_back({"seq1.dat", encodeAttitudes(makeAttitudes())});
    return files;
}

bool makeMusicFile(ArchiveInput* file, std::string* error) {
    file->name = "musica.mp3";
    return encodeMp3(composeSoundtrack(), soundtrackKilobits, soundtrackQuality, &file->data,
                     error);
}

bool makeAssetSet(std::vector<ArchiveInput>* files, std::string* error) {
    ArchiveInput music;
    bool musicOk = false;
    std::string musicError;
    std::thread musicThread([&] { musicOk = makeMusicFile(&music, &musicError); });

    std::vector<ArchiveInput> out = makeAssetsButMusic();

    musicThread.join();
    if (!musicOk) {
        *error = musicError;
        return false;
    }
    out.push_back(std::move(music));
    *files = std::move(out);
    return true;
}
