#include "core/definitions/FieldDefFile.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/CurrentTable.h"
#include "core/files/IniFile.h"
#include "core/table/RecordTable.h"
#include "tests/support/CrlfText.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::CrlfText;
using testing::TempDir;

CurrentTable TableAt(const std::string& filePath, const std::string& tableName) {
    CurrentTable current;
    current.FilePath = filePath;
    current.TableName = tableName;
    return current;
}

FieldDef Def(int number, std::string name, FieldKind kind, bool hex) {
    return FieldDef{number, std::move(name), std::string(FieldKindText(kind)), kind, hex};
}

std::vector<std::string> FieldKeys(int count) {
    std::vector<std::string> keys;
    for (int n = 0; n < count; ++n) {
        keys.push_back("Field " + std::to_string(n));
    }
    return keys;
}

TEST(FieldDefFilePath, SitsBesideTheDbcFileUnderTheTableName) {
    EXPECT_EQ(FieldDefFilePath(TableAt("/data/dbc/Spell.dbc", "Spell")), "/data/dbc/Spell.ini");
    EXPECT_EQ(FieldDefFilePath(TableAt("dbc/Item.sparse.dbc", "Item")), "dbc/Item.ini");
    EXPECT_EQ(FieldDefFilePath(TableAt("/Spell.dbc", "Spell")), "/Spell.ini");
    EXPECT_EQ(FieldDefFilePath(TableAt("Spell.dbc", "Spell")), "Spell.ini");
    EXPECT_EQ(FieldDefFilePath(TableAt("", "Custom1")), "");
}

struct ReadFieldCase {
    const char* Label;
    std::string Text;  // sections for field 3
    std::string Name;
    std::string KindText;
    FieldKind Kind;
    bool Hex;
};

void PrintTo(const ReadFieldCase& c, std::ostream* out) {
    *out << c.Label;
}

class ReadFieldDefRules : public ::testing::TestWithParam<ReadFieldCase> {};

TEST_P(ReadFieldDefRules, ReadsField3) {
    const ReadFieldCase& c = GetParam();
    const FieldDef def = ReadFieldDef(IniFile::Parse(c.Text), 3);
    EXPECT_EQ(def.Number, 3);
    EXPECT_EQ(def.Name, c.Name);
    EXPECT_EQ(def.KindText, c.KindText);
    EXPECT_EQ(def.Kind, c.Kind);
    EXPECT_EQ(def.Hex, c.Hex);
}

constexpr FieldKind kInt = FieldKind::ftInteger;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFieldDefRules,
    ::testing::Values(
        ReadFieldCase{"missing keys give defaults", "[Field name]\nField 2=x", "3", "ftInteger",
                      kInt, false},
        ReadFieldCase{"string", "[Field kind]\nField 3=ftString\n[Field name]\nField 3=Name",
                      "Name", "ftString", FieldKind::ftString, false},
        ReadFieldCase{"hex 1", "[Field hex]\nField 3=1", "3", "ftInteger", kInt, true},
        ReadFieldCase{"any nonzero integer", "[Field hex]\nField 3=-2", "3", "ftInteger", kInt,
                      true},
        ReadFieldCase{"hex 0", "[Field hex]\nField 3=0", "3", "ftInteger", kInt, false},
        ReadFieldCase{"hex 0x1", "[Field hex]\nField 3=0x1", "3", "ftInteger", kInt, true},
        ReadFieldCase{"hex $A", "[Field hex]\nField 3=$A", "3", "ftInteger", kInt, true},
        ReadFieldCase{"hex True is no integer", "[Field hex]\nField 3=True", "3", "ftInteger", kInt,
                      false},
        ReadFieldCase{"hex on a float", "[Field kind]\nField 3=ftFloat\n[Field hex]\nField 3=1",
                      "3", "ftFloat", FieldKind::ftFloat, false},
        ReadFieldCase{"name present but empty", "[Field name]\nField 3=", "", "ftInteger", kInt,
                      false},
        ReadFieldCase{"section and key without case", "[FIELD NAME]\nfield 3 = \"Spell Name\"",
                      "Spell Name", "ftInteger", kInt, false}));

