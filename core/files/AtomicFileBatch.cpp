#include "core/files/AtomicFileBatch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <exception>

#include "core/base/KelvaneError.h"
#include "core/files/SaveStep.h"
#include "core/files/TablePaths.h"
#include "core/files/TargetAttributes.h"
#include "core/files/UniqueFd.h"
#include "core/files/WriteAllAt.h"

namespace kelvane {

struct AtomicFileBatch::TargetFolder {
    TargetFolder(const std::string& path, const SaveTarget& first)
        : Folder(path), Staging(Folder, first), FirstPath(first.Path()) {}

    SaveFolder Folder;
    StagingFolder Staging;
    std::string FirstPath;  // names the folder's files in a message about all of them
};

namespace {

// Writes one file into the staging folder with the attributes of the file it will replace.
void Stage(int stagingFd, const std::string& name, const SaveTarget& target,
           std::string_view bytes) {
    UniqueFd file(::openat(stagingFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!file.IsOpen()) {
        target.Fail(errno);
    }
    int error = WriteAllAt(file.Get(), 0, bytes);
    if (error == 0) {
        error = GiveTargetAttributes(target.Resolved().Path, target.Check(), file.Get());
    }
    if (error == 0) {
        error = file.Close();
    }
    if (error != 0) {
        target.Fail(error);
    }
}

}  // namespace

AtomicFileBatch::AtomicFileBatch() = default;
AtomicFileBatch::~AtomicFileBatch() = default;

AtomicFileBatch::TargetFolder& AtomicFileBatch::FolderFor(const SaveTarget& target) {
    const std::string path = FolderOfPath(target.Resolved().CanonicalPath);
    std::unique_ptr<TargetFolder>& folder = folders_[path];
    if (folder == nullptr) {
        try {
            folder = std::make_unique<TargetFolder>(path, target);
        } catch (...) {
            folders_.erase(path);
            throw;
        }
    }
    return *folder;
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    SaveTarget target(path);
    const auto earlier = pendingByPath_.find(target.Resolved().CanonicalPath);
    TargetFolder& folder =
        earlier == pendingByPath_.end() ? FolderFor(target) : *pending_[earlier->second].Folder;
    // A new name each time, so a failed write never spoils a file staged before it.
    std::string name = std::to_string(stagedCount_++);
    Stage(folder.Staging.Fd(), name, target, bytes);
    if (earlier == pendingByPath_.end()) {
        pendingByPath_.emplace(target.Resolved().CanonicalPath, pending_.size());
        pending_.push_back({std::move(target), &folder, std::move(name)});
        return;
    }
    PendingFile& replaced = pending_[earlier->second];
    ::unlinkat(folder.Staging.Fd(), replaced.StagedName.c_str(), 0);
    replaced.StagedName = std::move(name);
}

void AtomicFileBatch::Commit() {
    NotifySaveStep(SaveStep::TemporaryWritten);
    for (const auto& [path, folder] : folders_) {
        // One flush of the whole file system instead of one per file: thousands are common.
        if (::syncfs(folder->Staging.Fd()) != 0) {
            throw KelvaneError(CannotCreateMessage(folder->FirstPath, errno));
        }
    }
    NotifySaveStep(SaveStep::TemporarySynced);

    // Locked in one order by every batch, so two batches never wait for each other.
    std::deque<SaveFolder::Lock> locks;
    for (const auto& [path, folder] : folders_) {
        locks.emplace_back(folder->Folder);
    }
    std::exception_ptr failure;
    try {
        for (const PendingFile& file : pending_) {
            file.Target.Check();
            if (::renameat(file.Folder->Staging.Fd(), file.StagedName.c_str(), AT_FDCWD,
                           file.Target.Resolved().Path.c_str()) != 0) {
                file.Target.Fail(errno);
            }
            NotifySaveStep(SaveStep::Renamed);
        }
    } catch (const KelvaneError&) {
        // The files replaced before the failure stay; the rest go with their staging folders.
        failure = std::current_exception();
    }
    pending_.clear();
    pendingByPath_.clear();
    // Flushed after a failure too, for the files replaced before it.
    for (const auto& [path, folder] : folders_) {
        if (const int error = folder->Folder.Sync(); error != 0 && !failure) {
            failure = std::make_exception_ptr(
                KelvaneError(CannotCreateMessage(folder->FirstPath, error)));
        }
    }
    locks.clear();
    folders_.clear();  // removes the staging folders with whatever a failure left in them
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace kelvane
