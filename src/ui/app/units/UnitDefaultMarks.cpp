#include "ui/app/units/UnitDefaultMarks.h"

#include <QFormLayout>

#include "core/model/DefaultValues.h"
#include "ui/defaults/DefaultMark.h"

namespace tarnwick::ui {

namespace {

using Table = model::UnitDataTable;

// The caption a form shows beside `field`.
QWidget* formCaption(QWidget* field) {
    auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout());
    return form != nullptr ? form->labelForField(field) : nullptr;
}

std::optional<QString> unlessEqual(std::uint32_t value, std::uint32_t fallback,
                                   const QString& text) {
    return value == fallback ? std::nullopt : std::optional<QString>(text);
}

QString tickText(bool ticked) {
    return ticked ? "ticked" : "not ticked";
}

// A list shows its entry's name, or the number for a value past its entries.
QString choiceText(const QComboBox* list, std::int64_t position) {
    return position >= 0 && position < list->count() ? list->itemText(static_cast<int>(position))
                                                     : QString::number(position);
}

}  // namespace

UnitDefaultMarks::UnitDefaultMarks(const UnitControls& c, QListWidget& unitList)
    : unitList_(unitList) {
    for (std::size_t box = 0; box < c.numbers.size(); ++box) {
        const NumberBox& binding = kNumberBoxes[box];
        captions_.push_back(
            {formCaption(c.numbers[box]), c.numbers[box],
             [binding](const Table& table, const Table& defaults, std::size_t unit) {
                 const std::uint32_t fallback = defaults.get(*binding.field, unit, binding.part);
                 return unlessEqual(table.get(*binding.field, unit, binding.part), fallback,
                                    QString::number(binding.field->shownValue(fallback)));
             },
             [binding](Table& table, const Table& defaults, std::size_t unit) {
                 table.set(*binding.field, unit, defaults.get(*binding.field, unit, binding.part),
                           binding.part);
             }});
    }
    // A whole field put back to its default: lists, check boxes that hold a byte, the priority.
    const auto revertField = [](const model::FieldDescriptor& field) {
        return [&field](Table& table, const Table& defaults, std::size_t unit) {
            table.set(field, unit, defaults.get(field, unit));
        };
    };
    captions_.push_back({c.priorityValue, c.priority,
                         [](const Table& table, const Table& defaults, std::size_t unit) {
                             const std::uint32_t fallback = defaults.get(uf::priority, unit);
                             return unlessEqual(table.get(uf::priority, unit), fallback,
                                                QString::number(fallback));
                         },
                         revertField(uf::priority)});
    const auto listCaption = [this, revertField](QComboBox* list,
                                                 const model::FieldDescriptor& field, int shift) {
        captions_.push_back(
            {formCaption(list), list,
             [list, &field, shift](const Table& table, const Table& defaults, std::size_t unit) {
                 if (unit >= field.count) {
                     return std::optional<QString>();
                 }
                 const std::uint32_t fallback = defaults.get(field, unit);
                 return unlessEqual(table.get(field, unit), fallback,
                                    choiceText(list, std::int64_t{fallback} - shift));
             },
             revertField(field)});
    };
    listCaption(c.unitType, uf::unitType, 0);
    listCaption(c.missile, uf::missile, 0);
    listCaption(c.rightClick, uf::rightClickAction, 1);
    for (std::size_t box = 0; box < c.byteChecks.size(); ++box) {
        const model::FieldDescriptor* field = kByteCheckBoxes[box].field;
        captions_.push_back({c.byteChecks[box], c.byteChecks[box],
                             [field](const Table& table, const Table& defaults, std::size_t unit) {
                                 const std::uint32_t fallback = defaults.get(*field, unit);
                                 return unlessEqual(table.get(*field, unit), fallback,
                                                    tickText(fallback != 0));
                             },
                             revertField(*field)});
    }
    const auto bitCaption = [this](QCheckBox* box, const model::FieldDescriptor& field,
                                   unsigned bit) {
        captions_.push_back(
            {box, box,
             [&field, bit](const Table& table, const Table& defaults, std::size_t unit) {
                 const bool fallback = ((defaults.get(field, unit) >> bit) & 1u) != 0;
                 const bool value = ((table.get(field, unit) >> bit) & 1u) != 0;
                 return unlessEqual(value, fallback, tickText(fallback));
             },
             [&field, bit](Table& table, const Table& defaults, std::size_t unit) {
                 const std::uint32_t mask = 1u << bit;
                 table.set(field, unit,
                           (table.get(field, unit) & ~mask) | (defaults.get(field, unit) & mask));
             }});
    };
    for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
        bitCaption(c.targets[i], uf::canTarget, kTargetBoxes[i].bit);
    }
    for (unsigned bit = 0; bit < c.flags.size(); ++bit) {
        bitCaption(c.flags[bit], uf::flags, bit);
    }
    for (const Caption& caption : captions_) {
        reserveDefaultMarkSpace(caption.widget);
    }
}

void UnitDefaultMarks::showUnit(const Table& table, const Table* defaults, std::size_t unit) {
    for (const Caption& caption : captions_) {
        showDefaultMark(caption.widget, defaults != nullptr
                                            ? caption.defaultText(table, *defaults, unit)
                                            : std::nullopt);
    }
}

void UnitDefaultMarks::showList(const Table& table, const Table* defaults) {
    for (std::size_t unit = 0; unit < model::kUnitCount; ++unit) {
        QListWidgetItem* item = unitList_.item(static_cast<int>(unit));
        const bool differs = defaults != nullptr && model::unitDiffers(table, *defaults, unit);
        // Underlined and coloured, not bold: the list keeps the width its names were fitted to.
        QFont font = item->font();
        font.setUnderline(differs);
        item->setFont(font);
        item->setForeground(differs ? unitList_.palette().brush(QPalette::Link) : QBrush());
        item->setToolTip(differs ? "Differs from the game's default unit data" : QString());
    }
}

void UnitDefaultMarks::showDefaultsMissing(bool missing) {
    unitList_.setToolTip(missing ? kNeedsDefaultDataTip : QString());
}

}  // namespace tarnwick::ui
