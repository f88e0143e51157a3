#include "core/definitions/DbdLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/definitions/DbdReader.h"
#include "core/table/FieldDef.h"

namespace kelvane {
namespace {

const char* const BannerDbd = R"(COLUMNS
int ID
locstring Title_lang // shown above the banner
int<Emblem::ID> EmblemID // the emblem drawn in the middle
uint Colors
float Scale
int Stamp

BUILD 1.12.1.5875, 2.4.3.8606, 3.3.5.12340, 4.3.4.15595
$noninline,id$Key
$id$ID<32>
Title_lang
EmblemID<u8> // overrides the column's comment
Colors<16>[2]
Scale
Stamp<64>
)";

std::vector<std::string> NamesOf(const std::vector<DbdField>& fields) {
    std::vector<std::string> names;
    for (const DbdField& field : fields) {
        names.push_back(field.Name);
    }
    return names;
}

class DbdLayoutTest : public ::testing::Test {
  protected:
    DbdLayoutTest() {
        // The inline key only appears with its own column line; "Key" stays outside records.
        std::string text = BannerDbd;
        text.insert(text.find("int ID"), "int Key\n");
        file_ = ReadDbdFile(text, "Banner.dbd");
    }

    std::vector<DbdField> Expand(const char* build) const {
        return ExpandDbdLayout(file_, file_.Definitions[0], *ParseDbdBuild(build));
    }

    DbdFile file_;
};

TEST_F(DbdLayoutTest, FirstEraExpandsEightLocalesFlagsArraysAndWidths) {
    std::vector<DbdField> fields = Expand("1.12.1.5875");
    EXPECT_EQ(NamesOf(fields),
              (std::vector<std::string>{"ID", "Title_lang_enUS", "Title_lang_koKR",
                                        "Title_lang_frFR", "Title_lang_deDE", "Title_lang_zhCN",
                                        "Title_lang_zhTW", "Title_lang_esES", "Title_lang_esMX",
                                        "Title_lang_flags", "EmblemID", "Colors_1", "Colors_2",
                                        "Scale", "Stamp_lo", "Stamp_hi"}));
    EXPECT_TRUE(fields[0].IsKey);
    EXPECT_FALSE(fields[1].IsKey);
    EXPECT_EQ(fields[1].Kind, FieldKind::ftString);
    EXPECT_EQ(fields[1].Comment, "shown above the banner");
    EXPECT_EQ(fields[9].Kind, FieldKind::ftInteger);
    EXPECT_FALSE(fields[9].Signed);

    const DbdField& emblem = fields[10];
    EXPECT_EQ(emblem.Bits, 8);
    EXPECT_FALSE(emblem.Signed);
    EXPECT_EQ(emblem.Comment, "overrides the column's comment");
    EXPECT_EQ(emblem.ForeignKey, "Emblem::ID");
    EXPECT_EQ(fields[11].Bits, 16);
    EXPECT_FALSE(fields[11].Signed);  // a uint column stays unsigned at any width
    EXPECT_EQ(fields[13].Kind, FieldKind::ftFloat);
    EXPECT_EQ(fields[14].Bits, 32);
    EXPECT_TRUE(fields[15].Signed);

    DbdLayoutSize size =
        MeasureDbdLayout(file_, file_.Definitions[0], *ParseDbdBuild("1.12.1.5875"));
    EXPECT_EQ(size.FieldCount, 16);
    EXPECT_EQ(size.RecordBytes, 4 + 9 * 4 + 1 + 2 * 2 + 4 + 8);
}

TEST_F(DbdLayoutTest, LocaleCountFollowsTheBuildsEra) {
    struct Case {
        const char* build;
        size_t localizedFields;
    };
    for (Case c : {Case{"0.5.3.3368", 9}, Case{"1.12.1.5875", 9}, Case{"2.4.3.8606", 17},
                   Case{"3.3.5.12340", 17}, Case{"4.3.4.15595", 1}}) {
        std::vector<DbdField> fields = Expand(c.build);
        size_t localized = 0;
        for (const DbdField& field : fields) {
            localized += field.Name.rfind("Title_lang", 0) == 0 ? 1 : 0;
        }
        EXPECT_EQ(localized, c.localizedFields) << c.build;
        DbdLayoutSize size = MeasureDbdLayout(file_, file_.Definitions[0], *ParseDbdBuild(c.build));
        EXPECT_EQ(size.FieldCount, static_cast<int64_t>(fields.size())) << c.build;
    }
    EXPECT_EQ(Expand("3.3.5.12340")[16].Name, "Title_lang_unk15");
    EXPECT_EQ(Expand("4.3.4.15595")[1].Name, "Title_lang");
}

TEST(DbdLayoutLimitTest, ALayoutBeyondTheFieldLimitIsRefusedButMeasured) {
    DbdFile file =
        ReadDbdFile("COLUMNS\nlocstring Text\n\nBUILD 3.3.5.12340\nText[2000]\n", "Huge.dbd");
    DbdBuild build = *ParseDbdBuild("3.3.5.12340");
    EXPECT_EQ(MeasureDbdLayout(file, file.Definitions[0], build).FieldCount, 2000 * 17);
    EXPECT_THROW(ExpandDbdLayout(file, file.Definitions[0], build), KelvaneError);
}

// Files of a few lines that would expand to far more: the entries of a layout far beyond any
// table are counted, not kept, and a long comment is cut for each field that carries it.
TEST(DbdLayoutLimitTest, HugeLayoutsAndLongCommentsCostLittleMemory) {
    std::string many = "COLUMNS\nint a\n\nBUILD 1.0.0.1\n";
    for (int entry = 0; entry < 5000; ++entry) {
        many += "$noninline$a\n";
    }
    const DbdFile manyFile = ReadDbdFile(many + "a\n", "Many.dbd");
    const DbdBuild build = *ParseDbdBuild("1.0.0.1");
    EXPECT_EQ(manyFile.Definitions[0].Entries.Count, 2u * MaxFieldCount);
    EXPECT_EQ(manyFile.Definitions[0].EntriesLeftOut, 5001u - 2 * MaxFieldCount);
    // Its kept entries lie outside the record, but the layout is still no table's.
    EXPECT_GT(MeasureDbdLayout(manyFile, manyFile.Definitions[0], build).FieldCount, MaxFieldCount);
    EXPECT_THROW(ExpandDbdLayout(manyFile, manyFile.Definitions[0], build), KelvaneError);

    std::string longComment;
    for (int letter = 0; letter < 3000; ++letter) {
        longComment += "\xc3\xa9";  // two bytes each
    }
    const DbdFile commented =
        ReadDbdFile("COLUMNS\nint a // " + longComment + "\n\nBUILD 1.0.0.1\na[3]\n", "Long.dbd");
    const std::vector<DbdField> fields =
        ExpandDbdLayout(commented, commented.Definitions[0], build);
    ASSERT_EQ(fields.size(), 3u);
    for (const DbdField& field : fields) {
        EXPECT_EQ(field.Comment, longComment.substr(0, 1000) + "...");
    }
    EXPECT_EQ(commented.ColumnComment(0), longComment);
}

}  // namespace
}  // namespace kelvane
