#include "core/FieldDefFile.h"

#include <string_view>

#include "core/CurrentTable.h"
#include "core/GridColumns.h"
#include "core/IniFile.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "core/TablePaths.h"
#include "core/ValueText.h"

namespace kelvane {
namespace {

constexpr std::string_view kKindSection = "Field kind";
constexpr std::string_view kNameSection = "Field name";
constexpr std::string_view kHexSection = "Field hex";

std::string FieldKey(int n) {
    return "Field " + std::to_string(n);
}

// Any integer but 0 sets the flag; text that is no integer ("True") clears it.
bool ReadHexFlag(const IniFile& ini, const std::string& key) {
    const std::optional<std::string> text = ini.Read(kHexSection, key);
    if (!text) {
        return false;
    }
    const std::optional<int32_t> value = ParseIntegerText(*text);
    return value && *value != 0;
}

void ReadFieldDefs(const IniFile& ini, FieldDefList& defs, int count) {
    for (int n = 0; n < count; ++n) {
        defs[n] = ReadFieldDef(ini, n);
    }
    MakeFieldNamesUnique(defs, count - 1);
}

void WriteFieldDefs(const std::string& path, const FieldDefList& defs, int count) {
    IniFile ini = IniFile::Load(path);
    // Whole sections go, so keys beyond the new count do not survive.
    for (std::string_view section : {kKindSection, kNameSection, kHexSection}) {
        ini.RemoveSection(section);
    }
    for (int n = 0; n < count; ++n) {
        const std::string key = FieldKey(n);
        ini.Write(kKindSection, key, defs[n].KindText);
        ini.Write(kNameSection, key, defs[n].Name);
        ini.Write(kHexSection, key, defs[n].Hex ? "1" : "0");
    }
    ini.Save(path);
}

}  // namespace

std::string FieldDefFilePath(const CurrentTable& current) {
    return JoinPath(FolderOfPath(current.FilePath), current.TableName + ".ini");
}

FieldDef ReadFieldDef(const IniFile& ini, int n) {
    const std::string key = FieldKey(n);
    FieldDef def;
    def.Number = n;
    def.Name = ini.Read(kNameSection, key).value_or(std::to_string(n));
    def.KindText =
        ini.Read(kKindSection, key).value_or(std::string(FieldKindText(FieldKind::ftInteger)));
    def.Kind = FieldKindFromText(def.KindText).value_or(FieldKind::ftInteger);
    // Exactly "ftInteger": a kind text such as "ftinteger" builds an integer column that still
    // never shows in hexadecimal.
    def.Hex = ReadHexFlag(ini, key) && def.KindText == FieldKindText(FieldKind::ftInteger);
    return def;
}

void GetIniSettings(const CurrentTable& current, FieldDefList& defs, int count) {
    ReadFieldDefs(IniFile::Load(FieldDefFilePath(current)), defs, count);
}

void SetIniSettings(const CurrentTable& current, const FieldDefList& defs,
                    const RecordTable& table) {
    // Every column but Index is a field.
    WriteFieldDefs(FieldDefFilePath(current), defs, table.FieldCount() - 1);
}

void SetIniSettingsFCount(const CurrentTable& current, const FieldDefList& defs, int count) {
    WriteFieldDefs(FieldDefFilePath(current), defs, count);
}

int ImportFieldDefFile(const std::string& path, FieldDefList& defs) {
    const IniFile ini = IniFile::Load(path);
    const int count = static_cast<int>(ini.Keys(kKindSection).size());
    if (count > MaxFieldCount) {
        throw KelvaneError("The field definitions in \"" + path + "\" list " +
                           std::to_string(count) + " fields; a table has at most " +
                           std::to_string(MaxFieldCount) + ".");
    }
    ReadFieldDefs(ini, defs, count);
    return count;
}

}  // namespace kelvane
