#include "DemoGameData.h"

#include <array>
#include <cmath>
#include <map>
#include <numbers>

#include <QDir>
#include <QFileInfo>

#include "DemoScenario.h"
#include "core/Progress.h"
#include "core/archive/Archive.h"
#include "core/archive/LzssEncoder.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "platform/FileStore.h"

namespace tarnwick::demo {

namespace {

void appendWord(Bytes& out, std::uint32_t value, std::size_t width) {
    const std::size_t at = out.size();
    out.resize(at + width);
    bytes::writeLe(out, at, width, value);
}

// Codes one line of palette indices; -1 is a transparent pixel.
void codeLine(Bytes& out, const std::vector<int>& pixels) {
    std::size_t x = 0;
    while (x < pixels.size()) {
        std::size_t run = 1;
        while (x + run < pixels.size() && pixels[x + run] == pixels[x] && run < 63) {
            ++run;
        }
        if (pixels[x] < 0) {
            run = std::min<std::size_t>(run, 127);
            out.push_back(static_cast<std::uint8_t>(0x80 + run));
        } else if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(0x40 + run));
            out.push_back(static_cast<std::uint8_t>(pixels[x]));
        } else {
            std::size_t literal = 0;
            while (x + literal < pixels.size() && pixels[x + literal] >= 0 && literal < 63 &&
                   !(x + literal + 2 < pixels.size() &&
                     pixels[x + literal] == pixels[x + literal + 1] &&
                     pixels[x + literal] == pixels[x + literal + 2])) {
                ++literal;
            }
            literal = std::max<std::size_t>(literal, 1);
            out.push_back(static_cast<std::uint8_t>(literal));
            for (std::size_t i = 0; i < literal; ++i) {
                out.push_back(static_cast<std::uint8_t>(pixels[x + i]));
            }
            run = literal;
        }
        x += run;
    }
}

class ArchiveWriter {
  public:
    explicit ArchiveWriter(std::size_t count) : entries_(count) {}

    void put(std::size_t slot, const Bytes& data, bool compress) {
        NoProgress quiet;
        Bytes entry;
        appendWord(entry, archive::entryHeader(data.size(), compress), 4);
        const Bytes payload = compress ? archive::lzssCompress(data, quiet) : data;
        entry.insert(entry.end(), payload.begin(), payload.end());
        entries_.at(slot) = std::move(entry);
    }

    Bytes bytes() const {
        Bytes out = {'W', 'A', 'R', '2'};
        appendWord(out, static_cast<std::uint32_t>(entries_.size()), 2);
        appendWord(out, 0, 2);
        std::size_t position = out.size() + 4 * entries_.size();
        for (const Bytes& entry : entries_) {
            appendWord(out, entry.empty() ? 0xFFFFFFFFu : static_cast<std::uint32_t>(position), 4);
            position += entry.size();
        }
        for (const Bytes& entry : entries_) {
            out.insert(out.end(), entry.begin(), entry.end());
        }
        return out;
    }

  private:
    std::vector<Bytes> entries_;
};

const std::vector<std::string>& unitNames() {
    static const std::vector<std::string> names = {
        "Pikeman",    "Skirmisher", "Crossbow",    "Lancer",  "Scout",  "Warden",  "Sapper",
        "Healer",     "Outrider",   "Siege Tower", "Frigate", "Galley", "Ferry",   "Glider",
        "Hawk Rider", "Drake",      "Sentinel",    "Courier", "Miner",  "Forester"};
    return names;
}

}  // namespace

Bytes demoSprite(int frames, int width, int height, std::uint8_t seed) {
    Bytes out;
    appendWord(out, static_cast<std::uint32_t>(frames), 2);
    appendWord(out, static_cast<std::uint32_t>(width), 2);
    appendWord(out, static_cast<std::uint32_t>(height), 2);
    const std::size_t headers = out.size();
    out.resize(headers + 8 * static_cast<std::size_t>(frames));
    for (int frame = 0; frame < frames; ++frame) {
        // Each frame is a disc that grows with the frame number, placed inside the cell.
        const int w = std::max(4, width - 8 - (frame % 4) * 2);
        const int h = std::max(4, height - 8 - (frame % 3) * 2);
        const std::size_t header = headers + 8 * static_cast<std::size_t>(frame);
        out[header] = static_cast<std::uint8_t>((width - w) / 2);
        out[header + 1] = static_cast<std::uint8_t>((height - h) / 2);
        out[header + 2] = static_cast<std::uint8_t>(w);
        out[header + 3] = static_cast<std::uint8_t>(h);
        const std::size_t frameData = out.size();
        bytes::writeLe(out, header + 4, 4, static_cast<std::uint32_t>(frameData));
        out.resize(frameData + 2 * static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y) {
            bytes::writeLe(out, frameData + 2 * static_cast<std::size_t>(y), 2,
                           static_cast<std::uint32_t>(out.size() - frameData));
            std::vector<int> pixels(static_cast<std::size_t>(w));
            for (int x = 0; x < w; ++x) {
                const double dx = (x - w / 2.0) / (w / 2.0);
                const double dy = (y - h / 2.0) / (h / 2.0);
                const bool inside = dx * dx + dy * dy <= 1.0;
                pixels[static_cast<std::size_t>(x)] =
                    inside ? (y < h / 3 ? seed : (x % 5 == 0 ? 200 + frame % 8 : seed + 16)) : -1;
            }
            codeLine(out, pixels);
        }
    }
    return out;
}