// Read as an integer, a misspelt kind would show a text or float column as numbers.
TEST(LoadFieldDefinitions, AKindThatIsNoneOfTheThreeIsRefusedNamingTheFileAndTheField) {
    for (const std::string kind : {"banana", "ftinteger", "FTSTRING", "", "ftFloat32"}) {
        TempDir dir;
        dir.Write("Spell.ini", CrlfText({"[Field kind]", "Field 0=ftInteger", "Field 1=" + kind}));
        auto defs = std::make_unique<FieldDefList>();
        try {
            LoadFieldDefinitions(TableAt(dir.File("Spell.dbc"), "Spell"), *defs, 2);
            ADD_FAILURE() << "the kind '" << kind << "' was read";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "The field definitions in \"" + dir.File("Spell.ini") +
                          "\" cannot be used: field 1 has the kind \"" + kind +
                          "\", but a field's kind is ftInteger, ftFloat or ftString.");
        }
    }
    // A new table made from such a file is refused alike.
    TempDir dir;
    dir.Write("Custom.ini", CrlfText({"[Field kind]", "Field 0=banana"}));
    auto defs = std::make_unique<FieldDefList>();
    EXPECT_THROW(ImportFieldDefFile(dir.File("Custom.ini"), *defs), KelvaneError);
}

TEST(LoadFieldDefinitions, MissingFileGivesIntegerFieldsNamedByNumber) {
    TempDir dir;
    auto defs = std::make_unique<FieldDefList>();
    for (int n = 0; n < 5; ++n) {
        (*defs)[n] = Def(n, "old", FieldKind::ftString, true);
    }
    LoadFieldDefinitions(TableAt(dir.File("Spell.dbc"), "Spell"), *defs, 4);
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ((*defs)[n].Name, std::to_string(n));
        EXPECT_EQ((*defs)[n].KindText, "ftInteger");
        EXPECT_EQ((*defs)[n].Kind, FieldKind::ftInteger);
        EXPECT_FALSE((*defs)[n].Hex);
    }
    // Entries past the count keep what was there.
    EXPECT_EQ((*defs)[4].Name, "old");
}

TEST(LoadFieldDefinitions, ReadsTheTablesFileAndMakesNamesUnique) {
    TempDir dir;
    dir.Write("Spell.ini", CrlfText({"[Field name]", "Field 0=Spell", "Field 1=spell",
                                     "[Field kind]", "Field 1=ftFloat"}));
    auto defs = std::make_unique<FieldDefList>();
    LoadFieldDefinitions(TableAt(dir.File("Spell.dbc"), "Spell"), *defs, 2);
    EXPECT_EQ((*defs)[0].Name, "Spell");
    EXPECT_EQ((*defs)[1].Name, "spell c1");
    EXPECT_EQ((*defs)[1].Kind, FieldKind::ftFloat);
}

TEST(SaveTableFieldDefinitions, WritesKindNameAndHexSectionsInThatOrder) {
    TempDir dir;
    auto defs = std::make_unique<FieldDefList>();
    (*defs)[0] = Def(0, "id", FieldKind::ftInteger, true);
    (*defs)[1] = Def(1, "name", FieldKind::ftString, false);
    // The kind text is written as held, not regenerated from the kind.
    (*defs)[1].KindText = "ftstring";
    (*defs)[2] = Def(2, "not written", FieldKind::ftFloat, false);
    SaveFieldDefinitions(TableAt(dir.File("T.dbc"), "T"), *defs, 2);
    EXPECT_EQ(dir.Read("T.ini"),
              CrlfText({"[Field kind]", "Field 0=ftInteger", "Field 1=ftstring", "[Field name]",
                        "Field 0=id", "Field 1=name", "[Field hex]", "Field 0=1", "Field 1=0"}));
}

