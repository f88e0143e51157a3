#include "core/files/FileMemoryGuard.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace kelvane {
namespace {

TEST(FileMemoryGuard, RunningOutOfMemoryBecomesAMessageNamingTheFile) {
    const struct {
        FileWork Work;
        std::string Message;
    } cases[] = {
        {FileWork::Loading,
         "Cannot load \"/data/Spell.dbc\": the file is too large for the memory available."},
        {FileWork::Saving,
         "Cannot save \"/data/Spell.dbc\": the table is too large for the memory available. "
         "Nothing was written."},
        {FileWork::Importing,
         "Cannot import \"/data/Spell.dbc\": the table with what the file adds is too large for "
         "the memory available."},
    };
    for (const auto& c : cases) {
        try {
            GuardMemory(c.Work, "/data/Spell.dbc", []() -> int { throw std::bad_alloc(); });
            ADD_FAILURE() << "no failure for " << c.Message;
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()), c.Message);
        }
    }
}

TEST(FileMemoryGuard, ResultsAndOtherFailuresPassThrough) {
    EXPECT_EQ(GuardMemory(FileWork::Importing, "a.csv", [] { return 7; }), 7);
    EXPECT_THROW(GuardMemory(FileWork::Importing, "a.csv",
                             []() -> int { throw std::length_error("too long"); }),
                 std::length_error);
    try {
        GuardMemory(FileWork::Importing, "a.csv", []() -> int { throw KelvaneError("own"); });
        ADD_FAILURE() << "no failure";
    } catch (const KelvaneError& error) {
        EXPECT_STREQ(error.what(), "own");
    }
}

}  // namespace
}  // namespace kelvane
