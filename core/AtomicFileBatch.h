#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Many files written atomically with one flush for all of them: each is written to a
// temporary file beside its target, and Commit flushes the file systems once and renames each
// over its target. A file not committed never replaces its target; its temporary file goes.
// Failures throw "Cannot create file "%s". %s".
class AtomicFileBatch {
  public:
    AtomicFileBatch() = default;
    ~AtomicFileBatch();
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    void Add(const std::string& path, std::string_view bytes);
    // Replaces the targets of every file added so far, in the order they were added.
    void Commit();

  private:
    struct PendingFile {
        std::string Path;
        std::string TemporaryPath;
    };
    std::vector<PendingFile> pending_;
};

}  // namespace kelvane
