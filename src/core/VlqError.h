// Errors raised by the puzzle core and the program's services.
#pragma once
#include <stdexcept>
#include <string>

namespace vlq {

// An input/output error in the toolkit's style: a run-time error code and its
// standard text (100 "Read beyond end of file", 2 "File not found",
// 5 "File access denied", 101 "Disk write error", ...).
class IoError : public std::runtime_error {
public:
    IoError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int code() const noexcept { return code_; }
    static IoError readBeyondEnd() { return {100, "Read beyond end of file"}; }
    static IoError fileNotFound() { return {2, "File not found"}; }
    static IoError accessDenied() { return {5, "File access denied"}; }
    static IoError diskWrite() { return {101, "Disk write error"}; }
    // A record of the right size whose contents could take the program outside it.
    static IoError invalidFormat() { return {106, "Invalid numeric format"}; }

private:
    int code_;
};

// A settings value of the wrong kind, or a malformed bounds or colour text.
// The message names the value.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vlq
