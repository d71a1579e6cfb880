#pragma once
// Errors of the file layer that travel up to the window's message handling,
// carrying the text the user is shown.
#include <stdexcept>
#include <string>

class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline EngineError CannotOpenFile(const std::string& path) { return EngineError("Cannot open file " + path); }
inline EngineError CannotCreateFile(const std::string& path) { return EngineError("Cannot create file " + path); }
inline EngineError StreamWriteError() { return EngineError("Stream write error"); }
