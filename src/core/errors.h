// The two ways a generation can fail: refused input (nothing is opened) and
// an input/output failure (the previous file stays as it was).
#pragma once

#include <stdexcept>
#include <string>

namespace kestrane {

// Input that cannot be generated: a malformed number, or dimensions for which
// the geometry is undefined. Raised before any file is opened. `what()` is the
// whole message in the interface language; `field` names the input (its
// caption in the same language).
class InputError : public std::runtime_error {
public:
    InputError(std::string field, std::string message)
        : std::runtime_error(std::move(message)), field_(std::move(field)) {}
    // Values that are refused together, not one field (`field` is empty).
    explicit InputError(std::string message) : std::runtime_error(std::move(message)) {}
    const std::string& field() const { return field_; }

private:
    std::string field_;
};

// A generation that went through, but whose object will look wrong or load
// badly in the simulator. `message` is in the interface language; when it
// is about one input, it starts with `field` (its caption) as an InputError
// does.
struct GenerationWarning {
    std::string field;
    std::string message;
};

// A value that is not a finite number reached the number format. The
// generators refuse such input beforehand; this is the last guard that keeps
// "nan" and "inf" out of every file.
class NonFiniteValue : public std::domain_error {
public:
    NonFiniteValue() : std::domain_error("a computed value is not a finite number") {}
};

// A failed open, write or close. `what()` is the platform's text for the
// failure ("File access denied", "Disk full", "I/O error 5" ...).
class OutputError : public std::runtime_error {
public:
    OutputError(std::string text, std::string path, int code)
        : std::runtime_error(std::move(text)), path_(std::move(path)), code_(code) {}
    const std::string& path() const { return path_; }
    int code() const { return code_; }

private:
    std::string path_;
    int code_;
};

}  // namespace kestrane
