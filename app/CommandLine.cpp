// The table-driven command line and the value parsers the options share.
#include "app/CommandLine.h"

#include <cstdlib>

bool parseCommandLine(int argc, char** argv, const std::vector<OptionRule>& rules,
                      std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const OptionRule* rule = nullptr;
        for (const OptionRule& candidate : rules)
            if (argument == candidate.name) rule = &candidate;
        if (rule == nullptr) {
            *error = "unknown argument " + argument;
            return false;
        }
        std::string value;
        if (rule->takesValue) {
            if (i + 1 >= argc) {
                *error = argument + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!rule->store(value, error)) return false;
    }
    return true;
}

bool parseWholeNumber(const std::string& text, long* value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

bool parseSize(const std::string& text, long* width, long* height) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && parseWholeNumber(text.substr(0, x), width) &&
           parseWholeNumber(text.substr(x + 1), height);
}

OptionRule sizeRule(int* width, int* height) {
    return {"--size", true, [width, height](const std::string& value, std::string* error) {
                long w = 0, h = 0;
                if (!parseSize(value, &w, &h) || w < 32 || h < 32 || w > 8192 || h > 8192 ||
                    w % 2 != 0 || h % 2 != 0) {
                    *error =
                        "--size takes WIDTHxHEIGHT in even numbers from 32 to 8192, e.g. "
                        "1920x1080";
                    return false;
                }
                *width = static_cast<int>(w);
                *height = static_cast<int>(h);
                return true;
            }};
}

OptionRule supersampleRule(int* factor) {
    return {"--supersample", true, [factor](const std::string& value, std::string* error) {
                long n = 0;
                if (!parseWholeNumber(value, &n) || n < 1 || n > 4) {
                    *error = "--supersample takes 1, 2, 3 or 4";
                    return false;
                }
                *factor = static_cast<int>(n);
                return true;
            }};
}
