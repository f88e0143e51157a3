#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"

namespace kelvane::testing {

// Small TalentTab.dbc and Talent.dbc files made by hand, with their field-definition files:
// 15 and 21 fields, so the record table has 16 and 22 columns.

struct SampleTab {
    int32_t Id = 0;
    std::string Name;
    int32_t Mask = 0;
    int32_t Spacing = 0;   // column 11
    int32_t Position = 0;  // column 14
    int32_t Carried = 0;   // columns 3 to 10 and 12
};

struct SampleTalent {
    int32_t Id = 0;
    int32_t Tab = 0;
    int32_t Row = 0;
    int32_t Column = 0;
    std::array<int32_t, 5> Ranks{};
    int32_t ReqTalent = 0;
    int32_t ReqRank = 0;
    int32_t Carried = 0;  // columns 10 to 13, 15, 16 and 18 to 21
};

inline std::vector<FieldSpec> TalentTabFields() {
    std::vector<FieldSpec> fields{{"ID"}, {"Name", FieldKind::ftString}};
    for (int column = 3; column <= 12; ++column) {
        fields.push_back({"Unk" + std::to_string(column)});
    }
    fields.push_back({"ClassMask", FieldKind::ftInteger, true});
    fields.push_back({"OrderIndex"});
    fields.push_back({"InternalName", FieldKind::ftString});
    return fields;
}

inline std::vector<FieldSpec> TalentFields() {
    std::vector<FieldSpec> fields{{"ID"}, {"TabID"}, {"Row"}, {"Column"}};
    for (int rank = 1; rank <= 5; ++rank) {
        fields.push_back({"Rank" + std::to_string(rank)});
    }
    for (int column = 10; column <= 21; ++column) {
        fields.push_back({column == 14   ? std::string("ReqTalent")
                          : column == 17 ? std::string("ReqRank")
                                         : "Unk" + std::to_string(column)});
    }
    return fields;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes TalentTab.dbc with its field-definition file; the name and the internal name
// ("ClassName" + name) go into the string block.
inline void WriteTalentTab(const std::string& path, const std::vector<SampleTab>& tabs) {
    std::string strings(1, '\0');
    const auto place = [&strings](const std::string& text) {
        if (text.empty()) {
            return int32_t{0};
        }
        const auto offset = static_cast<int32_t>(strings.size());
        strings += text;
        strings += '\0';
        return offset;
    };
    std::vector<std::array<int32_t, 15>> records;
    for (const SampleTab& tab : tabs) {
        std::array<int32_t, 15> cells{};
        cells.fill(tab.Carried);
        cells[0] = tab.Id;
        cells[1] = place(tab.Name);
        cells[10] = tab.Spacing;
        cells[12] = tab.Mask;
        cells[13] = tab.Position;
        cells[14] = place(tab.Name.empty() ? "" : "Internal" + tab.Name);
        records.push_back(cells);
    }
    DbcBytes file;
    file.Header(static_cast<int32_t>(records.size()), 15, 60, static_cast<int32_t>(strings.size()));
    for (const auto& cells : records) {
        for (int32_t cell : cells) {
            file.Int(cell);
        }
    }
    file.Raw(strings);
    WriteBytes(path, file.Bytes());
    WriteFieldDefs(path, TalentTabFields());
}

// Writes Talent.dbc with its field-definition file.
inline void WriteTalents(const std::string& path, const std::vector<SampleTalent>& talents) {
    DbcBytes file;
    file.Header(static_cast<int32_t>(talents.size()), 21, 84, 1);
    for (const SampleTalent& talent : talents) {
        std::array<int32_t, 21> cells{};
        cells.fill(talent.Carried);
        cells[0] = talent.Id;
        cells[1] = talent.Tab;
        cells[2] = talent.Row;
        cells[3] = talent.Column;
        for (size_t rank = 0; rank < talent.Ranks.size(); ++rank) {
            cells[4 + rank] = talent.Ranks[rank];
        }
        cells[13] = talent.ReqTalent;
        cells[16] = talent.ReqRank;
        for (int32_t cell : cells) {
            file.Int(cell);
        }
    }
    file.Raw(std::string(1, '\0'));
    WriteBytes(path, file.Bytes());
    WriteFieldDefs(path, TalentFields());
}

}  // namespace kelvane::testing