TEST(SaveTableFieldDefinitions, FewerFieldsReplaceTheOldSectionsAndKeepOthers) {
    TempDir dir;
    IniFile old = IniFile::Parse(CrlfText({"; notes", "[Other]", "k=v"}));
    for (const std::string& key : FieldKeys(8)) {
        old.Write("Field kind", key, "ftInteger");
        old.Write("Field name", key, "old");
        old.Write("Field hex", key, "1");
    }
    old.Write("Tail", "t", "1");
    old.Save(dir.File("T.ini"));

    auto defs = std::make_unique<FieldDefList>();
    for (int n = 0; n < 5; ++n) {
        (*defs)[n] = Def(n, "new" + std::to_string(n), FieldKind::ftInteger, false);
    }
    SaveFieldDefinitions(TableAt(dir.File("T.dbc"), "T"), *defs, 5);

    const IniFile written = IniFile::Load(dir.File("T.ini"), NamedBy::Program);
    for (const char* section : {"Field kind", "Field name", "Field hex"}) {
        EXPECT_EQ(written.Keys(section), FieldKeys(5)) << section;
    }
    EXPECT_EQ(written.Read("Field name", "Field 4"), "new4");
    EXPECT_EQ(written.Read("Field hex", "Field 4"), "0");
    EXPECT_EQ(written.Read("Other", "k"), "v");
    EXPECT_EQ(written.Read("Tail", "t"), "1");
    EXPECT_EQ(dir.Read("T.ini").rfind(CrlfText({"; notes", "[Other]", "k=v", "[Tail]", "t=1",
                                                "[Field kind]", "Field 0=ftInteger"}),
                                      0),
              0u);
}

TEST(SaveTableFieldDefinitions, NoFieldsOnlyRemovesTheSections) {
    TempDir dir;
    dir.Write("T.ini", CrlfText({"[Field kind]", "Field 0=ftInteger", "[Other]", "k=v",
                                 "[Field hex]", "Field 0=1"}));
    auto defs = std::make_unique<FieldDefList>();
    SaveFieldDefinitions(TableAt(dir.File("T.dbc"), "T"), *defs, 0);
    EXPECT_EQ(dir.Read("T.ini"), CrlfText({"[Other]", "k=v"}));
}

TEST(SaveTableFieldDefinitions, WritesOneFieldPerTableColumnAfterIndex) {
    TempDir dir;
    RecordTable table;
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("a", FieldKind::ftInteger, false);
    table.AddFieldDef("b", FieldKind::ftFloat, false);
    table.OpenEmpty();
    auto defs = std::make_unique<FieldDefList>();
    (*defs)[0] = Def(0, "a", FieldKind::ftInteger, true);
    (*defs)[1] = Def(1, "b", FieldKind::ftFloat, false);
    (*defs)[2] = Def(2, "c", FieldKind::ftInteger, false);
    SaveTableFieldDefinitions(TableAt(dir.File("T.dbc"), "T"), *defs, table);

    const IniFile written = IniFile::Load(dir.File("T.ini"), NamedBy::Program);
    EXPECT_EQ(written.Keys("Field name"), FieldKeys(2));
    auto readBack = std::make_unique<FieldDefList>();
    LoadFieldDefinitions(TableAt(dir.File("T.dbc"), "T"), *readBack, 2);
    EXPECT_EQ((*readBack)[0].Name, "a");
    EXPECT_TRUE((*readBack)[0].Hex);
    EXPECT_EQ((*readBack)[1].Kind, FieldKind::ftFloat);
}

TEST(SaveTableFieldDefinitions, UnwritableFileNamesThePath) {
    TempDir dir;
    auto defs = std::make_unique<FieldDefList>();
    const CurrentTable current = TableAt(dir.File("missing/T.dbc"), "T");
    try {
        SaveFieldDefinitions(current, *defs, 1);
        FAIL() << "wrote into a missing folder";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.File("missing/T.ini"));
    }
}

