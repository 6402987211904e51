#pragma once

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include "ui/units/UnitFieldBindings.h"

namespace tarnwick::ui {

// Every control of the "General" and "Flags" pages; the pages own them.
struct UnitControls {
    QWidget* generalContent = nullptr;  // hidden while no unit is shown
    QWidget* flagsContent = nullptr;

    std::array<QLineEdit*, kNumberBoxes.size()> numbers{};
    QSlider* priority = nullptr;
    QLabel* priorityValue = nullptr;
    QComboBox* unitType = nullptr;
    QComboBox* missile = nullptr;
    QComboBox* rightClick = nullptr;
    QLabel* decayLabel = nullptr;
    QLabel* damageLabel = nullptr;  // "3 to 14"
    QPushButton* boxSizer = nullptr;

    std::array<QCheckBox*, kByteCheckBoxes.size()> byteChecks{};
    std::array<QCheckBox*, kTargetBoxes.size()> targets{};
    std::array<QCheckBox*, 32> flags{};

    QLineEdit* number(std::size_t index) const { return numbers[index]; }
};

// Lays out both pages' controls into the widgets given for them, with their captions, tooltips
// and typing limits.
UnitControls buildUnitPages(QWidget* generalContent, QWidget* flagsContent);

}  // namespace tarnwick::ui
