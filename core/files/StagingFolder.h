#pragma once

#include <string>

#include "core/files/UniqueFd.h"

namespace kelvane {

class SaveFolder;
class SaveTarget;

// A batch's private folder inside a target folder (StagingFolderPrefix), where its files wait
// under their final names until they are renamed into place. Locked while it lives, so only a
// crashed batch's folder is cleared away, by the next batch into the same folder; creating one
// does that first. Removed with whatever is left in it when it goes.
class StagingFolder {
  public:
    // target names the batch's first file in messages.
    StagingFolder(const SaveFolder& parent, const SaveTarget& target);
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    int Fd() const { return fd_.Get(); }

  private:
    std::string path_;
    UniqueFd fd_;
};

}  // namespace kelvane
