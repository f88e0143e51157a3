#pragma once

#include "import/RecordImport.h"

namespace kelvane {

// world.save: only the sections that hold a line "TYPE" with the integer value 3 (wherever it
// stands) leave a record; the header is not looked at. "XYZ" spreads a position over the float
// columns X, Y, Z and R, "ROTATION" over rX, rY, rZ and rR; other keys go by AssignByKind.
class WorldSaveImporter : public SectionImporter {
  public:
    bool StoresSectionId() const override { return false; }
    bool TakesSection(const ScriptLines& lines, const ScriptSection& section) const override;
    void HandleLine(RecordTable& table, std::string_view key, std::string_view line) override;
};

}  // namespace kelvane
