// Reads field definitions from arbitrary bytes the way a table load does, checks that the text
// a file is written back as reads the same, and that a written key reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/FieldDef.h"
#include "core/FieldDefFile.h"
#include "core/IniFile.h"

namespace {

constexpr int kFieldsRead = 40;

bool SameDef(const kelvane::FieldDef& a, const kelvane::FieldDef& b) {
    return a.Number == b.Number && a.Name == b.Name && a.KindText == b.KindText &&
           a.Kind == b.Kind && a.Hex == b.Hex;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kelvane::IniFile ini = kelvane::IniFile::Parse(bytes);
    const kelvane::IniFile reread = kelvane::IniFile::Parse(ini.Text());
    for (int n = 0; n < kFieldsRead; ++n) {
        const kelvane::FieldDef def = kelvane::ReadFieldDef(ini, n);
        if (def.Hex && def.Kind != kelvane::FieldKind::ftInteger) {
            std::abort();
        }
        if (!SameDef(def, kelvane::ReadFieldDef(reread, n))) {
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
