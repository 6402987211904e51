#include "Seeds.h"

#include <algorithm>

#include "ArchiveBuilder.h"
#include "ChangesSeeds.h"
#include "DemoGameData.h"
#include "DemoScenario.h"
#include "PluginBlockInput.h"
#include "ScenarioBuilder.h"
#include "core/Progress.h"
#include "core/archive/LzssEncoder.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/SharedBlock.h"

namespace tarnwick::fuzz {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withLength(const Bytes& stream, std::size_t length) {
    Bytes out(2 + stream.size());
    out[0] = static_cast<std::uint8_t>(length);
    out[1] = static_cast<std::uint8_t>(length >> 8);
    std::copy(stream.begin(), stream.end(), out.begin() + 2);
    return out;
}

// Scenarios whose map, description, terrains and players differ: the demo's river ford, a 2 x 2
// map, a tile map shorter than the size says, a version 17 scenario with "ERAX", a description
// without NUL, a map wider than the game's with the online edition's "SIGN" at the end.
std::vector<Bytes> mapScenarios() {
    using testsupport::typicalScenarioWith;
    return {files::writeScenario(demo::demoScenario({.mapSide = 32})),
            files::writeScenario(demo::demoScenario({.mapSide = 16, .expansion = false})),
            testsupport::chainOf(testsupport::typicalScenarioSections(true)),
            typicalScenarioWith({{"DIM ", {8, 0, 3, 0}}}),
            typicalScenarioWith({{"VER ", {17, 0}}, {"ERAX", {3, 0}}, {"ALOW", Bytes(384, 1)}}),
            typicalScenarioWith({{"DESC", Bytes(32, 'd')}, {"SIDE", Bytes(16, 7)}}, {"SGLD"}),
            typicalScenarioWith(
                {{"DIM ", {130, 0, 2, 0}}, {"MTXM", Bytes(520, 0x50)}, {"SIGN", {1, 2, 3, 4}}})};
}

// The unit file's length in two bytes, the unit file, the animation scripts.
Bytes withUnitFile(const Bytes& unitFile, const Bytes& scripts) {
    Bytes input = {static_cast<std::uint8_t>(unitFile.size()),
                   static_cast<std::uint8_t>(unitFile.size() >> 8)};
    input.insert(input.end(), unitFile.begin(), unitFile.end());
    input.insert(input.end(), scripts.begin(), scripts.end());
    return input;
}

// Blocks as the host fills them, and with claims it may get wrong.
std::vector<Bytes> pluginBlocks() {
    const auto offsetOf = [](plugin::BlockField id) { return plugin::blockField(id).offset; };
    const Bytes block =
        plugin::blockFromScenario(demo::demoScenario({.mapSide = 32, .swampGraphics = true}), 4242);
    Bytes flagsAsLeft = block;  // present bytes the editor gives no meaning
    flagsAsLeft[offsetOf(plugin::BlockField::EraExpansionPresent)] = 2;
    flagsAsLeft[offsetOf(plugin::BlockField::RestrictionsPresent)] = 7;
    Bytes manyUnits = block;
    manyUnits[offsetOf(plugin::BlockField::UnitCount)] = 0x58;  // 600
    manyUnits[offsetOf(plugin::BlockField::UnitCount) + 1] = 0x02;
    Bytes wide = block;
    wide[offsetOf(plugin::BlockField::MapWidth)] = 128;
    Bytes longer = inputFromBlock(flagsAsLeft);
    longer[0] = 16;  // the host keeps 16 bytes of its own after the layout
    Bytes shorter = inputFromBlock(block);
    shorter[0] = static_cast<std::uint8_t>(-1);
    std::vector<Bytes> seeds = {inputFromBlock(block),
                                inputFromBlock(plugin::blockFromScenario(
                                    demo::demoScenario({.mapSide = 8, .expansion = false}), 1)),
                                longer,
                                inputFromBlock(manyUnits),
                                inputFromBlock(wide),
                                shorter};
    // Each claim the link refuses: a side of 0 or 129, 601 units, a "UDTA" length of 5000.
    for (const auto& [field, value] :
         {std::pair{plugin::BlockField::MapWidth, 0}, std::pair{plugin::BlockField::MapHeight, 129},
          std::pair{plugin::BlockField::UnitCount, 601},
          std::pair{plugin::BlockField::UnitDataLength, 5000}}) {
        Bytes refused = block;
        refused[offsetOf(field)] = static_cast<std::uint8_t>(value);
        refused[offsetOf(field) + 1] = static_cast<std::uint8_t>(value >> 8);
        seeds.push_back(inputFromBlock(refused));
    }
    return seeds;
}

}  // namespace

