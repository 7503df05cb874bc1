// The loader's local escape: thrown by value when a step fails and caught at the end of the same
// routine (by reference: there are no subclasses to slice). Its message is a constant string that
// is never shown and never freed; no CError ever leaves the loader.
#pragma once

class CError {
public:
    CError() : message(nullptr) {}
    explicit CError(const char* text) : message(text) {}
    CError(const CError& other) : message(other.message) {}
    CError& operator=(const CError& other) = default;
    virtual ~CError() {}

    const char* message;
};
