// A large run of bytes that the terrain writers fill piece by piece without
// further checks and hand to the B3dWriter whole: the text of millions of
// short lines is assembled without a call per piece. Before each block the
// writer makes room for the longest form of that block.
#pragma once

#include "b3d/b3d_writer.h"
#include "core/numbers.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The decimal text of 0, 1, 2 ... as far as asked for: the small numbers
// that fill most lines of a tile (vertex numbers, texture rows and columns)
// are copied rather than worked out digit by digit every time.
class SmallNumbers {
public:
    struct Text {
        char digits[7];
        std::uint8_t length;
    };
    // Makes sure that 0 to count - 1 have their text (a tile's numbers stay
    // far below the 10,000,000 that would not fit).
    void Cover(std::size_t count)
    {
        while (texts_.size() < count) {
            Text text{};
            text.length = static_cast<std::uint8_t>(
                std::to_chars(text.digits, text.digits + sizeof text.digits, texts_.size()).ptr - text.digits);
            texts_.push_back(text);
        }
    }
    const Text& operator[](std::size_t n) const { return texts_[n]; }

private:
    std::vector<Text> texts_;
};

class BlockRun {
public:
    // The bytes come from `memory` (left as they are until written: a page
    // of them costs only once it is used).
    explicit BlockRun(B3dWriter& out, std::pmr::memory_resource* memory = std::pmr::new_delete_resource())
        : out_(&out), memory_(memory), bytes_(static_cast<char*>(memory->allocate(kSize))), capacity_(kSize)
    {
    }
    ~BlockRun() { memory_->deallocate(bytes_, capacity_); }
    BlockRun(const BlockRun&) = delete;
    BlockRun& operator=(const BlockRun&) = delete;

    // Room for the first blocks.
    static constexpr std::size_t kSize = 1 << 18;  // stays in the cache; a larger one only costs fresh pages

    // From now on the blocks go to `out`. Whatever is still held is dropped:
    // the rest of an output whose writing failed.
    void WriteTo(B3dWriter& out)
    {
        out_ = &out;
        size_ = 0;
    }

    // Makes sure that `most` more bytes fit.
    void MakeRoom(std::size_t most)
    {
        if (size_ + most > capacity_) {
            Flush();
            if (most > capacity_) {
                char* larger = static_cast<char*>(memory_->allocate(most));
                memory_->deallocate(bytes_, capacity_);
                bytes_ = larger;
                capacity_ = most;
            }
        }
    }
    // Bytes already in Windows-1250.
    void Put(std::string_view bytes)
    {
        std::memcpy(bytes_ + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }
    // A literal: its length is known where it is written.
    template <std::size_t N>
    void Put(const char (&literal)[N])
    {
        std::memcpy(bytes_ + size_, literal, N - 1);
        size_ += N - 1;
    }
    void Put(char c) { bytes_[size_++] = c; }
    // A plain integer (at most 20 characters).
    void PutInt(long long value)
    {
        size_ = static_cast<std::size_t>(
            std::to_chars(bytes_ + size_, bytes_ + capacity_, value).ptr - bytes_);
    }
    // A number SmallNumbers covers (its text and a byte more are copied:
    // the room made for a plain integer holds them).
    void PutSmall(const SmallNumbers::Text& text)
    {
        std::memcpy(bytes_ + size_, &text, sizeof text);
        size_ += text.length;
    }
    // "Color r,g,b" and the line end, channels as plain integers (at most
    // 19 characters).
    void PutColorLine(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        Put("Color ");
        PutInt(red);
        Put(',');
        PutInt(green);
        Put(',');
        PutInt(blue);
        Put("\r\n");
    }
    // Thousandths as FormatReal writes them (at most 26 characters or `width`).
    void PutThousandths(long long thousandths, int width)
    {
        size_ = static_cast<std::size_t>(WriteThousandths(bytes_ + size_, thousandths, width) - bytes_);
    }
    // Hands what has been built to the writer.
    void Flush()
    {
        out_->WriteBytes(std::string_view(bytes_, size_));
        size_ = 0;
    }

private:
    B3dWriter* out_;
    std::pmr::memory_resource* memory_;
    char* bytes_;
    std::size_t capacity_;
    std::size_t size_ = 0;
};

}  // namespace kestrane
