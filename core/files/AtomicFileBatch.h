#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/files/SaveFolder.h"
#include "core/files/SaveTarget.h"
#include "core/files/StagingFolder.h"

namespace kelvane {

// Many files replaced atomically each, with one flush for all of them: each file is written
// into a staging folder inside its target's folder (StagingFolder), and Commit flushes the file
// system once, renames each file over its target and flushes each folder once. A crash leaves
// every target old or new; the next batch into the folder clears away what the crash staged.
// A file not committed never replaces its target. Targets are checked as SaveTarget says when
// they are added; failures throw KelvaneError, "Cannot create file "%s". %s" when the system
// refuses.
class AtomicFileBatch {
  public:
    AtomicFileBatch();
    ~AtomicFileBatch();
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // A second file for the same target replaces the first.
    void Add(const std::string& path, std::string_view bytes);
    // Replaces the targets of every file added so far, in the order they were first added. When
    // one fails, the files before it stay replaced and the rest are dropped.
    void Commit();

  private:
    struct TargetFolder;
    struct PendingFile {
        SaveTarget Target;
        TargetFolder* Folder;
        std::string StagedName;
    };

    TargetFolder& FolderFor(const SaveTarget& target);

    // By canonical folder path; the map's order is the order folders are locked in.
    std::map<std::string, std::unique_ptr<TargetFolder>> folders_;
    std::vector<PendingFile> pending_;
    std::unordered_map<std::string, size_t> pendingByPath_;  // canonical path to pending_ index
    int stagedCount_ = 0;
};

}  // namespace kelvane
