#include "bench/FloorOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace kelvane::bench {
namespace {

constexpr size_t kPiece = 1 << 20;

}  // namespace

void FailFloor(const std::string& what) {
    std::perror(what.c_str());
    std::exit(1);
}

FloorOutput::FloorOutput(std::string path)
    : path_(std::move(path)), temporary_(path_ + ".floor-tmp") {
    file_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file_ < 0) {
        FailFloor(temporary_);
    }
    buffer_.reserve(2 * kPiece);
}

FloorOutput::~FloorOutput() {
    if (file_ >= 0) {
        close(file_);
    }
}

void FloorOutput::Spill() {
    if (buffer_.size() < kPiece) {
        return;
    }
    size_t done = 0;
    for (; buffer_.size() - done >= kPiece; done += kPiece) {
        if (write(file_, buffer_.data() + done, kPiece) != static_cast<ssize_t>(kPiece)) {
            FailFloor(temporary_);
        }
    }
    buffer_.erase(0, done);
}

void FloorOutput::Add(std::string_view bytes) {
    buffer_ += bytes;
    Spill();
}

void FloorOutput::Finish(std::string_view header) {
    const ssize_t rest = static_cast<ssize_t>(buffer_.size());
    if (write(file_, buffer_.data(), buffer_.size()) != rest ||
        pwrite(file_, header.data(), header.size(), 0) != static_cast<ssize_t>(header.size()) ||
        fsync(file_) != 0 || close(file_) != 0) {
        FailFloor(temporary_);
    }
    file_ = -1;
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        FailFloor(path_);
    }
}

}  // namespace kelvane::bench
