// The folders under src/ are layers from the ground up: a file may include
// only files of its own folder and of the folders below it, so no include
// ever runs back down-to-up and there is no cycle between folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A platform's folder (src/platform/NAME) sits above the whole game.
const char* const LAYERS[] = {"base",   "levels", "world",       "enemies",
                              "editor", "shell",  "platform/web"};

int layer_of(const std::string& folder)
{
    for (int i = 0; i < int(std::size(LAYERS)); ++i)
        if (folder == LAYERS[i])
            return i;
    return -1;
}

}  // namespace

TEST(Layers, EveryIncludeUnderSrcRunsToTheSameLayerOrBelow)
{
    namespace fs = std::filesystem;
    int files = 0;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(TARNBLAST_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file())
            continue;
        const std::string folder =
            entry.path().parent_path().lexically_relative(fs::path(TARNBLAST_SOURCE_DIR) / "src");
        const int layer = layer_of(folder);
        ASSERT_NE(layer, -1) << entry.path() << ": a folder outside the layer list";
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.rfind("#include \"", 0) != 0)
                continue;
            const std::string path = line.substr(10, line.find('"', 10) - 10);
            const std::string target = path.substr(0, path.rfind('/'));
            EXPECT_LE(layer_of(target), layer)
                << entry.path().filename() << ":" << number << " includes " << line.substr(9)
                << " from a higher layer";
            EXPECT_NE(layer_of(target), -1)
                << entry.path().filename() << ":" << number << ": " << line;
        }
    }
    EXPECT_GT(files, 40);
}
