#include "core/definitions/DefinitionSettingsFile.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/KelvaneError.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::ScopedEnvironment;
using testing::TempDir;

// Points the configuration folder at a temporary one for the test's length.
class DefinitionSettingsFileTest : public ::testing::Test {
  protected:
    TempDir config_;
    ScopedEnvironment configHome_{"XDG_CONFIG_HOME", config_.Path()};
};

TEST_F(DefinitionSettingsFileTest, RemembersFolderAndBuildAndForgetsThem) {
    EXPECT_EQ(LoadDefinitionSettings().DbdFolder, "");
    SaveDefinitionSettings({"/data/dbd definitions", ParseDbdBuild("3.3.5.12340")});
    EXPECT_EQ(DefinitionSettingsPath(), config_.File("Kelvane/Definitions.ini"));
    DefinitionSettings loaded = LoadDefinitionSettings();
    EXPECT_EQ(loaded.DbdFolder, "/data/dbd definitions");
    EXPECT_EQ(loaded.Build, ParseDbdBuild("3.3.5.12340"));

    SaveDefinitionSettings({});
    loaded = LoadDefinitionSettings();
    EXPECT_EQ(loaded.DbdFolder, "");
    EXPECT_FALSE(loaded.Build);
}

// A folder's name may hold a line break; written as it is, it would add keys to the file.
TEST_F(DefinitionSettingsFileTest, AFolderNameWithAControlCharacterIsRefused) {
    SaveDefinitionSettings({"/data/dbd", ParseDbdBuild("3.3.5.12340")});
    const std::string before = config_.Read("Kelvane/Definitions.ini");
    for (const std::string folder : {"/data/dbd\nBuild=1.12.1.5875", "/data/\x1b[2Jdbd"}) {
        try {
            SaveDefinitionSettings({folder, std::nullopt});
            ADD_FAILURE() << "remembered " << folder;
        } catch (const KelvaneError& error) {
            EXPECT_TRUE(std::string(error.what())
                            .starts_with("Cannot remember the definitions "
                                         "folder: '/data/"))
                << error.what();
            EXPECT_EQ(std::string(error.what()).find_first_of("\n\x1b"), std::string::npos);
        }
        EXPECT_EQ(config_.Read("Kelvane/Definitions.ini"), before);
    }
}

TEST_F(DefinitionSettingsFileTest, AFileThatMakesNoSenseIsIgnored) {
    config_.Write("Kelvane", "");  // a file where the folder should be
    EXPECT_FALSE(LoadDefinitionSettings().Build);
    EXPECT_THROW(SaveDefinitionSettings({"/x", std::nullopt}), KelvaneError);
}

}  // namespace
}  // namespace kelvane
