#include "exchange/CsvReader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/base/Utf8.h"
#include "exchange/Windows1252Text.h"

namespace kelvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The bytes that end an unquoted item, or may not stand in one.
constexpr std::array<bool, 256> kItemStops = [] {
    std::array<bool, 256> stops{};
    for (const char c : {',', '\r', '\n', '"'}) {
        stops[static_cast<unsigned char>(c)] = true;
    }
    return stops;
}();

// Line ends inside a quoted item: CR LF, LF and CR each count once.
int64_t LineEnds(std::string_view text) {
    int64_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++count;
        }
    }
    return count;
}

}  // namespace

CsvReader::CsvReader(ByteSource& source, std::string fileName, size_t pieceBytes)
    : source_(source),
      fileName_(std::move(fileName)),
      pieceBytes_(std::max<size_t>(pieceBytes, 1)) {
    while (buffer_.size() < kByteOrderMark.size() && MoreToRead()) {
        ReadPiece();
    }
    if (buffer_.starts_with(kByteOrderMark)) {
        start_ = kByteOrderMark.size();
        keepBytes_ = true;
    }
}

bool CsvReader::Next() {
    for (;;) {
        if (start_ == buffer_.size()) {
            if (!MoreToRead()) {
                return false;
            }
            ReadPiece();
            continue;
        }
        switch (ParseRecord()) {
            case Parse::Record:
                return true;
            case Parse::EmptyLine:
                break;
            case Parse::NeedMore:
                ReadPiece();
                break;
        }
    }
}

std::string CsvReader::Where() const {
    return fileName_ + " line " + std::to_string(recordLine_);
}

void CsvReader::Fail(int64_t line, const std::string& what) const {
    throw KelvaneError(fileName_ + " line " + std::to_string(line) + ": " + what);
}

// A record cut off by the end of the buffer is taken apart again from its start once more of
// the file has been read; nothing is kept of the first attempt.
CsvReader::Parse CsvReader::ParseRecord() {
    texts_.clear();
    ends_.clear();
    size_t at = start_;
    int64_t line = line_;
    bool quoted = false;
    for (;;) {
        if (at < buffer_.size() && buffer_[at] == '"') {
            quoted = true;
            if (!TakeQuoted(at, line)) {
                return Parse::NeedMore;
            }
        } else if (!TakeUnquoted(at, line)) {
            return Parse::NeedMore;
        }
        ends_.push_back(texts_.size());
        if (at == buffer_.size()) {
            if (MoreToRead()) {
                return Parse::NeedMore;
            }
            break;  // the file's end ends its last record
        }
        if (buffer_[at] == ',') {
            ++at;
            continue;
        }
        if (buffer_[at] == '\r') {
            if (at + 1 == buffer_.size() && MoreToRead()) {
                return Parse::NeedMore;  // to see whether LF follows
            }
            at += at + 1 < buffer_.size() && buffer_[at + 1] == '\n' ? 2 : 1;
        } else {
            ++at;
        }
        ++line;
        break;
    }
    recordLine_ = line_;
    start_ = at;
    line_ = line;
    if (ends_.size() == 1 && texts_.empty() && !quoted) {
        return Parse::EmptyLine;
    }
    // Markup is ASCII, so a record of ASCII bytes alone, as most are, holds only UTF-8 items.
    if (!keepBytes_ && !IsAscii(texts_)) {
        ConvertWindows1252Items();
    }
    items_.clear();
    size_t begin = 0;
    for (const size_t end : ends_) {
        items_.push_back(std::string_view(texts_).substr(begin, end - begin));
        begin = end;
    }
    return Parse::Record;
}

bool CsvReader::TakeQuoted(size_t& at, int64_t& line) {
    const int64_t openedOn = line;
    ++at;
    for (;;) {
        const size_t quote = buffer_.find('"', at);
        if (quote == std::string::npos) {
            if (MoreToRead()) {
                return false;
            }
            Fail(openedOn, "the quoted item that starts here has no closing quote");
        }
        const std::string_view run = std::string_view(buffer_).substr(at, quote - at);
        line += LineEnds(run);
        texts_.append(run);
        at = quote + 1;
        if (at == buffer_.size() && MoreToRead()) {
            return false;  // to see whether the quote is doubled
        }
        if (at == buffer_.size() || buffer_[at] != '"') {
            break;
        }
        texts_ += '"';
        ++at;
    }
    if (at < buffer_.size() && buffer_[at] != ',' && buffer_[at] != '\r' && buffer_[at] != '\n') {
        Fail(line, "text follows the closing quote of an item");
    }
    return true;
}

bool CsvReader::TakeUnquoted(size_t& at, int64_t line) {
    const size_t begin = at;
    while (at < buffer_.size() && !kItemStops[static_cast<unsigned char>(buffer_[at])]) {
        ++at;
    }
    if (at < buffer_.size() && buffer_[at] == '"') {
        Fail(line, "a double quote stands inside an item that does not start with one");
    }
    if (at == buffer_.size() && MoreToRead()) {
        return false;
    }
    texts_.append(std::string_view(buffer_).substr(begin, at - begin));
    return true;
}

void CsvReader::ReadPiece() {
    buffer_.erase(0, start_);
    start_ = 0;
    // A record longer than a piece doubles what is read next, so that it is taken apart only a
    // few times however long it is.
    const size_t wanted = std::max(pieceBytes_, buffer_.size());
    const size_t size = static_cast<size_t>(std::min<uint64_t>(wanted, source_.Size() - offset_));
    const size_t kept = buffer_.size();
    buffer_.resize(kept + size);
    source_.ReadInto(offset_, buffer_.data() + kept, size);
    offset_ += size;
}

// Each item is judged on its own: one text saved in Windows-1252 among UTF-8 ones leaves the
// others as they are.
void CsvReader::ConvertWindows1252Items() {
    converted_.clear();
    size_t begin = 0;
    for (size_t item = 0; item < ends_.size(); ++item) {
        const size_t end = ends_[item];
        const std::string_view text = std::string_view(texts_).substr(begin, end - begin);
        if (IsUtf8(text)) {
            converted_ += text;
        } else {
            AppendWindows1252AsUtf8(converted_, text);
            if (conversions_.Items++ == 0) {
                conversions_.FirstLine = recordLine_;
                conversions_.FirstItem = item;
            }
        }
        ends_[item] = converted_.size();
        begin = end;
    }
    texts_.swap(converted_);
}

}  // namespace kelvane
