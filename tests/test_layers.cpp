// The folders under src/ are layers from the ground up: a file may include
// only files of its own folder and of the folders below it, so no include
// ever runs back down-to-up and there is no cycle between folders. The
// platforms sit on top, side by side, and only the desktop's (and the asset
// builder, which draws its images with Allegro's font) may include Allegro.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const LAYERS[] = {"base",  "levels",           "world",       "enemies", "editor",
                              "shell", "platform/allegro", "platform/web"};
constexpr int PLATFORMS = 6;  // the first platform's layer

int layer_of(const std::string& folder)
{
    for (int i = 0; i < int(std::size(LAYERS)); ++i)
        if (folder == LAYERS[i])
            return i;
    return -1;
}

bool may_include_allegro(const fs::path& relative)
{
    const std::string path = relative.generic_string();
    return path.rfind("src/platform/allegro/", 0) == 0 || path.rfind("tools/assets/", 0) == 0;
}

}  // namespace

TEST(Layers, EveryIncludeUnderSrcRunsToTheSameLayerOrBelow)
{
    const fs::path src = fs::path(TARNBLAST_SOURCE_DIR) / "src";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".js"
            || entry.path().extension() == ".html" || entry.path().extension() == ".css")
            continue;
        const std::string folder =
            entry.path().parent_path().lexically_relative(src).generic_string();
        const int layer = layer_of(folder);
        ASSERT_NE(layer, -1) << entry.path() << ": a folder outside the layer list";
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.rfind("#include \"", 0) != 0)
                continue;
            const std::string included = line.substr(10, line.rfind('"') - 10);
            const std::string target = fs::path(included).parent_path().generic_string();
            if (target == "generated")  // tables the build makes
                continue;
            const int target_layer = layer_of(target);
            EXPECT_NE(target_layer, -1) << entry.path().filename() << ":" << number << ": " << line;
            EXPECT_TRUE(target_layer <= layer
                        && (target_layer < PLATFORMS || target_layer == layer))
                << entry.path().filename() << ":" << number << " includes " << included
                << " from a higher layer or another platform";
        }
    }
    EXPECT_GT(files, 40);
}

TEST(Layers, OnlyTheDesktopPlatformAndTheAssetBuilderIncludeAllegro)
{
    const fs::path top = TARNBLAST_SOURCE_DIR;
    int files = 0;
    for (const char* folder : {"src", "tools", "tests", "bench"})
        for (const auto& entry : fs::recursive_directory_iterator(top / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
                continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
                EXPECT_FALSE(line.rfind("#include", 0) == 0
                             && line.find("allegro") != std::string::npos
                             && line.find("platform/allegro") == std::string::npos
                             && !may_include_allegro(entry.path().lexically_relative(top)))
                    << entry.path().lexically_relative(top) << ":" << number << ": " << line;
        }
    EXPECT_GT(files, 80);
}
