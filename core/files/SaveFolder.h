#pragma once

#include <string>
#include <string_view>

#include "core/files/UniqueFd.h"

namespace kelvane {

// The folder a save writes into. Kelvane's saves take its lock while they create, clear away or
// rename temporary files there, so that one save never takes another's live temporary file for
// litter and a check that the target is unchanged holds until the rename. A folder that cannot
// be opened for reading (write and search permission only) is saved into without the lock, the
// clearing and the flush.
class SaveFolder {
  public:
    explicit SaveFolder(const std::string& path);  // "" is the current folder

    const std::string& Path() const { return path_; }

    // Holds the folder's lock for its lifetime.
    class Lock {
      public:
        explicit Lock(const SaveFolder& folder);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        int fd_;
    };

    // Removes the temporary files and staging folders whose names are prefix and six more
    // characters and that no running Kelvane holds: what a crashed save left. Call it locked.
    void RemoveStale(std::string_view prefix) const;
    // Flushes the folder's entries, so a rename done in it survives a power cut. Returns the
    // system's error number, or 0.
    int Sync() const;

  private:
    std::string path_;
    UniqueFd fd_;
};

}  // namespace kelvane
