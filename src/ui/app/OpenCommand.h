#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "core/model/Document.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kOpenFilter =
    "Scenario Files (*.pud)|*.pud|Unit Data Files (*.udta)|*.udta|Upgrade Files (*.ugrd;*.ugd)|"
    "*.ugrd;*.ugd|Supported files (*.*)|*.pud;*.udt*;*.ugrd;*.ugd|All Files (*.*)|*.*";

// The document read from `path` (by its content and size) over `current`. Throws
// CommandFailed with the boxes that say why the file could not be opened.
model::Document readDocumentFile(const model::Document& current, const QString& path);

// As readDocumentFile, for bytes that are already in memory, named `fileName` (empty for bytes
// that come from no file of their own).
model::Document readDocumentBytes(const model::Document& current,
                                  std::span<const std::uint8_t> bytes, const QString& fileName);

}  // namespace tarnwick::ui