TEST(SaveTableFieldDefinitions, ANameOrKindWithAControlCharacterIsRefusedAndNothingWritten) {
    const struct {
        std::string Name;
        std::string KindText;
        std::string Problem;
    } cases[] = {
        {"Rank\r\nField 0=Injected", "ftInteger",
         "the name of field 1, 'Rank\\r\\nField 0=Injected', holds a control character (a line "
         "break, a tab or the like), which a field-definition file cannot keep"},
        {"Rank\n[Field hex]\nField 0=1", "ftInteger", "the name of field 1, 'Rank\\n[Field"},
        {"Rank\t", "ftInteger", "the name of field 1, 'Rank\\t', holds"},
        {"Rank\x1b[31m", "ftInteger", "'Rank\\x1b[31m'"},
        {"Rank" + std::string(300, 'x') + "\n", "ftInteger",
         "'Rank" + std::string(76, 'x') + "...', holds"},
        {"Rank", "ftString\nField 1=ftFloat", "the kind of field 1, 'ftString\\nField 1=ftFloat'"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string before = CrlfText({"[Field name]", "Field 0=Id", "Field 1=Old"});
        dir.Write("T.ini", before);
        auto defs = std::make_unique<FieldDefList>();
        (*defs)[0] = Def(0, "Id", FieldKind::ftInteger, false);
        (*defs)[1] = Def(1, c.Name, FieldKind::ftInteger, false);
        (*defs)[1].KindText = c.KindText;
        try {
            SaveFieldDefinitions(TableAt(dir.File("T.dbc"), "T"), *defs, 2);
            ADD_FAILURE() << "wrote " << c.Problem;
        } catch (const KelvaneError& error) {
            const std::string message = error.what();
            EXPECT_TRUE(message.starts_with("Cannot write the field definitions to \"" +
                                            dir.File("T.ini") + "\": "))
                << message;
            EXPECT_NE(message.find(c.Problem), std::string::npos) << message;
            EXPECT_TRUE(message.ends_with(". Nothing was written.")) << message;
        }
        EXPECT_EQ(dir.Read("T.ini"), before);
    }
}

TEST(SaveTableFieldDefinitions, NamesOfOtherCharactersReadBackAsWritten) {
    TempDir dir;
    const std::vector<std::string> names = {"a=b",
                                            "[Field kind]",
                                            "; not a comment",
                                            "# x",
                                            "\"quoted\" inside",
                                            "Gr\xC3\xB6\xC3\x9F"
                                            "e \xE2\x82\xAC",
                                            "caf\xE9"};
    auto defs = std::make_unique<FieldDefList>();
    for (size_t n = 0; n < names.size(); ++n) {
        (*defs)[static_cast<int>(n)] =
            Def(static_cast<int>(n), names[n], FieldKind::ftInteger, false);
    }
    const CurrentTable table = TableAt(dir.File("T.dbc"), "T");
    SaveFieldDefinitions(table, *defs, static_cast<int>(names.size()));
    auto readBack = std::make_unique<FieldDefList>();
    LoadFieldDefinitions(table, *readBack, static_cast<int>(names.size()));
    for (size_t n = 0; n < names.size(); ++n) {
        EXPECT_EQ((*readBack)[static_cast<int>(n)].Name, names[n]);
    }
}

TEST(ImportFieldDefFile, CountsKindKeysAndReadsFieldsByNumber) {
    TempDir dir;
    dir.Write("T.ini",
              CrlfText({"[Field kind]", "Field 0=ftString", "Field 1=ftFloat", "Field 5=ftString",
                        "[Field name]", "Field 0=name", "Field 5=five"}));
    auto defs = std::make_unique<FieldDefList>();
    (*defs)[5].Name = "kept";
    EXPECT_EQ(ImportFieldDefFile(dir.File("T.ini"), *defs), 3);
    EXPECT_EQ((*defs)[0].Name, "name");
    EXPECT_EQ((*defs)[0].Kind, FieldKind::ftString);
    EXPECT_EQ((*defs)[1].Name, "1");
    EXPECT_EQ((*defs)[1].Kind, FieldKind::ftFloat);
    EXPECT_EQ((*defs)[2].Name, "2");
    EXPECT_EQ((*defs)[2].Kind, FieldKind::ftInteger);
    EXPECT_EQ((*defs)[5].Name, "kept");
}

TEST(ImportFieldDefFile, MissingFileOrSectionGivesNoFields) {
    TempDir dir;
    auto defs = std::make_unique<FieldDefList>();
    EXPECT_EQ(ImportFieldDefFile(dir.File("none.ini"), *defs), 0);
    dir.Write("T.ini", CrlfText({"[Field name]", "Field 0=a"}));
    EXPECT_EQ(ImportFieldDefFile(dir.File("T.ini"), *defs), 0);
}

TEST(ImportFieldDefFile, MoreFieldsThanATableCanHoldIsAnError) {
    TempDir dir;
    std::string text = "[Field kind]\r\n";
    for (int n = 0; n <= MaxFieldCount; ++n) {
        text += "Field " + std::to_string(n) + "=ftInteger\r\n";
    }
    dir.Write("Big.ini", text);
    auto defs = std::make_unique<FieldDefList>();
    try {
        ImportFieldDefFile(dir.File("Big.ini"), *defs);
        FAIL() << "imported more fields than a table holds";
    } catch (const KelvaneError& error) {
        EXPECT_NE(std::string(error.what()).find(dir.File("Big.ini")), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace kelvane
