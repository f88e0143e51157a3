#pragma once

#include <unistd.h>

#include <utility>

namespace kelvane {

// An open file descriptor, closed when the object goes.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Closes now and returns the system's error number, 0 when closing succeeded: a write
    // the file system deferred can fail only here.
    int Close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

  private:
    int fd_ = -1;
};

}  // namespace kelvane
