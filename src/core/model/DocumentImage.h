#pragma once

#include <cstdint>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::model {

// Every byte and flag of a document that an editor or a command can change: the fixed sections,
// the tables, the swamp array and which sections belong to the document. The map bodies, the
// kind and the file name are not in it: no edit changes them, and opening or closing a document
// starts a new history.
class DocumentImage {
  public:
    static DocumentImage of(const Document& document);
    // Puts the image's bytes and flags back into `document`.
    void restoreInto(Document& document) const;

    bool operator==(const DocumentImage&) const = default;

  private:
    std::vector<std::uint8_t> bytes_;
    std::vector<bool> held_;
    bool hasExpansionGfx_ = false;
};

}  // namespace tarnwick::model
