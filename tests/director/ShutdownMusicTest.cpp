// The shutdown and the music: Escape stops the decoder before the recording is closed; a show that
// ended by itself, or a window closed without Escape, leaves the music alone.
#include <fcntl.h>

#include <cstdio>

#include "app/Demo.h"
#include "app/GLWindow.h"
#include "app/Objects.h"
#include "music/MusicPlayer.h"
#include "platform/Keys.h"
#include "tests/director/DemoFixture.h"

namespace {

// Stands in for the decoder's stop entry: counts the calls and whether seq1.dat was still open.
int stopCalls = 0;
bool recordingOpenAtStop = false;
int recordingDescriptor = -1;

std::int32_t watchedStop() {
    ++stopCalls;
    recordingOpenAtStop = fcntl(recordingDescriptor, F_GETFD) != -1;
    return 0;
}

void shutDownWatched(bool escapeDown) {
    ASSERT_NE(music, nullptr);
    ASSERT_NE(seqFile, nullptr);
    recordingDescriptor = fileno(seqFile);
    music->stopEntry = watchedStop;
    keys[platform::vkEscape] = escapeDown;  // as the main loop leaves it: the key-up never comes
    shutdownDemo();
    keys[platform::vkEscape] = false;
    EXPECT_EQ(fcntl(recordingDescriptor, F_GETFD), -1) << "seq1.dat is still open";
}

}  // namespace

TEST_F(StartedDemo, EscapeStopsTheMusicBeforeTheRecordingCloses) {
    shutDownWatched(true);
    EXPECT_EQ(stopCalls, 1);
    EXPECT_TRUE(recordingOpenAtStop);
}

TEST_F(StartedDemo, AShutdownWithoutEscapeLeavesTheMusicPlaying) {
    shutDownWatched(false);
    EXPECT_EQ(stopCalls, 0);
}
