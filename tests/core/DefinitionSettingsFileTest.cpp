#include "core/DefinitionSettingsFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "core/KelvaneError.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::TempDir;

// Points the configuration folder at a temporary one for the test's length.
class DefinitionSettingsFileTest : public ::testing::Test {
  protected:
    DefinitionSettingsFileTest() {
        if (const char* old = ::getenv("XDG_CONFIG_HOME")) {
            saved_ = old;
        }
        ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
    }
    ~DefinitionSettingsFileTest() override {
        if (saved_) {
            ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    TempDir config_;
    std::optional<std::string> saved_;
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

TEST_F(DefinitionSettingsFileTest, AFileThatMakesNoSenseIsIgnored) {
    config_.Write("Kelvane", "");  // a file where the folder should be
    EXPECT_FALSE(LoadDefinitionSettings().Build);
    EXPECT_THROW(SaveDefinitionSettings({"/x", std::nullopt}), KelvaneError);
}

}  // namespace
}  // namespace kelvane
