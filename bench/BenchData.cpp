#include "BenchData.h"

#include <random>

#include "DemoScenario.h"
#include "core/archive/Archive.h"
#include "core/files/Scenario.h"

namespace tarnwick::bench {

namespace {

Bytes scenarioWithMap(std::uint32_t seed) {
    model::Document document = demo::demoScenario();
    constexpr std::size_t kSide = 128;
    std::mt19937 random(seed);
    auto& tiles = document.blob(model::SectionId::TileMap);
    tiles.assign(kSide * kSide * 2, 0);
    for (std::size_t y = 0; y < kSide; ++y) {
        for (std::size_t x = 0; x < kSide; ++x) {
            // Regions of grass, water and forest with a little variation inside each.
            const std::size_t region = ((x / 24) + (y / 20) * 3 + seed) % 4;
            const std::uint16_t tile = static_cast<std::uint16_t>(
                0x0050 + region * 0x100 + (random() % 8 == 0 ? random() % 4 : 0));
            tiles[2 * (y * kSide + x)] = static_cast<std::uint8_t>(tile);
            tiles[2 * (y * kSide + x) + 1] = static_cast<std::uint8_t>(tile >> 8);
        }
    }
    document.blob(model::SectionId::SquareMap).assign(tiles.size(), 0);
    document.blob(model::SectionId::RegionMap) = tiles;
    document.blob(model::SectionId::OilMap).assign(kSide * kSide, 0);
    return files::writeScenario(document);
}

void append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

}  // namespace

Bytes scenarioData() {
    Bytes out;
    for (std::uint32_t seed = 0; out.size() < 1'000'000; ++seed) {
        append(out, scenarioWithMap(seed));
    }
    return out;
}

const std::vector<demo::GameFile>& gameArchives() {
    static const std::vector<demo::GameFile> archives = [] {
        std::vector<demo::GameFile> files = demo::demoGameFiles();
        std::erase_if(files, [](const demo::GameFile& file) { return file.bytes.size() < 8; });
        return files;
    }();
    return archives;
}

Bytes gameData() {
    Bytes out;
    for (const demo::GameFile& file : gameArchives()) {
        const archive::ArchiveView view(file.bytes);
        for (std::size_t slot = 0; slot < view.entryCount(); ++slot) {
            if (view.offset(slot) != -1) {
                append(out, view.extract(static_cast<std::int64_t>(slot)));
            }
        }
    }
    return out;
}

Bytes mixedData() {
    std::mt19937 random(42);
    Bytes out;
    const char* words[] = {"footman ", "the ", "gold mine ", "attack ", "tower ", "of ", "and "};
    while (out.size() < 1'000'000) {
        for (const char* c = words[random() % 7]; *c != 0; ++c) {
            out.push_back(static_cast<std::uint8_t>(*c));
        }
    }
    for (int i = 0; i < 1'000'000; ++i) {
        out.push_back(static_cast<std::uint8_t>(random()));
    }
    while (out.size() < 3'000'000) {
        append(out, demo::demoSprite(20, 72, 72, static_cast<std::uint8_t>(random())));
        out.insert(out.end(), random() % 300, static_cast<std::uint8_t>(random() % 4));
    }
    append(out, scenarioData());
    return out;
}

}  // namespace tarnwick::bench
