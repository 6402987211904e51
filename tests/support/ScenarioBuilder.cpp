#include "ScenarioBuilder.h"

#include <algorithm>

#include "core/Error.h"
#include "core/files/Scenario.h"
#include "core/files/SectionChain.h"

namespace tarnwick::testsupport {

Bytes patternBytes(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    std::uint32_t state = 0x9E3779B9u ^ seed;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

ScenarioBuilder& ScenarioBuilder::section(const std::string& tag, const Bytes& body) {
    return sectionClaiming(tag, static_cast<std::int32_t>(body.size()), body);
}

ScenarioBuilder& ScenarioBuilder::sectionClaiming(const std::string& tag, std::int32_t length,
                                                  const Bytes& body) {
    bytes_.insert(bytes_.end(), tag.begin(), tag.end());
    const auto value = static_cast<std::uint32_t>(length);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return raw(body);
}

ScenarioBuilder& ScenarioBuilder::raw(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<TestSection> typicalScenarioSections(bool withSwamp) {
    std::uint8_t seed = 1;
    const auto body = [&seed](std::size_t size) { return patternBytes(size, seed++); };
    return {
        {"TYPE", body(16)},
        {"VER ", Bytes{0x13, 0x00}},
        {"DESC", body(32)},
        {"OWNR", body(16)},
        {"ERA ", Bytes{0x01, 0x00}},
        {"DIM ", Bytes{0x02, 0x00, 0x02, 0x00}},
        {"UDTA", body(withSwamp ? 5950 : 5696)},
        {"UGRD", body(782)},
        {"SIDE", body(16)},
        {"SGLD", body(32)},
        {"SLBR", body(32)},
        {"SOIL", body(32)},
        {"AIPL", body(16)},
        {"MTXM", body(8)},
        {"SQM ", body(8)},
        {"OILM", body(4)},
        {"REGM", body(8)},
        {"UNIT", body(8)},
    };
}

Bytes chainOf(const std::vector<TestSection>& sections) {
    ScenarioBuilder builder;
    for (const auto& section : sections) {
        builder.section(section.tag, section.body);
    }
    return builder.bytes();
}

}  // namespace tarnwick::testsupport

namespace tarnwick::testsupport {

Bytes typicalScenarioWith(const std::vector<TestSection>& changed,
                          const std::vector<std::string>& leftOut) {
    auto sections = typicalScenarioSections();
    std::erase_if(sections, [&](const TestSection& section) {
        return std::find(leftOut.begin(), leftOut.end(), section.tag) != leftOut.end();
    });
    for (const TestSection& change : changed) {
        const auto held = std::find_if(sections.begin(), sections.end(),
                                       [&](const TestSection& s) { return s.tag == change.tag; });
        if (held == sections.end()) {
            sections.push_back(change);
        } else {
            held->body = change.body;
        }
    }
    return chainOf(sections);
}

Bytes scenarioWithUnits(const model::UnitDataTable& units, const Bytes& swamp) {
    auto sections = typicalScenarioSections();
    for (auto& section : sections) {
        if (section.tag == "UDTA") {
            section.body.assign(units.bytes.begin(), units.bytes.end());
            section.body.insert(section.body.end(), swamp.begin(), swamp.end());
        }
    }
    return chainOf(sections);
}

std::vector<std::string> tagsOf(const Bytes& file) {
    std::vector<std::string> tags;
    files::SectionChainReader chain(file);
    while (const auto header = chain.nextHeader()) {
        chain.takeBody();
        tags.push_back(header->tag);
    }
    return tags;
}

std::size_t bodyOffsetOf(const Bytes& file, const std::string& tag) {
    files::SectionChainReader chain(file);
    std::size_t position = 0;
    while (const auto header = chain.nextHeader()) {
        const auto body = chain.takeBody();
        if (header->tag == tag) {
            return position + 8;
        }
        position += 8 + body.size();
    }
    throw Error("no " + tag);
}

std::vector<std::size_t> differingPositions(const Bytes& a, const Bytes& b) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            positions.push_back(i);
        }
    }
    return positions;
}

model::Document scenarioFrom(const Bytes& file) {
    model::Document document;
    files::readScenario(document, file);
    return document;
}

}  // namespace tarnwick::testsupport
