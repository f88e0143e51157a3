#include "exchange/TableComparison.h"

#include <utility>

#include "core/workspace/Workspace.h"

namespace kelvane {

TableComparison::TableComparison(std::unique_ptr<Workspace> older, std::string olderName,
                                 std::unique_ptr<Workspace> newer, std::string newerName)
    : older_(std::move(older)),
      olderName_(std::move(olderName)),
      newer_(std::move(newer)),
      newerName_(std::move(newerName)),
      diff_(CompareTables(older_->Table, olderName_, newer_->Table, newerName_)) {}

TableComparison::~TableComparison() = default;

const RecordTable& TableComparison::Older() const {
    return older_->Table;
}

const RecordTable& TableComparison::Newer() const {
    return newer_->Table;
}

void TableComparison::Swap() {
    TableDiff swapped = CompareTables(newer_->Table, newerName_, older_->Table, olderName_);
    std::swap(older_, newer_);
    std::swap(olderName_, newerName_);
    diff_ = std::move(swapped);
}

DiffPatchReport TableComparison::WritePatch(const std::string& path) const {
    return WriteDiffPatchFile(older_->Table, newer_->Table, diff_, path);
}

}  // namespace kelvane
