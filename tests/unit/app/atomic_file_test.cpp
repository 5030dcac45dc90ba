#include "app/atomic_file.h"

#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using test::TempDir;

TEST(AtomicFileTest, InterruptedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    const auto path = dir / "config.ini";
    const std::string old = "[Init]\r\nCurConfig=1\r\n";
    test::writeFile(path, old);

    const std::string replacement = "[Init]\r\nCurConfig=2\r\n[Config2]\r\nK1=1\r\n";
    for (std::size_t capacity : {std::size_t{0}, std::size_t{1}, replacement.size() / 2,
                                 replacement.size() - 1}) {
        EXPECT_FALSE(writeFileAtomically(path, replacement, capacity)) << capacity;
        EXPECT_EQ(test::readFile(path), old) << capacity;
    }
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);

    EXPECT_TRUE(writeFileAtomically(path, replacement));
    EXPECT_EQ(test::readFile(path), replacement);
}

TEST(AtomicFileTest, SaveIntoMissingFolderFailsWithoutCreatingAnything) {
    TempDir dir;
    IniFile file;
    file.set("A", "k", "1");
    EXPECT_FALSE(file.save(dir / "missing" / "config.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace torvane
