#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/FileSnapshot.h"
#include "core/files/SaveFolder.h"
#include "core/files/SaveTarget.h"
#include "core/files/TemporaryFile.h"

namespace kelvane {

// A file written piece by piece into a temporary file beside its target, which replaces the
// target only on Commit: until then, and whenever anything fails, the file that was there
// stays untouched and the temporary file is removed; a crash leaves the old file or the new one,
// and the temporary file for the next save of that target to clear away. The target is checked
// first (SaveTarget: links followed, folders, pipes, devices, read-only and hard-linked files
// refused). Failures throw KelvaneError, "Cannot create file "%s". %s" when the system refuses.
class AtomicFileWriter {
  public:
    // loaded: the file the content was read from, if any. When the target is that file and has
    // changed on disk since, the save fails with FileChangedError before and at the rename.
    explicit AtomicFileWriter(std::string path,
                              const std::optional<FileSnapshot>& loaded = std::nullopt);
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Where the content goes until Commit, for a writer that opens the file by its name (a
    // database library): it must be done with the file before Commit.
    const std::string& TemporaryPath() const { return temporary_.Path(); }

    void Append(std::string_view bytes);
    // Overwrites bytes already appended, such as a header known only at the end.
    void WriteAt(uint64_t offset, std::string_view bytes);
    // Gives the file the target's owner, group, extended attributes and permissions, flushes it
    // to disk, renames it over the target and flushes the folder. Returns the file as written.
    FileSnapshot Commit();

  private:
    SaveTarget target_;
    std::optional<FileSnapshot> loaded_;
    SaveFolder folder_;
    TemporaryFile temporary_;
    uint64_t size_ = 0;
};

}  // namespace kelvane
