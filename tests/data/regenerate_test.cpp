// The committed data is exactly what the generator writes: any change to the
// generator that changes a byte must come with the regenerated files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "assetgen/assets.h"
#include "data_files.h"

namespace {

// A clean folder under this build's own tree, so builds that run their
// tests at the same time never share one.
std::filesystem::path fresh_folder(const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(QUARRYTOP_TEST_OUTPUT_DIR) / name;
    std::filesystem::remove_all(folder);
    return folder;
}

TEST(Regenerate, WritesEveryCommittedFileByteForByte)
{
    const std::filesystem::path folder = fresh_folder("regenerated");
    gen::write_assets(folder.string());
    EXPECT_EQ(gen::asset_paths().size(), 12u);
    for (const std::string& relative : gen::asset_paths()) {
        const std::vector<uint8_t> fresh = file_bytes((folder / relative).string());
        const std::vector<uint8_t> committed = file_bytes(committed_path(relative));
        EXPECT_TRUE(fresh == committed)
            << relative << " differs from the generator's output (" << fresh.size() << " bytes generated, "
            << committed.size() << " committed); regenerate with `quarrytop-assetgen .` from the repository root";
    }
    std::filesystem::remove_all(folder);
}

TEST(RegenerateDeathTest, AnOutputFolderThatCannotBeMadeIsReportedByName)
{
    const std::filesystem::path folder = fresh_folder("blocked");
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "file") << "not a folder";
    const std::string blocked = (folder / "file" / "out").string();
    // Windows joins the folders with a backslash (and its death-test regular
    // expressions know no brackets): any one character between them.
    EXPECT_EXIT(gen::write_assets(blocked), ::testing::ExitedWithCode(1), "file.out/tex: cannot create the folder");
    std::filesystem::remove_all(folder);
}

}  // namespace