Bytes demoPalette(std::uint8_t seed) {
    Bytes palette(768);
    for (std::size_t i = 0; i < 256; ++i) {
        palette[3 * i] = static_cast<std::uint8_t>((i + seed) % 64);
        palette[3 * i + 1] = static_cast<std::uint8_t>((i / 4 + seed * 3) % 64);
        palette[3 * i + 2] = static_cast<std::uint8_t>((255 - i) % 64);
    }
    return palette;
}

Bytes demoStringTable() {
    std::vector<std::string> strings(170);
    for (std::size_t id = 0; id < 103; ++id) {
        const auto& names = unitNames();
        strings[id + 1] = names[id % names.size()] +
                          (id < names.size() ? "" : " " + std::to_string(id / names.size() + 1));
    }
    strings[104] = "Keep";
    strings[160] = "Land Attack";
    strings[161] = "Sea Attack";
    strings[162] = "Air Attack";
    Bytes out;
    appendWord(out, static_cast<std::uint32_t>(strings.size()), 2);
    out.resize(2 + 2 * strings.size());
    for (std::size_t k = 0; k < strings.size(); ++k) {
        bytes::writeLe(out, 2 + 2 * k, 2, static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), strings[k].begin(), strings[k].end());
        out.push_back(0);
    }
    return out;
}

Bytes demoAnimations() {
    constexpr std::size_t kUnits = 105;
    constexpr std::size_t kAnimations = 7;
    Bytes out(2 * kUnits);
    // Each script loops: it ends with a jump (opcode 3) back to its own start. Like scripts are
    // written once and shared.
    std::map<Bytes, std::size_t> written;
    const auto script = [&](const Bytes& body) {
        const auto [at, isNew] = written.try_emplace(body, out.size());
        if (isNew) {
            out.insert(out.end(), body.begin(), body.end());
            out.push_back(3);
            appendWord(out, static_cast<std::uint32_t>(at->second), 2);
        }
        return at->second;
    };
    const auto byte = [](std::size_t value) { return static_cast<std::uint8_t>(value); };

    // Standing and the rarely used animations: a frame (opcode 4) and a long wait.
    const std::size_t still = script({4, 0, 1, 50, 15});
    for (std::size_t unit = 0; unit < kUnits; ++unit) {
        const bool building = unit >= 58;
        std::array<std::size_t, kAnimations> scripts{};
        scripts.fill(still);
        if (isDemoTower(unit)) {
            // Towers shoot once per cycle without an attack instruction (opcode 10).
            scripts[4] = script({4, 0, 1, byte(30 + 10 * (unit % 2)), 4, 5, 12, 20, 2});
        } else if (!building) {
            // Attack: wind up over two frames, strike (opcode 10), recover; every fourth unit
            // strikes twice per cycle.
            const std::size_t windUp = 4 + 2 * (unit % 5);
            const std::size_t recover = 10 + (unit * 7) % 25;
            Bytes attack = {4, 0, 1, byte(windUp), 4, 5, 1, byte(windUp), 10};
            if (unit % 4 == 1) {
                attack.insert(attack.end(), {4, 5, 7, byte(windUp), 10});
            }
            attack.insert(attack.end(), {4, 10, 9, byte(recover), 4, 15});
            scripts[4] = script(attack);
            // Movement: four steps, each a frame, a move (opcodes 5, 13, and 6, 14 with a third
            // byte that is skipped) and a wait (1, 7, 8, 1); fliers take long steps, ships short
            // ones.
            const std::size_t type = unit % 3;  // the demo scenario's unit type: land, air, sea
            const std::uint8_t step = type == 1 ? 4 : type == 2 ? 1 : 2;
            const std::uint8_t wait = byte(1 + unit % 3);
            constexpr std::uint8_t kMoves[] = {5, 13, 6, 14};
            constexpr std::uint8_t kWaits[] = {1, 7, 8, 1};
            Bytes walk;
            for (std::size_t i = 0; i < 4; ++i) {
                walk.insert(walk.end(), {4, byte(5 * i), kMoves[i], step});
                if (kMoves[i] == 6 || kMoves[i] == 14) {
                    walk.push_back(0);
                }
                walk.insert(walk.end(), {kWaits[i], wait});
            }
            scripts[3] = script(walk);
            // Dying: a few frames, then the corpse waits.
            scripts[1] = script({4, 20, 1, 3, 4, 25, 1, 3, 11, 12, 100});
        }
        bytes::writeLe(out, 2 * unit, 2, static_cast<std::uint32_t>(out.size()));
        for (const std::size_t start : scripts) {
            appendWord(out, static_cast<std::uint32_t>(start), 2);
        }
    }
    return out;
}

