#pragma once

#include <string>
#include <string_view>

namespace kelvane::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const;
    void Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;

  private:
    std::string path_;
};

}  // namespace kelvane::testing
