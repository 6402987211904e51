#include "ui/app/units/UnitEditor.h"

#include "core/model/TypedNumber.h"
#include "core/model/UnitTexts.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/units/UnitControlTexts.h"
#include "ui/units/UnitFieldRules.h"

namespace tarnwick::ui {

namespace uf = model::unitfields;

namespace {
constexpr std::size_t kDecayBox = numberBoxIndex("decayRateBox");
constexpr std::size_t kBasicDamageBox = numberBoxIndex("basicDamageBox");
constexpr std::size_t kPiercingDamageBox = numberBoxIndex("piercingDamageBox");

// The edit boxes in the order they are filled, between the check boxes and lists.
constexpr std::array kSizesAndStats = {
    numberBoxIndex("boxHeightBox"),  numberBoxIndex("boxWidthBox"),
    numberBoxIndex("tileHeightBox"), numberBoxIndex("tileWidthBox"),
    numberBoxIndex("sightRangeBox"), numberBoxIndex("hitPointsBox"),
    numberBoxIndex("buildTimeBox")};
constexpr std::array kCostsAndRanges = {
    numberBoxIndex("goldBox"),          numberBoxIndex("lumberBox"),
    numberBoxIndex("oilBox"),           numberBoxIndex("attackRangeBox"),
    numberBoxIndex("cpuReactRangeBox"), numberBoxIndex("reactRangeBox"),
    numberBoxIndex("armorBox")};
constexpr std::array kLastNumbers = {numberBoxIndex("annoyFactorBox"),
                                     numberBoxIndex("decayRateBox"),
                                     numberBoxIndex("pointValueBox")};

// Decay and damage are bytes: a typed number is refused before it reaches their texts.
std::int32_t typedNumber(const QLineEdit* box) {
    return static_cast<std::int32_t>(ui::typedNumber(box->text()));
}
}  // namespace

UnitEditor::UnitEditor(model::Document& document, Prompts& prompts, UnitControls& controls,
                       DocumentHistory& history, UnitName unitName, QObject* parent)
    : QObject(parent),
      document_(document),
      prompts_(prompts),
      c_(controls),
      history_(history),
      unitName_(std::move(unitName)) {
    connectRules();
}

void UnitEditor::edit(const QString& what, const std::function<void()>& change,
                      const QString& control, const std::function<void()>& showKept) {
    if (!unit_) {
        change();
        return;
    }
    const QString name = QString("Change %1 of %2").arg(what, unitName_(*unit_));
    if (showKept) {
        history_.recordTyping(name, change, mergeKey(control), showKept);
    } else {
        history_.record(name, change, mergeKey(control));
    }
}

QString UnitEditor::mergeKey(const QString& control) const {
    return control.isEmpty() ? control : control + " " + QString::number(*unit_);
}

void UnitEditor::connectRules() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    for (std::size_t box = 0; box < c_.numbers.size(); ++box) {
        connect(c_.numbers[box], &QLineEdit::textChanged, this,
                guarded([this, box](const QString&) { numberChange(box); }));
    }
    connect(c_.priority, &QSlider::valueChanged, this,
            guarded([this](int position) { priorityChange(position); }));
    connect(c_.unitType, &QComboBox::activated, this,
            guarded([this](int position) { unitTypeChange(position); }));
    connect(c_.missile, &QComboBox::activated, this,
            guarded([this](int position) { missileChange(position); }));
    connect(c_.rightClick, &QComboBox::activated, this,
            guarded([this](int position) { rightClickChange(position); }));
    for (std::size_t box = 0; box < c_.byteChecks.size(); ++box) {
        connect(c_.byteChecks[box], &QCheckBox::toggled, this,
                guarded([this, box](bool ticked) { byteCheckClick(box, ticked); }));
    }
    for (QCheckBox* target : c_.targets) {
        connect(target, &QCheckBox::toggled, this, guarded([this](bool) { targetClick(); }));
    }
    for (unsigned bit = 0; bit < c_.flags.size(); ++bit) {
        connect(c_.flags[bit], &QCheckBox::toggled, this,
                guarded([this, bit](bool ticked) { flagClick(bit, ticked); }));
    }
}

void UnitEditor::store(const model::FieldDescriptor& field, std::uint32_t value, std::size_t part) {
    if (unit_ && *unit_ < field.count) {
        document_.unitData.set(field, *unit_, value, part);
    }
}

std::uint32_t UnitEditor::shown(const model::FieldDescriptor& field, std::size_t part) const {
    return document_.unitData.get(field, *unit_, part);
}

void UnitEditor::showNumber(std::size_t box) {
    c_.numbers[box]->setText(
        QString::number(shownNumber(document_.unitData, kNumberBoxes[box], *unit_)));
}

void UnitEditor::showByteCheck(std::size_t box) {
    c_.byteChecks[box]->setChecked(shown(*kByteCheckBoxes[box].field) != 0);
}

void UnitEditor::showUnit(std::size_t unit) {
    unit_ = unit;
    // Showing a unit changes nothing. The boxes' rules run as they are filled, and a byte they
    // cannot show as stored (a magic byte of 2, a target bit past the three boxes) would be
    // written back cut to what they show: the unit's bytes are put back as they were, so only a
    // user's change rewrites them. As one change that changes nothing, it leaves no step.
    history_.record("Show " + unitName_(unit), [&] {
        const model::UnitDataTable stored = document_.unitData;
        fillFromUnit(unit);
        document_.unitData = stored;
    });
}

