// A base for classes that own a resource (an open file, a group of pending
// files) and must be neither copied nor moved.
#pragma once

namespace kestrane {

class NonCopyable {
public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

}  // namespace kestrane
