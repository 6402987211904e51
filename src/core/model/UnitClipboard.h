#pragma once

#include <cstdint>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::model {

// One unit's values, carried from one unit to another and across documents: every per-unit
// field of the table, both sizes' parts, and the swamp graphics entry. Not the system clipboard.
class UnitClipboard {
  public:
    bool isFilled() const { return filled_; }

    // `unit` is 0 to 109; a unit past an array's end (the right-click action from 58 on)
    // copies 0 and is not written by a paste.
    void copy(const Document& document, std::size_t unit);
    void paste(Document& document, std::size_t unit) const;

  private:
    std::vector<std::uint32_t> values_;
    bool filled_ = false;
};

}  // namespace tarnwick::model
