#include "exchange/TextFileLines.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/KelvaneError.h"

namespace kelvane {
namespace {

constexpr size_t kPieceBytes = size_t{1} << 20;

}  // namespace

TextFileLines::TextFileLines(const std::string& path) : in_(path, std::ios::binary) {
    struct stat info {};
    if (!in_ || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        throw KelvaneError("Cannot open file \"" + path + "\". " + std::strerror(error));
    }
}

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
    in_.read(text_.data() + kept, static_cast<std::streamsize>(kPieceBytes));
    text_.resize(kept + static_cast<size_t>(in_.gcount()));
    atEnd_ = in_.gcount() == 0;
    return true;
}

}  // namespace kelvane
