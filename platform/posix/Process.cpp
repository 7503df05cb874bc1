// Pipes to other programs on POSIX, through popen and the shell.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Process.h"

namespace platform {

bool programExists(const char* name) {
    if (name == nullptr || name[0] == '\0') return false;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t colon = folders.find(':', start);
        std::string folder =
            folders.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (folder.empty()) folder = ".";
        if (access((folder + "/" + name).c_str(), X_OK) == 0) return true;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return false;
}

OutputPipe::~OutputPipe() {
    close();
}

bool OutputPipe::open(const std::string& commandLine) {
    close();
    // A program that dies early must show up as a failed write, not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    stream = popen(commandLine.c_str(), "w");
    return stream != nullptr;
}

bool OutputPipe::write(const void* data, std::size_t size) {
    if (stream == nullptr) return false;
    return std::fwrite(data, 1, size, static_cast<std::FILE*>(stream)) == size;
}

int OutputPipe::close() {
    if (stream == nullptr) return -1;
    int status = pclose(static_cast<std::FILE*>(stream));
    stream = nullptr;
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

bool stderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

std::string quoteArgument(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace platform