void UnitEditor::fillFromUnit(std::size_t unit) {
    for (const std::size_t box : kSizesAndStats) {
        showNumber(box);
    }
    showByteCheck(0);  // Magic
    for (const std::size_t box : kCostsAndRanges) {
        showNumber(box);
    }
    showByteCheck(1);  // selectable
    c_.priority->setValue(static_cast<int>(shown(uf::priority)));
    c_.priorityValue->setText(QString::number(c_.priority->value()));
    showByteCheck(2);  // upgW
    showByteCheck(3);  // upgA
    showNumber(kBasicDamageBox);
    showNumber(kPiercingDamageBox);
    c_.unitType->setCurrentIndex(static_cast<int>(shown(uf::unitType)));
    c_.missile->setCurrentIndex(missilePosition(document_.unitData, unit));
    for (const std::size_t box : kLastNumbers) {
        showNumber(box);
    }

    // The byte is read before the boxes change: each change rewrites it whole.
    const std::uint32_t targets = shown(uf::canTarget);
    for (QCheckBox* target : c_.targets) {
        target->setChecked(false);
    }
    for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
        if ((targets >> kTargetBoxes[i].bit) & 1u) {
            c_.targets[i]->setChecked(true);
        }
    }

    c_.rightClick->setEnabled(unit < uf::rightClickAction.count);
    c_.rightClick->setCurrentIndex(rightClickPosition(document_.unitData, unit));

    c_.decayLabel->setText(
        QString::fromStdString(model::decayText(typedNumber(c_.numbers[kDecayBox]))));

    fillingFlags_ = true;
    for (QCheckBox* flag : c_.flags) {
        flag->setChecked(false);
    }
    const std::uint32_t flags = shown(uf::flags);
    for (unsigned bit = 0; bit < c_.flags.size(); ++bit) {
        if ((flags >> bit) & 1u) {
            c_.flags[bit]->setChecked(true);
        }
    }
    fillingFlags_ = false;
}

void UnitEditor::numberChange(std::size_t box) {
    const NumberBox& binding = kNumberBoxes[box];
    const std::int64_t value = ui::typedNumber(c_.numbers[box]->text());
    edit(
        numberLabel(binding),
        [&] {
            if (unit_) {
                storeNumber(document_.unitData, binding, *unit_, value);
            }
        },
        binding.name, [&] { showNumber(box); });
    if (box == kDecayBox) {
        c_.decayLabel->setText(
            QString::fromStdString(model::decayText(static_cast<std::int32_t>(value))));
    }
    if (box == kBasicDamageBox || box == kPiercingDamageBox) {
        refreshDamage(box);
    }
}

void UnitEditor::refreshDamage(std::size_t changedBox) {
    const std::size_t other = changedBox == kBasicDamageBox ? kPiercingDamageBox : kBasicDamageBox;
    if (c_.numbers[other]->text().isEmpty()) {
        return;
    }
    const std::int32_t basic = typedNumber(c_.numbers[kBasicDamageBox]);
    const std::int32_t piercing = typedNumber(c_.numbers[kPiercingDamageBox]);
    c_.damageLabel->setText(QString::fromStdString(model::damageText(basic, piercing)));
}

void UnitEditor::priorityChange(int position) {
    c_.priorityValue->setText(QString::number(position));
    edit(
        "Priority", [&] { store(uf::priority, static_cast<std::uint32_t>(position)); }, "priority");
}

void UnitEditor::unitTypeChange(int position) {
    if (position < 0) {
        return;
    }
    edit("Type", [&] {
        if (!unit_) {
            return;
        }
        storeUnitType(document_.unitData, *unit_, position);
        for (unsigned bit = 0; bit < c_.flags.size(); ++bit) {
            c_.flags[bit]->setChecked(bitSet(document_.unitData, uf::flags, *unit_, bit));
        }
    });
}

void UnitEditor::missileChange(int position) {
    if (position >= 0) {
        edit("Missile Type", [&] {
            if (unit_) {
                storeMissile(document_.unitData, *unit_, position);
            }
        });
    }
}

void UnitEditor::rightClickChange(int position) {
    if (position >= 0) {
        edit("Right Mouse button", [&] {
            if (unit_) {
                storeRightClick(document_.unitData, *unit_, position);
            }
        });
    }
}

void UnitEditor::byteCheckClick(std::size_t box, bool ticked) {
    edit(kByteCheckBoxes[box].caption, [&] {
        if (unit_) {
            storeByteCheck(document_.unitData, kByteCheckBoxes[box], *unit_, ticked);
        }
    });
}

void UnitEditor::targetClick() {
    std::array<bool, kTargetBoxes.size()> ticked{};
    for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
        ticked[i] = c_.targets[i]->isChecked();
    }
    edit("Targets", [&] {
        if (unit_) {
            storeTargets(document_.unitData, *unit_, ticked);
        }
    });
}

void UnitEditor::flagClick(unsigned bit, bool ticked) {
    if (ticked || !fillingFlags_) {
        edit(kFlagTexts[bit].caption, [&] { setFlag(bit, ticked); });
    }
}

void UnitEditor::setFlag(unsigned bit, bool set) {
    if (unit_) {
        storeBit(document_.unitData, uf::flags, *unit_, bit, set);
    }
}

}  // namespace tarnwick::ui
