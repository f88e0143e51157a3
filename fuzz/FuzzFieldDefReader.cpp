// Reads field definitions (sizes included) from arbitrary bytes the way a table load does, checks
// that the text a file is written back as reads the same, and that a written key reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/definitions/FieldDefFile.h"
#include "core/files/IniFile.h"
#include "core/table/Field.h"
#include "core/table/FieldDef.h"

namespace {

constexpr int kFieldsRead = 40;

bool SameDef(const kelvane::FieldDef& a, const kelvane::FieldDef& b) {
    return a.Number == b.Number && a.Name == b.Name && a.KindText == b.KindText &&
           a.Kind == b.Kind && a.Hex == b.Hex && a.Bits == b.Bits;
}

// The definition, or nothing when the file gives it a size that cannot be used.
std::optional<kelvane::FieldDef> TryReadFieldDef(const kelvane::IniFile& ini, int n) {
    try {
        return kelvane::ReadFieldDef(ini, n);
    } catch (const kelvane::KelvaneError&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kelvane::IniFile ini = kelvane::IniFile::Parse(bytes);
    const kelvane::IniFile reread = kelvane::IniFile::Parse(ini.Text());
    for (int n = 0; n < kFieldsRead; ++n) {
        const std::optional<kelvane::FieldDef> def = TryReadFieldDef(ini, n);
        const std::optional<kelvane::FieldDef> again = TryReadFieldDef(reread, n);
        if (def.has_value() != again.has_value()) {
            std::abort();
        }
        if (!def) {
            continue;
        }
        if (def->Hex && def->Kind != kelvane::FieldKind::ftInteger) {
            std::abort();
        }
        if ((def->Bits != 0 && !kelvane::IsFieldSize(def->Bits)) || !SameDef(*def, *again)) {
            std::abort();
        }
    }
    if (ini.Keys("Field kind") != reread.Keys("Field kind")) {
        std::abort();
    }

    kelvane::IniFile written = ini;
    written.RemoveSection("Field kind");
    written.Write("Field name", "Field 3", "written");
    const kelvane::IniFile writtenReread = kelvane::IniFile::Parse(written.Text());
    if (!writtenReread.Keys("Field kind").empty() ||
        writtenReread.Read("Field name", "Field 3") != "written") {
        std::abort();
    }
    return 0;
}
