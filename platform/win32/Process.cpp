// Pipes to other programs on Win32, through _popen and the command interpreter, in binary mode so
// frames pass unchanged. Arguments are quoted the way the C runtime splits a command line.
#include <cstdio>
#include <io.h>
#include <string>

#include "platform/Process.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

bool programExists(const char* name) {
    if (name == nullptr || name[0] == '\0') return false;
    char found[MAX_PATH];
    const DWORD length = SearchPathA(nullptr, name, ".exe", MAX_PATH, found, nullptr);
    return length > 0 && length < MAX_PATH;
}

OutputPipe::~OutputPipe() {
    close();
}

bool OutputPipe::open(const std::string& commandLine) {
    close();
    stream = _popen(commandLine.c_str(), "wb");
    return stream != nullptr;
}

bool OutputPipe::write(const void* data, std::size_t size) {
    if (stream == nullptr) return false;
    return std::fwrite(data, 1, size, static_cast<std::FILE*>(stream)) == size;
}

int OutputPipe::close() {
    if (stream == nullptr) return -1;
    const int status = _pclose(static_cast<std::FILE*>(stream));
    stream = nullptr;
    return status;
}

bool stderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

std::string quoteArgument(const std::string& argument) {
    // Backslashes are literal except before a quote, where each one must be doubled.
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

}  // namespace platform