Bytes demoWave(int hertz) {
    constexpr std::uint32_t kRate = 11025;
    constexpr std::uint32_t kSamples = kRate / 6;
    Bytes out = {'R', 'I', 'F', 'F'};
    appendWord(out, 36 + kSamples, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    appendWord(out, 16, 4);
    appendWord(out, 1, 2);  // PCM
    appendWord(out, 1, 2);  // mono
    appendWord(out, kRate, 4);
    appendWord(out, kRate, 4);
    appendWord(out, 1, 2);
    appendWord(out, 8, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    appendWord(out, kSamples, 4);
    for (std::uint32_t i = 0; i < kSamples; ++i) {
        // Fades out, so that the tone ends without a click.
        const double phase = 2.0 * std::numbers::pi * hertz * i / kRate;
        const double fade = 1.0 - static_cast<double>(i) / kSamples;
        out.push_back(static_cast<std::uint8_t>(128 + 60 * fade * std::sin(phase)));
    }
    return out;
}

std::vector<GameFile> demoGameFiles() {
    model::Document scenario = demoScenario();

    ArchiveWriter main(473);
    main.put(0, files::writeUnitDataFile([&] {
                 model::Document plain = scenario;
                 plain.hasExpansionGfx = false;
                 return plain;
             }()),
             true);
    main.put(1, files::writeUpgradeFile(scenario), false);
    main.put(2, demoPalette(0), true);
    main.put(10, demoPalette(20), false);
    main.put(18, demoPalette(40), true);
    main.put(438, demoPalette(50), false);
    // The scenario slots, as the game fills them: the campaigns and the expansion's.
    for (const auto& [first, last] : {std::pair{192, 251}, std::pair{446, 469}}) {
        for (int entry = first; entry <= last; ++entry) {
            main.put(static_cast<std::size_t>(entry), files::writeScenario(demoSlotScenario(entry)),
                     entry % 2 == 0);
        }
    }
    main.put(278, demoAnimations(), true);
    for (int i = 0; i < kDemoSpriteCount; ++i) {
        main.put(static_cast<std::size_t>(kFirstDemoSprite + i),
                 demoSprite(5 + i, 32 + 8 * (i % 3), 32 + 8 * (i % 2),
                            static_cast<std::uint8_t>(16 * i)),
                 true);
    }
    scenario.hasExpansionGfx = true;
    main.put(472, files::writeUnitDataFile(scenario), true);

    ArchiveWriter rez(kDemoRezSpriteCount);
    for (int i = 0; i < kDemoRezSpriteCount; ++i) {
        rez.put(static_cast<std::size_t>(i),
                demoSprite(3, 72, 72, static_cast<std::uint8_t>(40 + i)), false);
    }
    ArchiveWriter strings(2);
    strings.put(0, {'d', 'e', 'm', 'o'}, false);
    strings.put(1, demoStringTable(), false);
    // The sounds the About box plays, each a tone of its own pitch.
    ArchiveWriter sounds(377);
    for (std::size_t slot = 0; slot < 377; ++slot) {
        if (slot <= 245 || slot == 375 || slot == 376) {
            sounds.put(slot, demoWave(220 + 4 * static_cast<int>(slot)), slot % 2 == 0);
        }
    }
    ArchiveWriter speech(1);
    speech.put(0, demoWave(330), true);
    ArchiveWriter music(1);
    music.put(0, demoWave(440), false);

    return {
        {"DATA/MAINDAT.WAR", main.bytes()},
        {"DATA/REZDAT.WAR", rez.bytes()},
        {"DATA/STRDAT.WAR", strings.bytes()},
        {"DATA/SFXDAT.SUD", sounds.bytes()},
        {"DATA/SNDDAT.WAR", speech.bytes()},
        {"DATA/MUDDAT.CUD", music.bytes()},
        {"WAR2.EXE", {}},
    };
}

void writeDemoGameDirectory(const QString& directory) {
    for (const GameFile& file : demoGameFiles()) {
        const QString path = QDir(directory).filePath(QString::fromStdString(file.path));
        QDir().mkpath(QFileInfo(path).absolutePath());
        platform::saveWholeFile(path, file.bytes);
    }
}

}  // namespace tarnwick::demo
