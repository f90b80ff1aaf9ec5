// Text given in pieces of any size, cut into lines: what the object
// readers take files in.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace kestrane::b3d {

// The blanks around the words and numbers of a line.
constexpr bool IsLineBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// `text` without the blanks around it.
inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsLineBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsLineBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// '\n' ends a line; a '\r' before it stays part of the line, a UTF-8
// byte-order mark before the first goes. At most `longest` bytes of a line
// are held: a longer line is handed on as overlong, without its text.
class TextLines {
public:
    explicit TextLines(std::size_t longest) : longest_(longest) {}

    // Whether a piece holds a NUL byte, which no text file has.
    static bool IsBinary(std::string_view piece)
    {
        return !piece.empty() && std::memchr(piece.data(), '\0', piece.size()) != nullptr;
    }

    // The problem of an overlong line.
    std::string OverlongProblem() const
    {
        return "the line is longer than " + std::to_string(longest_) + " bytes; it is left out";
    }

    // Calls line(text, overlong) for each line that `piece` completes.
    template <typename Line>
    void Feed(std::string_view piece, Line&& line)
    {
        while (!piece.empty()) {
            const std::size_t end = piece.find('\n');
            if (end == std::string_view::npos) {
                Hold(piece);
                return;
            }
            if (pending_.empty() && !overlong_) {
                const std::string_view text = piece.substr(0, end);
                Hand(text, text.size() > longest_, line);
            } else {
                Hold(piece.substr(0, end));
                const bool overlong = overlong_;
                overlong_ = false;
                Hand(pending_, overlong, line);
                pending_.clear();
            }
            piece.remove_prefix(end + 1);
        }
    }

    // Calls line(text, overlong) for a last line without a line end.
    template <typename Line>
    void Finish(Line&& line)
    {
        if (pending_.empty() && !overlong_)
            return;
        const std::string last = std::move(pending_);
        const bool overlong = overlong_;
        Drop();
        Hand(last, overlong, line);
    }

    // Forgets the unfinished line.
    void Drop()
    {
        std::string().swap(pending_);
        overlong_ = false;
    }

private:
    template <typename Line>
    void Hand(std::string_view text, bool overlong, Line& line)
    {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (first_ && text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        first_ = false;
        line(text, overlong);
    }

    void Hold(std::string_view part)
    {
        if (overlong_)
            return;
        if (pending_.size() + part.size() > longest_) {
            overlong_ = true;
            std::string().swap(pending_);
            return;
        }
        pending_.append(part);
    }

    std::size_t longest_;
    std::string pending_;    // the start of a line that goes on in the next piece
    bool overlong_ = false;  // the line held passed `longest_`: skipped to its end
    bool first_ = true;      // no line handed on yet
};

}  // namespace kestrane::b3d
