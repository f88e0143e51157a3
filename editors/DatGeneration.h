#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace kelvane {

struct DatKind;
class RecordTable;

// What a generator window shows while it writes a .dat file.
class DatGenerationView {
  public:
    virtual ~DatGenerationView() = default;
    virtual void SetStatus(std::string_view text) = 0;
    // The record being read, from 0; the bar stays full past DatProgressMaximum.
    virtual void SetProgress(int position) = 0;
    // Lets the user read the status before the file is written.
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

inline constexpr int DatProgressMaximum = 8500;
inline constexpr char DatGenerationComplete[] = "GENARATION COMPLETE!!!";

// Gathers the ids and names of the current table and writes the kind's file into the
// side-file folder (created when missing), reporting each step to the view. Returns the path
// written. Failures (no records, a missing column, a file that cannot be created) are thrown with
// nothing written.
std::string GenerateDatFile(RecordTable& table, const DatKind& kind,
                            const std::string& sideFileFolder, DatGenerationView& view);

}  // namespace kelvane
