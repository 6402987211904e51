#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "core/model/Document.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// Another file's unit data, to compare the document's with.
struct ComparedFile {
    model::UnitDataTable units;
    QString name;
};

// "Compare with File": the user chooses a scenario or unit data file, beside the document's
// file at first, and `readFile` reads it as Open reads it (throwing with its boxes). Nothing when
// the chooser is cancelled, or when the file holds no unit data (which is said).
std::optional<ComparedFile> chooseFileToCompare(
    Prompts& prompts, const model::Document& document,
    const std::function<model::Document(const QString& path)>& readFile);

}  // namespace tarnwick::ui
