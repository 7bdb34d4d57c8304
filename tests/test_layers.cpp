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

const char* const LAYERS[] = {"base",    "levels",           "world",
                              "enemies", "editor",           "game",
                              "program", "platform/allegro", "platform/web"};
constexpr int PLATFORMS = 7;  // the first platform's layer

int layer_of(const std::string& folder)
{
    for (int i = 0; i < int(std::size(LAYERS)); ++i)
        if (folder == LAYERS[i])
            return i;
    return -1;
}

// Each include of a C++ file under src/ against the layers.
void expect_layered_includes(const fs::path& file, const std::string& line, int number)
{
    const fs::path src = fs::path(TARNBLAST_SOURCE_DIR) / "src";
    const int layer = layer_of(file.parent_path().lexically_relative(src).generic_string());
    ASSERT_NE(layer, -1) << file << ": a folder outside the layer list";
    if (line.rfind("#include \"", 0) != 0)
        return;
    const std::string included = line.substr(10, line.rfind('"') - 10);
    const std::string target = fs::path(included).parent_path().generic_string();
    if (target == "generated")  // tables the build makes
        return;
    const int target_layer = layer_of(target);
    EXPECT_NE(target_layer, -1) << file.filename() << ":" << number << ": " << line;
    EXPECT_TRUE(target_layer <= layer && (target_layer < PLATFORMS || target_layer == layer))
        << file.filename() << ":" << number << " includes " << included
        << " from a higher layer or another platform";
}

}  // namespace

TEST(Layers, IncludesRunToTheSameLayerOrBelowAndOnlyTheDesktopAndAssetBuilderIncludeAllegro)
{
    const fs::path top = TARNBLAST_SOURCE_DIR;
    int files = 0, in_src = 0;
    for (const char* folder : {"src", "tools", "tests", "bench"})
        for (const auto& entry : fs::recursive_directory_iterator(top / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
                continue;
            const std::string path = entry.path().lexically_relative(top).generic_string();
            const bool may_include_allegro =
                path.rfind("src/platform/allegro/", 0) == 0 || path.rfind("tools/assets/", 0) == 0;
            ++files;
            in_src += folder[0] == 's';
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                if (folder[0] == 's')
                    expect_layered_includes(entry.path(), line, number);
                EXPECT_FALSE(
                    line.rfind("#include", 0) == 0 && line.find("allegro") != std::string::npos
                    && line.find("platform/allegro") == std::string::npos && !may_include_allegro)
                    << path << ":" << number << ": " << line;
            }
        }
    EXPECT_GT(in_src, 40);
    EXPECT_GT(files, 80);
}