std::vector<Bytes> seedsFor(const std::string& target) {
    if (target == "archive") {
        std::vector<Bytes> seeds = {testsupport::ArchiveBuilder()
                                        .stored({1, 2, 3})
                                        .empty()
                                        .compressed(Bytes(300, 7))
                                        .bytes(),
                                    testsupport::archiveWithTable({24, 60, 40, -1}, Bytes(46, 0))};
        for (const auto& file : demo::demoGameFiles()) {
            if (file.bytes.size() < 40'000) {
                seeds.push_back(file.bytes);
            }
        }
        return seeds;
    }
    if (target == "lzss") {
        NoProgress quiet;
        const Bytes text = {'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c'};
        const Bytes palette = demo::demoPalette(3);
        return {withLength(archive::lzssCompress(text, quiet), text.size()),
                withLength(archive::lzssCompress(palette, quiet), palette.size()),
                withLength({0x00, 0xEE, 0xFF, 0x11, 0xF0, 0x23, 0x10}, 40)};
    }
    if (target == "wave") {
        Bytes stereo = demo::demoWave(220);
        stereo[22] = 2;  // two channels of 8 bits: two bytes a frame, one left over
        stereo[32] = 2;
        return {demo::demoWave(440), stereo, {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}};
    }
    if (target == "strings") {
        return {demo::demoStringTable(), {3, 0, 8, 0, 9, 0, 10, 0, 0, 'a', 0, 'b', 0}};
    }
    if (target == "sprite") {
        return {demo::demoSprite(3, 32, 24, 7),
                demo::demoSprite(1, 72, 72, 100),
                {1, 0, 4, 0, 1, 0, 0, 0, 4, 1, 14, 0, 0, 0, 2, 0, 0x83, 0x01, 9}};
    }
    if (target == "animation") {
        // Every unit's list at 210, every script at 224: a wait, an attack, a wait and a jump back,
        // then a script that falls off the end, then one whose list runs past the entry.
        Bytes example(224);
        for (std::size_t unit = 0; unit < 105; ++unit) {
            example[2 * unit] = 210;
        }
        for (std::size_t animation = 0; animation < 7; ++animation) {
            example[210 + 2 * animation] = 224;
        }
        Bytes fallsOff = example;
        example.insert(example.end(), {1, 5, 10, 1, 5, 3, 224, 0});
        fallsOff.insert(fallsOff.end(), {6, 4, 0, 14, 2, 0, 13, 1, 0x20});
        Bytes listPastEnd = example;
        listPastEnd[2 * 104] = 226;
        return {demo::demoAnimations(), example, fallsOff, listPastEnd};
    }
    if (target == "changes-csv" || target == "csv") {
        return csvChangesSeeds();
    }
    if (target == "changes-json") {
        return jsonChangesSeeds();
    }
    if (target == "minimap" || target == "info" || target == "properties") {
        return mapScenarios();
    }
    if (target == "matchup") {
        const Bytes scripts = demo::demoAnimations();
        model::Document units = demo::demoScenario({.mapSide = 32, .swampGraphics = true});
        units.kind = model::DocumentKind::UnitData;
        return {withUnitFile(files::writeUnitDataFile(units), scripts),
                withUnitFile(files::writeScenario(demo::demoScenario({.mapSide = 32})), scripts),
                withUnitFile(testsupport::chainOf(testsupport::typicalScenarioSections()),
                             Bytes(scripts.begin(), scripts.begin() + 300))};
    }
    if (target == "plugin") {
        return pluginBlocks();
    }
    if (target == "scenario") {
        return {testsupport::chainOf(testsupport::typicalScenarioSections()),
                testsupport::chainOf(testsupport::typicalScenarioSections(true))};
    }
    return {};
}

}  // namespace tarnwick::fuzz
