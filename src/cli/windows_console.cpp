#include "cli/windows_console.h"

#include <windows.h>

#include <iostream>
#include <streambuf>

namespace kestrane::cli {

namespace {

std::string Utf8Of(const wchar_t* text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string bytes(static_cast<std::size_t>(size - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A stream buffer over a standard handle, emptied at each line end and at
// each flush. A console gets whole UTF-8 characters converted to UTF-16; a
// character split over two writes waits for its end.
class StandardHandleBuffer : public std::streambuf {
public:
    explicit StandardHandleBuffer(DWORD which) : handle_(::GetStdHandle(which))
    {
        DWORD mode = 0;
        console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle_, &mode);
    }
    ~StandardHandleBuffer() override { Empty(); }

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        pending_.push_back(traits_type::to_char_type(c));
        if (c == '\n' || pending_.size() >= 4096)
            Empty();
        return c;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        pending_.append(text, static_cast<std::size_t>(count));
        if (pending_.find('\n') != std::string::npos || pending_.size() >= 4096)
            Empty();
        return count;
    }
    int sync() override
    {
        Empty();
        return 0;
    }

private:
    void Empty()
    {
        if (pending_.empty() || handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
            pending_.clear();
            return;
        }
        if (!console_) {
            DWORD written = 0;
            ::WriteFile(handle_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr);
            pending_.clear();
            return;
        }
        // Up to the last complete UTF-8 character.
        std::size_t end = pending_.size();
        std::size_t start = end;
        while (start > 0 && end - start < 4 && (static_cast<unsigned char>(pending_[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start > 0) {
            const auto lead = static_cast<unsigned char>(pending_[start - 1]);
            const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (length > end - (start - 1))
                end = start - 1;
        }
        const int units = ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(end), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(units), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, pending_.data(), static_cast<int>(end), wide.data(), units);
        DWORD written = 0;
        ::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        pending_.erase(0, end);
    }

    HANDLE handle_;
    bool console_ = false;
    std::string pending_;
};

}  // namespace

std::vector<std::string> WindowsArguments()
{
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(Utf8Of(wide[i]));
    ::LocalFree(wide);
    return args;
}

void UseWindowsStandardStreams()
{
    // Never destroyed: the streams are flushed once more at the very end of
    // the process, after the destructors of static objects.
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(new StandardHandleBuffer(STD_OUTPUT_HANDLE));
    std::cerr.rdbuf(new StandardHandleBuffer(STD_ERROR_HANDLE));
}

}  // namespace kestrane::cli
