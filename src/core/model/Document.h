#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model/RestrictionTable.h"
#include "core/model/SectionCatalogue.h"
#include "core/model/UnitDataTable.h"
#include "core/model/UpgradeTable.h"

namespace tarnwick::model {

enum class DocumentKind : std::uint8_t { None = 0, Scenario = 1, UnitData = 4, UpgradeData = 5 };

struct SectionHeader {
    std::array<char, 4> tag{};
    std::int32_t length = 0;
};

// A section the file held more than once; the document holds the last of them.
struct RepeatedSection {
    std::string tag;
    std::size_t count = 0;

    bool operator==(const RepeatedSection&) const = default;
};

// The one document the program edits: every scenario section's body, whether the document
// holds it, and the kind and file it came from. Headers are not stored: they follow from the
// body that is held, so a written header can never disagree with what comes after it.
class Document {
  public:
    Document();

    DocumentKind kind = DocumentKind::None;
    bool isLoaded = false;
    std::string fileName;

    // Whether there is something to work on: a loaded file, or an upgrade file (which leaves
    // isLoaded as it found it).
    bool hasData() const { return isLoaded || kind == DocumentKind::UpgradeData; }

    UnitDataTable unitData;
    SwampGraphics gfxSwamp{};
    UpgradeTable upgrades;
    RestrictionTable restrictions;

    // The body as held: fixed size for images, the table for "UDTA" (without the swamp array),
    // whatever was read for blobs.
    std::span<std::uint8_t> body(SectionId id);
    std::span<const std::uint8_t> body(SectionId id) const;
    // The body of a section of any length (the map sections and "TYPE").
    std::vector<std::uint8_t>& blob(SectionId id);

    SectionHeader header(SectionId id) const;

    // Whether the section belongs to the document and is written with it.
    bool holds(SectionId id) const { return held_.test(indexOf(id)); }
    void setHeld(SectionId id, bool held) { held_.set(indexOf(id), held); }
    void clearHeldSections() { held_.reset(); }

    bool hasExpansionTerrain() const { return holds(SectionId::EraExpansion); }
    void setHasExpansionTerrain(bool value) { setHeld(SectionId::EraExpansion, value); }
    bool hasRestrictions() const { return holds(SectionId::Restrictions); }
    void setHasRestrictions(bool value) { setHeld(SectionId::Restrictions, value); }
    // Decides the "UDTA" length: 5950 with the swamp array, 5696 without.
    bool hasExpansionGfx = false;

    // Where the section kept in place ("SIGN") was read: right after this section, or first
    // when none came before it. The writer puts it back there, so the file resaves unchanged.
    std::optional<SectionId> signatureFollows;
    // What the file as read held more than once, until it is written with each section once.
    std::vector<RepeatedSection> repeatedSections;

    // Drops the map bodies the document owns; each blob is then empty.
    void releaseMapBlobs();
    // Nothing is loaded any more (Close Data, a failed open): commands that need a document
    // refuse and nothing can be saved. The tables stay for the next load to overwrite.
    void unload() {
        isLoaded = false;
        kind = DocumentKind::None;
    }

  private:
    std::array<std::vector<std::uint8_t>, kSectionCount> bodies_;
    std::bitset<kSectionCount> held_;
};

}  // namespace tarnwick::model
