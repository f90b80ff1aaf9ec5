// Text given in pieces of any size, cut into lines: what the object
// readers take files in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrane::b3d {

// '\n' ends a line; a '\r' before it stays part of the line. At most
// `longest` bytes of a line are held: a longer line is handed on as
// overlong, without its text.
class TextLines {
public:
    explicit TextLines(std::size_t longest) : longest_(longest) {}

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
                line(text, text.size() > longest_);
            } else {
                Hold(piece.substr(0, end));
                const bool overlong = overlong_;
                overlong_ = false;
                line(std::string_view(pending_), overlong);
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
        line(std::string_view(last), overlong);
    }

    // Forgets the unfinished line.
    void Drop()
    {
        std::string().swap(pending_);
        overlong_ = false;
    }

private:
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
};

}  // namespace kestrane::b3d
