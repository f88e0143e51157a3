#include "core/files/TextLineWriter.h"

namespace kelvane {
namespace {

constexpr size_t kPieceBytes = 1024 * 1024;

}  // namespace

TextLineWriter::TextLineWriter(const std::string& path) : file_(path) {
    buffer_.reserve(kPieceBytes + kPieceBytes / 4);
}

void TextLineWriter::Add(std::string_view line) {
    buffer_ += line;
    buffer_ += "\r\n";
    ++lines_;
    if (buffer_.size() >= kPieceBytes) {
        file_.Append(buffer_);
        buffer_.clear();
    }
}

void TextLineWriter::Commit() {
    file_.Append(buffer_);
    buffer_.clear();
    file_.Commit();
}

}  // namespace kelvane
