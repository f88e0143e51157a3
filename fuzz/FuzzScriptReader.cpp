// Reads arbitrary bytes as a server script: every line through the key, value, id and number
// readers, every section through the loot file builder, and the whole text through each record
// importer into a small table with a column of every kind and the columns the importers look
// for. Checks that the walk covers the file in order, that the readers keep their fixed
// defaults, and that every section is accounted for and the table is left browsing and shown.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/TextUtil.h"
#include "core/dbc/DbcFormat.h"
#include "core/table/RecordTable.h"
#include "import/LootTemplates.h"
#include "import/ScriptImports.h"
#include "import/ScriptLines.h"
#include "import/ScriptNumbers.h"
#include "import/ScriptSyntax.h"

namespace {

using kelvane::FieldKind;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void BuildTable(kelvane::RecordTable& table) {
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    const struct {
        const char* Name;
        FieldKind Kind;
    } columns[] = {
        {"Id", FieldKind::ftInteger},
        {"name", FieldKind::ftString},
        {"PageText", FieldKind::ftString},
        {"Speed", FieldKind::ftFloat},
        {"X", FieldKind::ftFloat},
        {"Y", FieldKind::ftInteger},
        {"rZ", FieldKind::ftString},
        {"ma", FieldKind::ftFloat},
        {"reward_item_1", FieldKind::ftInteger},
        {"reward_item_1_amount", FieldKind::ftFloat},
        {"NpcObj_1", FieldKind::ftString},
        {"RequiresRace", FieldKind::ftInteger},
        {"Complexity", FieldKind::ftString},
        {"RequiresTradeSkill", FieldKind::ftFloat},
    };
    for (const auto& column : columns) {
        table.AddFieldDef(column.Name, column.Kind, false);
    }
    table.OpenEmpty();
}

void CheckLine(std::string_view line) {
    // With an "=" the key, the "=" and the value give the trimmed line back; without one both
    // are "unknown".
    const std::string_view trimmed = kelvane::TrimBlanks(line);
    const std::string_view key = kelvane::LineKey(line);
    const std::string_view value = kelvane::LineValue(line);
    if (trimmed.find('=') == std::string_view::npos) {
        Check(key == kelvane::UnknownText && value == kelvane::UnknownText);
    } else {
        Check(std::string(key) + "=" + std::string(value) == trimmed);
    }
    kelvane::SectionId(line);
    kelvane::IntegerValue(line);
    kelvane::ReadIntegerPair(line);
    const float single = kelvane::FloatValue(line);
    const float chance = kelvane::LootChance(line);
    Check(std::isfinite(single) && std::isfinite(chance));
    for (const auto separator : {kelvane::QuadSeparator::Blank, kelvane::QuadSeparator::Comma}) {
        for (const float number : kelvane::FloatQuad(line, separator)) {
            Check(std::isfinite(number));
        }
    }
}

void CheckSections(const kelvane::ScriptLines& lines) {
    int expectedHeader = lines.FindSectionStart(0);
    for (const kelvane::ScriptSection& section : lines.Sections()) {
        Check(section.Header == expectedHeader);
        Check(kelvane::IsSectionHeader(lines.Line(section.Header)));
        Check(section.BodyBegin == section.Header + 1 && section.BodyEnd >= section.BodyBegin);
        for (int index = section.BodyBegin; index < section.BodyEnd; ++index) {
            Check(!kelvane::IsSectionHeader(lines.Line(index)));
        }
        Check(section.BodyEnd == lines.Count() ||
              kelvane::IsSectionHeader(lines.Line(section.BodyEnd)));
        const std::string file = kelvane::LootTableBytes(lines, section);
        const kelvane::DbcHeader header = kelvane::ParseDbcHeader(file);
        Check(file.size() == kelvane::DbcHeaderSize + 8 * static_cast<size_t>(header.RecordCount));
        expectedHeader = lines.FindSectionStart(section.Header + 1);
    }
    Check(expectedHeader == -1);
}

void CheckImport(const kelvane::ScriptLines& lines, kelvane::ScriptImport kind) {
    kelvane::RecordTable table;
    BuildTable(table);
    const kelvane::ImportReport report = kelvane::ImportScript(table, kind, lines);
    Check(report.RecordsAppended + report.RecordsCancelled + report.SectionsSkipped ==
          static_cast<int>(lines.Sections().size()));
    Check(table.RecordCount() == report.RecordsAppended);
    Check(table.State() == kelvane::TableState::Browse && !table.NotificationsSuspended());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const kelvane::ScriptLines lines(std::string(reinterpret_cast<const char*>(data), size));
    for (int index = 0; index < lines.Count(); ++index) {
        CheckLine(lines.Line(index));
    }
    CheckSections(lines);
    for (const auto kind : {kelvane::ScriptImport::Scp, kelvane::ScriptImport::WorldSave,
                            kelvane::ScriptImport::Quests, kelvane::ScriptImport::ItemPages}) {
        CheckImport(lines, kind);
    }
    return 0;
}
