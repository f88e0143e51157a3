#include "core/definitions/FieldDefFile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "core/files/CurrentTable.h"
#include "core/files/IniFile.h"
#include "core/files/TablePaths.h"
#include "core/table/Field.h"
#include "core/table/GridColumns.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

constexpr std::string_view kKindSection = "Field kind";
constexpr std::string_view kNameSection = "Field name";
constexpr std::string_view kHexSection = "Field hex";
constexpr std::string_view kSizeSection = "Field size";
constexpr std::array<std::string_view, 4> kSections = {kKindSection, kNameSection, kHexSection,
                                                       kSizeSection};

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

// 0 when the key is missing; a size that is not 8, 16 or 32 fails.
int ReadSizeBits(const IniFile& ini, const std::string& key, int n) {
    const std::optional<std::string> text = ini.Read(kSizeSection, key);
    if (!text) {
        return 0;
    }
    const std::optional<int32_t> bits = ParseIntegerText(*text);
    if (!bits || !IsFieldSize(*bits)) {
        throw KelvaneError("field " + std::to_string(n) + " has the size \"" + EchoText(*text) +
                           "\", but a field is 8, 16 or 32 bits wide");
    }
    return *bits;
}

// Only the three kinds' exact names: a kind misspelt ("banana", "ftstring") read as an integer
// would turn a text or float column into numbers without a word.
FieldKind ReadKind(const std::string& text, int n) {
    if (const std::optional<FieldKind> kind = FieldKindFromText(text)) {
        return *kind;
    }
    throw KelvaneError("field " + std::to_string(n) + " has the kind \"" + EchoText(text) +
                       "\", but a field's kind is ftInteger, ftFloat or ftString");
}

void ReadFieldDefs(const IniFile& ini, const std::string& path, FieldDefList& defs, int count) {
    try {
        for (int n = 0; n < count; ++n) {
            defs[n] = ReadFieldDef(ini, n);
        }
    } catch (const KelvaneError& error) {
        throw KelvaneError("The field definitions in \"" + path +
                           "\" cannot be used: " + error.what() + ".");
    }
    MakeFieldNamesUnique(defs, count - 1);
}

// Sizes are written only for definitions that give some, so files that never had the section
// do not gain one.
bool AnySizeGiven(const FieldDefList& defs, int count) {
    for (int n = 0; n < count; ++n) {
        if (defs[n].Bits != 0) {
            return true;
        }
    }
    return false;
}

void WriteFieldDefs(const std::string& path, const FieldDefList& defs, int count) {
    try {
        for (int n = 0; n < count; ++n) {
            RequireStorableFieldDef(defs[n]);
        }
    } catch (const KelvaneError& error) {
        throw KelvaneError("Cannot write the field definitions to \"" + path +
                           "\": " + error.what() + ". Nothing was written.");
    }
    IniFile ini = IniFile::Load(path, NamedBy::Program);
    // Whole sections go, so keys beyond the new count do not survive.
    for (std::string_view section : kSections) {
        ini.RemoveSection(section);
    }
    const bool sized = AnySizeGiven(defs, count);
    for (int n = 0; n < count; ++n) {
        const std::string key = FieldKey(n);
        ini.Write(kKindSection, key, defs[n].KindText);
        ini.Write(kNameSection, key, defs[n].Name);
        ini.Write(kHexSection, key, defs[n].Hex ? "1" : "0");
        if (sized) {
            ini.Write(kSizeSection, key, std::to_string(defs[n].Bits == 0 ? 32 : defs[n].Bits));
        }
    }
    ini.Save(path);
}

}  // namespace

std::string FieldDefFilePath(const CurrentTable& current) {
    // A table never saved has no folder of its own: a file in the working folder would be one
    // the user never chose.
    if (current.FilePath.empty()) {
        return {};
    }
    return JoinPath(FolderOfPath(current.FilePath), current.TableName + ".ini");
}

void RequireStorableFieldDef(const FieldDef& def) {
    const auto require = [&def](const std::string& text, const char* what) {
        if (HoldsControlCharacter(text)) {
            throw KelvaneError("the " + std::string(what) + " of field " +
                               std::to_string(def.Number) + ", '" + EchoText(text) + "', " +
                               std::string(HoldsControlCharacterWords) +
                               ", which a field-definition file cannot keep");
        }
    };
    require(def.Name, "name");
    require(def.KindText, "kind");
}

FieldDef ReadFieldDef(const IniFile& ini, int n) {
    const std::string key = FieldKey(n);
    FieldDef def;
    def.Number = n;
    def.Name = ini.Read(kNameSection, key).value_or(std::to_string(n));
    def.KindText =
        ini.Read(kKindSection, key).value_or(std::string(FieldKindText(FieldKind::ftInteger)));
    def.Kind = ReadKind(def.KindText, n);
    def.Hex = ReadHexFlag(ini, key) && def.Kind == FieldKind::ftInteger;
    def.Bits = ReadSizeBits(ini, key, n);
    return def;
}

int LoadFieldDefinitions(const CurrentTable& current, FieldDefList& defs, int count) {
    const std::string path = FieldDefFilePath(current);
    const IniFile ini = IniFile::Load(path, NamedBy::Program);
    ReadFieldDefs(ini, path, defs, count);
    return DescribedFieldCount(ini);
}

void SaveTableFieldDefinitions(const CurrentTable& current, const FieldDefList& defs,
                               const RecordTable& table) {
    // Every column but Index is a field.
    WriteFieldDefs(FieldDefFilePath(current), defs, table.FieldCount() - 1);
}

void SaveFieldDefinitions(const CurrentTable& current, const FieldDefList& defs, int count) {
    WriteFieldDefs(FieldDefFilePath(current), defs, count);
}

int DescribedFieldCount(const IniFile& ini) {
    size_t count = 0;
    for (std::string_view section : kSections) {
        count = std::max(count, ini.Keys(section).size());
    }
    return static_cast<int>(count);
}

int ImportFieldDefFile(const std::string& path, FieldDefList& defs) {
    const IniFile ini = IniFile::Load(path, NamedBy::User);
    const int count = static_cast<int>(ini.Keys(kKindSection).size());
    if (count > MaxFieldCount) {
        throw KelvaneError("The field definitions in \"" + path + "\" list " +
                           std::to_string(count) + " fields; a table has at most " +
                           std::to_string(MaxFieldCount) + ".");
    }
    ReadFieldDefs(ini, path, defs, count);
    return count;
}

}  // namespace kelvane
