#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model/Document.h"
#include "core/model/UnitDataTable.h"

namespace tarnwick::testsupport {

using Bytes = std::vector<std::uint8_t>;

// Bytes that differ from position to position, so that a shifted or swapped body shows.
Bytes patternBytes(std::size_t size, std::uint8_t seed);

// Builds a section chain byte by byte, including damaged ones.
class ScenarioBuilder {
  public:
    // A section whose header states the body's own length.
    ScenarioBuilder& section(const std::string& tag, const Bytes& body);
    // A section whose header states `length`, whatever follows.
    ScenarioBuilder& sectionClaiming(const std::string& tag, std::int32_t length,
                                     const Bytes& body);
    ScenarioBuilder& raw(const Bytes& bytes);

    const Bytes& bytes() const { return bytes_; }

  private:
    Bytes bytes_;
};

// The sections of a typical scenario, in the order a writer puts them, with pattern bodies:
// every known section but "ERAX" and "ALOW", a 2 x 2 map and one placed unit.
struct TestSection {
    std::string tag;
    Bytes body;
};
std::vector<TestSection> typicalScenarioSections(bool withSwamp = false);
Bytes chainOf(const std::vector<TestSection>& sections);

// A typical scenario with the bodies of `changed` (a section it lacks is added at the end) and
// without the sections tagged in `leftOut`.
Bytes typicalScenarioWith(const std::vector<TestSection>& changed,
                          const std::vector<std::string>& leftOut = {});

// A typical scenario whose "UDTA" holds `units` (and `swamp` after it when given).
Bytes scenarioWithUnits(const model::UnitDataTable& units, const Bytes& swamp = {});

// The document a scenario file reads as.
model::Document scenarioFrom(const Bytes& file);

// The tags of a section chain in file order.
std::vector<std::string> tagsOf(const Bytes& file);
// Where the body of the first section tagged `tag` begins in `file`; throws when there is none.
std::size_t bodyOffsetOf(const Bytes& file, const std::string& tag);
// The positions at which two byte strings differ, up to the shorter one's end.
std::vector<std::size_t> differingPositions(const Bytes& a, const Bytes& b);

}  // namespace tarnwick::testsupport
