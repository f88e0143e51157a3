#pragma once

#include <string_view>
#include <unordered_set>

namespace kelvane {

// The keys whose lines have set a value in the section at hand, letter case ignored as when a
// key names a column. The keys are views into the script's lines, which outlive the run.
class SectionKeys {
  public:
    void Clear() { keys_.clear(); }
    // Remembers the key; whether a line with it had set a value before.
    bool SetBefore(std::string_view key) { return !keys_.insert(key).second; }

  private:
    struct CaseFreeHash {
        size_t operator()(std::string_view key) const;
    };
    struct CaseFreeEqual {
        bool operator()(std::string_view left, std::string_view right) const;
    };

    std::unordered_set<std::string_view, CaseFreeHash, CaseFreeEqual> keys_;
};

}  // namespace kelvane
