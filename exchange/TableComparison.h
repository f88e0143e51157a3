#pragma once

#include <memory>
#include <string>

#include "exchange/DiffPatch.h"
#include "exchange/TableDiff.h"

namespace kelvane {

class RecordTable;
struct Workspace;

// Two states of one table and the differences between them, kept apart from the open table so
// that what the user sees stays true while the open table is edited on.
class TableComparison {
  public:
    // Compares the tables (see CompareTables); the names say which is which.
    TableComparison(std::unique_ptr<Workspace> older, std::string olderName,
                    std::unique_ptr<Workspace> newer, std::string newerName);
    ~TableComparison();
    TableComparison(const TableComparison&) = delete;
    TableComparison& operator=(const TableComparison&) = delete;

    const RecordTable& Older() const;
    const RecordTable& Newer() const;
    const std::string& OlderName() const { return olderName_; }
    const std::string& NewerName() const { return newerName_; }
    const TableDiff& Diff() const { return diff_; }

    // Takes the newer table for the older one and the other way round.
    void Swap();
    // The patch text that turns the older table into the newer one, written atomically.
    DiffPatchReport WritePatch(const std::string& path) const;

  private:
    std::unique_ptr<Workspace> older_;
    std::string olderName_;
    std::unique_ptr<Workspace> newer_;
    std::string newerName_;
    TableDiff diff_;
};

}  // namespace kelvane
