#pragma once

#include <QString>

#include "core/model/Document.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kOpenFilter =
    "Scenario Files (*.pud)|*.pud|Unit Data Files (*.udta)|*.udta|Upgrade Files (*.ugrd;*.ugd)|"
    "*.ugrd;*.ugd|Supported files (*.*)|*.pud;*.udt*;*.ugrd;*.ugd|All Files (*.*)|*.*";

// Reads `path` into the document by its content and size, reporting every failure. On failure
// the document is no longer loaded, so nothing half-read can be saved over the file.
bool loadDocumentFile(model::Document& document, Prompts& prompts, const QString& path);

}  // namespace tarnwick::ui
