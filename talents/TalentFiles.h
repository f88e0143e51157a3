#pragma once

#include <string>

namespace kelvane {

class RecordTable;

// What the talent editor uses of the main window: it has no file code of its own, but makes a
// file the current table, works on that table's records and writes them back with the Save
// command.
class TalentFiles {
  public:
    virtual ~TalentFiles() = default;

    // Opens the file as the current table, the way the Open command does after its dialog. When
    // the user keeps the current table's unsaved changes instead, it throws CommandCancelled.
    virtual void OpenTableFile(const std::string& path) = 0;
    // The current table.
    virtual RecordTable& Table() = 0;
    // Writes the current table back to its file. Returns false when the user declined the save.
    virtual bool Save() = 0;
};

}  // namespace kelvane
