#include "ui/app/units/UnitEditor.h"

#include "core/model/TypedNumber.h"
#include "core/model/UnitTexts.h"
#include "ui/app/units/UnitControlTexts.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace uf = model::unitfields;

namespace {
constexpr std::size_t kDecayBox = numberBoxIndex("decayRateBox");
constexpr std::size_t kBasicDamageBox = numberBoxIndex("basicDamageBox");
constexpr std::size_t kPiercingDamageBox = numberBoxIndex("piercingDamageBox");
constexpr std::array<unsigned, 3> kDomainFlagBits = {0, 1, 3};  // land, air, sea

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

std::int32_t typedNumber(const QLineEdit* box) {
    return model::parseTypedInteger(box->text().toStdString());
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
                      const QString& control) {
    if (!unit_) {
        change();
        return;
    }
    const QString mergeKey = control.isEmpty() ? control : control + " " + QString::number(*unit_);
    history_.record(QString("Change %1 of %2").arg(what, unitName_(*unit_)), change, mergeKey);
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
    const NumberBox& binding = kNumberBoxes[box];
    const std::int64_t value = binding.field->shownValue(shown(*binding.field, binding.part));
    c_.numbers[box]->setText(QString::number(value));
}

void UnitEditor::showByteCheck(std::size_t box) {
    c_.byteChecks[box]->setChecked(shown(*kByteCheckBoxes[box].field) != 0);
}

void UnitEditor::showUnit(std::size_t unit) {
    unit_ = unit;
    // Filling passes through other values (the target boxes are cleared first) and ends where
    // it began: as one change that changes nothing, it leaves no step.
    history_.record("Show " + unitName_(unit), [&] { fillFromUnit(unit); });
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
    const auto missile = static_cast<int>(shown(uf::missile));
    c_.missile->setCurrentIndex(missile < c_.missile->count() ? missile : -1);
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

    const bool hasAction = unit < uf::rightClickAction.count;
    c_.rightClick->setEnabled(hasAction);
    const int action = hasAction ? static_cast<int>(shown(uf::rightClickAction)) : 0;
    c_.rightClick->setCurrentIndex(action >= 1 && action <= c_.rightClick->count() ? action - 1
                                                                                   : -1);

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
    const std::int32_t value = typedNumber(c_.numbers[box]);
    if (box == kDecayBox) {
        c_.decayLabel->setText(QString::fromStdString(model::decayText(value)));
    }
    edit(
        QString(binding.label).chopped(1),
        [&] { store(*binding.field, binding.field->storedValue(value), binding.part); },
        binding.name);
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
        store(uf::unitType, static_cast<std::uint32_t>(position));
        for (const unsigned bit : kDomainFlagBits) {
            setFlag(bit, false);
            c_.flags[bit]->setChecked(false);
        }
        const unsigned chosen = kDomainFlagBits[static_cast<std::size_t>(position)];
        setFlag(chosen, true);
        c_.flags[chosen]->setChecked(true);
    });
}

void UnitEditor::missileChange(int position) {
    if (position >= 0) {
        edit("Missile Type", [&] { store(uf::missile, static_cast<std::uint32_t>(position)); });
    }
}

void UnitEditor::rightClickChange(int position) {
    if (position >= 0) {
        edit("Right Mouse button",
             [&] { store(uf::rightClickAction, static_cast<std::uint32_t>(position + 1)); });
    }
}

void UnitEditor::byteCheckClick(std::size_t box, bool ticked) {
    edit(kByteCheckBoxes[box].caption, [&] { store(*kByteCheckBoxes[box].field, ticked ? 1 : 0); });
}

void UnitEditor::targetClick() {
    std::uint32_t targets = 0;
    for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
        if (c_.targets[i]->isChecked()) {
            targets |= 1u << kTargetBoxes[i].bit;
        }
    }
    edit("Targets", [&] { store(uf::canTarget, targets); });
}

void UnitEditor::flagClick(unsigned bit, bool ticked) {
    if (ticked || !fillingFlags_) {
        edit(kFlagTexts[bit].caption, [&] { setFlag(bit, ticked); });
    }
}

void UnitEditor::setFlag(unsigned bit, bool set) {
    if (!unit_ || *unit_ >= uf::flags.count) {
        return;
    }
    const std::uint32_t mask = 1u << bit;
    const std::uint32_t flags = shown(uf::flags);
    store(uf::flags, set ? flags | mask : flags & ~mask);
}

}  // namespace tarnwick::ui
