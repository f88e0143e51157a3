// Reads .dbd definitions from arbitrary bytes; whatever reads must expand and be chosen without
// surprises: a layout chosen for a file has exactly the file's field count and record size, and
// a table's own measured layout is always found to fit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/definitions/DbdLayoutChoice.h"
#include "core/definitions/DbdReader.h"
#include "core/table/FieldDef.h"

namespace {

void CheckChoice(const kelvane::DbdFile& file, const kelvane::DbdLayoutRequest& request) {
    const kelvane::DbdLayoutChoice choice = kelvane::ChooseDbdLayout(file, request);
    if (choice.Outcome == kelvane::DbdChoiceOutcome::NoFit) {
        if (!choice.Fields.empty() || choice.Message.empty()) {
            std::abort();
        }
        return;
    }
    int64_t recordBytes = 0;
    for (const kelvane::DbdField& field : choice.Fields) {
        recordBytes += field.Bits / 8;
    }
    if (static_cast<int64_t>(choice.Fields.size()) != request.FieldCount ||
        recordBytes != request.RecordBytes) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kelvane::DbdFile file;
    try {
        file = kelvane::ReadDbdFile(std::string(text), "Fuzz.dbd");
    } catch (const kelvane::KelvaneError&) {
        return 0;
    }
    if (file.Definitions.empty()) {
        std::abort();
    }
    for (const kelvane::DbdDefinition& definition : file.Definitions) {
        const kelvane::DbdBuild build = definition.Builds.Count == 0
                                            ? kelvane::DbdBuild{1, 12, 1, 5875}
                                            : file.Builds[definition.Builds.First].First;
        const kelvane::DbdLayoutSize own = kelvane::MeasureDbdLayout(file, definition, build);
        const kelvane::DbdLayoutRequest request{
            "Fuzz.dbc", own.FieldCount, own.RecordBytes, build, {}};
        CheckChoice(file, request);
        const bool expandable = own.FieldCount <= kelvane::MaxFieldCount;
        if (expandable && definition.Builds.Count != 0 &&
            kelvane::ChooseDbdLayout(file, request).Outcome == kelvane::DbdChoiceOutcome::NoFit) {
            std::abort();
        }
        CheckChoice(file, {"Fuzz.dbc", own.FieldCount, own.RecordBytes + 1, std::nullopt, {}});
    }
    return 0;
}
