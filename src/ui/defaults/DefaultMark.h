#pragma once

#include <optional>

#include <QString>
#include <QWidget>

namespace tarnwick::ui {

// What a switch or a mark that tells changed values says while the game's defaults are missing.
inline const QString kNeedsDefaultDataTip =
    "Needs the game's default data: choose the game directory";

// The mark of a control whose value differs from the game's default: its caption in bold, in
// the link colour, with "Default: " and the default value in its tooltip. Space for the bold
// caption is kept from the start, so that marking never moves anything.
void reserveDefaultMarkSpace(QWidget* caption);
// The mark's words for a default value: "Default: 60".
QString defaultMarkText(const QString& defaultText);
// `defaultText` none: the caption shows no mark and keeps its own tooltip.
void showDefaultMark(QWidget* caption, const std::optional<QString>& defaultText);

}  // namespace tarnwick::ui
