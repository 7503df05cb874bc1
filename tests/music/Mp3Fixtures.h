// Shared helpers for the music tests: MP3 files made on the spot with LAME, libmpg123's own decode
// of them as the reference, scratch files per test, audio driver choice, and a window that records
// the reports it receives while the test pumps the message queue like the main loop does.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Window.h"

struct RecordedMessage {
    unsigned message;
    std::uintptr_t wParam;
    std::chrono::steady_clock::time_point when;
};

// libmpg123's plain decode of the whole file as signed 16-bit PCM.
std::vector<unsigned char> decodeReference(const std::string& path, long* sampleRate,
                                           int* channels);

std::string scratchPath(const std::string& suffix);  // unique to the running test
// A scratch file "tone.mp3" holding a tone (440 Hz left, 660 Hz right) of the given length,
// 44.1 kHz stereo encoded at 128 kbit/s with an Info tag.
std::string tone(double seconds);
void removeScratchFiles();
void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readFile(const std::string& path);
// Picks SDL's audio driver for the next device opened; diskFile for the "disk" driver.
void useAudioDriver(const char* driver, const std::string& diskFile = "");

// A hidden window whose procedure records every message into recordedMessages().
platform::WindowHandle createRecordingWindow();
std::vector<RecordedMessage>& recordedMessages();
int countMessages(unsigned message);

// Dispatches messages as the main loop does until done() holds or the time is up; done()'s result.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
