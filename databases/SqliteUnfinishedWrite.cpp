#include "databases/SqliteUnfinishedWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include "core/base/KelvaneError.h"
#include "core/files/UniqueFd.h"

namespace kelvane {
namespace {

// How every rollback journal that still counts begins; a finished one is empty, gone, or has
// these bytes zeroed.
constexpr std::array<unsigned char, 8> kJournalMagic = {0xd9, 0xd5, 0x05, 0xf9,
                                                        0x20, 0xa1, 0x63, 0xd7};

bool HoldsLiveJournal(const std::string& path) {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    std::array<unsigned char, kJournalMagic.size()> start{};
    return fd.IsOpen() &&
           ::read(fd.Get(), start.data(), start.size()) == static_cast<ssize_t>(start.size()) &&
           start == kJournalMagic;
}

// A name too long for the system has no file.
bool IsNonEmptyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

}  // namespace

void RequireNoUnfinishedWrite(const std::string& databasePath, const std::string& shownPath) {
    std::string journal;
    if (HoldsLiveJournal(databasePath + "-journal")) {
        journal = databasePath + "-journal";
    } else if (IsNonEmptyFile(databasePath + "-wal")) {
        journal = databasePath + "-wal";
    } else {
        return;
    }
    throw KelvaneError("\"" + shownPath +
                       "\" is being written by another program, or one stopped while writing it "
                       "(its journal \"" +
                       journal +
                       "\" is there). Nothing was saved: close the other program, or open the "
                       "database with SQLite once so that it finishes that write, and try again.");
}

}  // namespace kelvane
