// Other programs: finding one on the search path, and feeding one through a pipe to its standard
// input (the capture tool hands frames to a video encoder this way). Also whether stderr is a
// terminal, for progress output.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// True when name is an executable program on the search path.
bool programExists(const char* name);

// A program started with a command line, its standard input fed from here.
class OutputPipe {
public:
    OutputPipe() = default;
    ~OutputPipe();
    OutputPipe(const OutputPipe&) = delete;
    OutputPipe& operator=(const OutputPipe&) = delete;

    bool open(const std::string& commandLine);
    bool write(const void* data, std::size_t size);
    // Closes the pipe and waits for the program; its exit status, or -1.
    int close();

private:
    void* stream = nullptr;
};

bool stderrIsTerminal();

// Quotes one argument for the system's command interpreter.
std::string quoteArgument(const std::string& argument);

}  // namespace platform
