// Command lines read through a table of options: each option names itself, says whether it takes
// a value, and stores what it is given, refusing what makes no sense with a message. Shared by the
// program and its tools, with the parsers of the values they have in common (sizes, counts).
#pragma once

#include <functional>
#include <string>
#include <vector>

struct OptionRule {
    const char* name;  // "--size"
    bool takesValue;   // the next argument is its value
    // Stores the value (empty for a flag); false with a message in *error when it is refused.
    std::function<bool(const std::string& value, std::string* error)> store;
};

// Applies every argument after the program's name through its rule, in order; false with a
// message in *error for an unknown option, a missing value or a refused one.
bool parseCommandLine(int argc, char** argv, const std::vector<OptionRule>& rules,
                      std::string* error);

// A whole number written in 1 to 9 decimal digits, nothing else (no sign, no spaces).
bool parseWholeNumber(const std::string& text, long* value);

// "1920x1080": two whole numbers around an x.
bool parseSize(const std::string& text, long* width, long* height);

// The options the program and the capture tool share, with the same limits and messages:
// --size WxH, a frame in even numbers from 32 to 8192 (the picture is placed in it by
// layoutFrame), and --supersample N, N x N samples a pixel for N from 1 to 4.
OptionRule sizeRule(int* width, int* height);
OptionRule supersampleRule(int* factor);
