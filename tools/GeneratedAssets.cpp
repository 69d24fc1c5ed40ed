#include "tools/GeneratedAssets.h"

#include <algorithm>
#include <memory>

#include "tools/ConsoleIcon.h"
#include "tools/ConsolePicture.h"
#include "tools/HandCursors.h"
#include "tools/SliderBitmaps.h"

namespace nuvik::tools {

namespace {

std::vector<AssetGenerator> MakeGenerators() {
    std::vector<AssetGenerator> generators;
    for (const SliderBitmap& bitmap : MakeSliderBitmaps()) {
        generators.push_back({bitmap.name + ".bmp", false,
                              [bitmap](const FontText*) { return EncodeSliderBitmap(bitmap); }});
    }
    generators.push_back({"KW_HANDCUR.cur", false, [](const FontText*) {
                              return EncodeHandCursor(MakePointingHandCursor());
                          }});
    generators.push_back({"KW_DRAGCUR.cur", false, [](const FontText*) {
                              return EncodeHandCursor(MakeGraspingHandCursor());
                          }});
    generators.push_back({"MAINICON.ico", false,
                          [](const FontText*) { return EncodeConsoleIcon(MakeConsoleIcon()); }});
    generators.push_back({"BACKGROUND.bmp", true, [](const FontText* labels) {
                              return EncodeConsolePicture(PaintConsolePicture(*labels));
                          }});
    return generators;
}

}  // namespace

const std::vector<AssetGenerator>& AssetGenerators() {
    static const std::vector<AssetGenerator> generators = MakeGenerators();
    return generators;
}

bool WriteGeneratedAssets(const std::filesystem::path& directory,
                          const std::vector<std::string>& only, std::string* error) {
    for (const std::string& name : only) {
        bool known = std::any_of(AssetGenerators().begin(), AssetGenerators().end(),
                                 [&](const AssetGenerator& g) { return g.fileName == name; });
        if (!known) {
            *error = "no generator makes " + name;
            return false;
        }
    }
    std::unique_ptr<FontText> labels;
    for (const AssetGenerator& generator : AssetGenerators()) {
        if (!only.empty() && std::find(only.begin(), only.end(), generator.fileName) == only.end())
            continue;
        if (generator.needsLabelFont && labels == nullptr) {
            std::string fontFile = FindLabelFont(error);
            if (fontFile.empty())
                return false;
            labels = std::make_unique<FontText>(fontFile);
        }
        if (!WriteWholeFile(directory / generator.fileName, generator.make(labels.get()), error))
            return false;
    }
    return true;
}

}  // namespace nuvik::tools
