#pragma once

#include <string>
#include <vector>

namespace kelvane {

// The files the user opened last, newest first, each once.
class RecentFiles {
  public:
    static constexpr int Capacity = 10;

    // Paths as kept from an earlier run; repeats and those past the capacity are dropped.
    explicit RecentFiles(const std::vector<std::string>& paths = {});

    // Puts the path first, moving it there when it was already on the list.
    void Add(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

    // The menu entry of the path at position (0 first): "&1 /data/Spell.dbc" up to
    // "1&0 ..." for the tenth, with any "&" of the path doubled so it is shown, not taken as a
    // mnemonic.
    static std::string EntryCaption(int position, const std::string& path);

  private:
    std::vector<std::string> paths_;
};

}  // namespace kelvane
