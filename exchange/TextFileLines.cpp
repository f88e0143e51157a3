#include "exchange/TextFileLines.h"

#include <cstring>

namespace kelvane {
namespace {

constexpr size_t kPieceBytes = size_t{1} << 20;

}  // namespace

TextFileLines::TextFileLines(const std::string& path) : in_(path, NamedBy::User) {}

bool TextFileLines::Next(std::string_view& line) {
    for (;;) {
        const char* begin = text_.data() + start_;
        const size_t unread = text_.size() - start_;
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', unread));
        const size_t lfAt = lf == nullptr ? unread : static_cast<size_t>(lf - begin);
        const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', lfAt));
        const size_t end = cr == nullptr ? lfAt : static_cast<size_t>(cr - begin);
        // A CR that ends the text read so far may have its LF in the next piece.
        const bool complete = end + (cr != nullptr ? 1 : 0) < unread || (atEnd_ && unread > 0);
        if (complete) {
            line = std::string_view(begin, end);
            const bool crLf = cr != nullptr && end + 1 < unread && begin[end + 1] == '\n';
            start_ += std::min(unread, end + (crLf ? 2 : 1));
            return true;
        }
        if (!ReadPiece()) {
            return false;
        }
    }
}

bool TextFileLines::ReadPiece() {
    if (atEnd_) {
        return false;
    }
    text_.erase(0, start_);
    start_ = 0;
    const size_t kept = text_.size();
    text_.resize(kept + kPieceBytes);
    // A pipe hands over a little at a time: the piece is filled before the lines are split.
    size_t filled = 0;
    while (filled < kPieceBytes && !atEnd_) {
        const size_t read = in_.ReadSome(text_.data() + kept + filled, kPieceBytes - filled);
        atEnd_ = read == 0;
        filled += read;
    }
    text_.resize(kept + filled);
    return true;
}

}  // namespace kelvane
