#pragma once

#include <string>
#include <string_view>

namespace kelvane::bench {

// The cheapest atomic write: a 1 MiB buffer into a temporary file beside the target, then
// fsync and rename. Failures end the floor program with a message.
class FloorOutput {
  public:
    explicit FloorOutput(std::string path);
    FloorOutput(const FloorOutput&) = delete;
    FloorOutput& operator=(const FloorOutput&) = delete;
    ~FloorOutput();

    // The buffer to append to; whoever appends calls Spill when it holds a piece's worth.
    std::string& Buffer() { return buffer_; }
    void Spill();
    void Add(std::string_view bytes);
    // Writes what is left, then the header over the file's first bytes, which were held open.
    void Finish(std::string_view header = {});

  private:
    std::string path_;
    std::string temporary_;
    int file_ = -1;
    std::string buffer_;
};

[[noreturn]] void FailFloor(const std::string& what);

}  // namespace kelvane::bench
