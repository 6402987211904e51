#include "ui/app/units/UnitControls.h"

#include "ui/app/units/ColumnFlowLayout.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QValidator>

#include "ui/units/UnitControlTexts.h"

namespace tarnwick::ui {

namespace {

constexpr int kNumberWidth = 64;
constexpr int kListWidth = 130;

// Limits what the user may type without touching text set from code: a maximum length on the
// box itself would cut a longer stored value and write the cut value back.
class TypingLimit : public QValidator {
  public:
    TypingLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int&) const override {
        return input.size() <= limit_ ? Acceptable : Invalid;
    }

  private:
    int limit_;
};

template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& tooltip = {}) {
    widget->setObjectName(name);
    if (!tooltip.isEmpty()) {
        widget->setToolTip(tooltip);
    }
    return widget;
}

QGroupBox* addGroup(QLayout* into, const QString& title, const QString& tooltip = {}) {
    auto* group = new QGroupBox(title);
    group->setToolTip(tooltip);
    into->addWidget(group);
    return group;
}

// Turning the wheel to scroll the page must not change the unit under the mouse: a pick list or
// slider takes the wheel only once it has focus, and passes it on to the page otherwise.
class WheelWhenFocused : public QObject {
  public:
    explicit WheelWhenFocused(QWidget& control) : QObject(&control) {
        control.setFocusPolicy(Qt::StrongFocus);
        control.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        if (event->type() != QEvent::Wheel || control->hasFocus()) {
            return false;
        }
        // Passed on by hand: a wheel event sent on never travels up to the page by itself.
        for (QWidget* parent = control->parentWidget(); parent != nullptr;
             parent = parent->parentWidget()) {
            if (auto* page = qobject_cast<QAbstractScrollArea*>(parent)) {
                QCoreApplication::sendEvent(page->viewport(), event);
                break;
            }
        }
        return true;
    }
};

QComboBox* pickList(const QString& name, const auto& items, const QString& tooltip) {
    auto* list = named(new QComboBox, name, tooltip);
    new WheelWhenFocused(*list);
    for (const char* item : items) {
        list->addItem(item);
    }
    list->setMaximumWidth(kListWidth);
    return list;
}

class GeneralPageBuilder {
  public:
    explicit GeneralPageBuilder(UnitControls& c) : c_(c) {}

    void addNumbers(QFormLayout* form, std::initializer_list<std::size_t> boxes) {
        for (const std::size_t index : boxes) {
            const NumberBox& box = kNumberBoxes[index];
            auto* edit = named(new QLineEdit, box.name, box.tooltip);
            edit->setMaximumWidth(kNumberWidth);
            if (box.typingLimit > 0) {
                edit->setValidator(new TypingLimit(box.typingLimit, edit));
            }
            c_.numbers[index] = edit;
            form->addRow(box.label, edit);
        }
    }

    void build(QWidget* content) {
        // One column that scrolls at the window's first size; up to four side by side when
        // the window is wide enough to show a whole unit at once.
        auto* column = new ColumnFlowLayout(content, 4);

        const QString priorityTip =
            "What the priority of this unit is, in the eyes of the computer.";
        auto* ai = new QFormLayout(addGroup(column, "AI Treatment:"));
        c_.priority = named(new QSlider(Qt::Horizontal), "prioritySlider");
        new WheelWhenFocused(*c_.priority);
        c_.priority->setRange(0, 255);
        c_.priority->setTickInterval(16);
        c_.priority->setTickPosition(QSlider::TicksBelow);
        auto* track = new QHBoxLayout;
        track->addWidget(named(new QLabel("Low"), "lowLabel", priorityTip));
        track->addWidget(c_.priority);
        track->addWidget(named(new QLabel("High"), "highLabel", priorityTip));
        ai->addRow(track);
        c_.priorityValue = named(new QLabel("?"), "priorityValueLabel", priorityTip);
        c_.priorityValue->setAlignment(Qt::AlignCenter);
        ai->addRow(c_.priorityValue);
        addNumbers(ai, {numberBoxIndex("cpuReactRangeBox"), numberBoxIndex("annoyFactorBox"),
                        numberBoxIndex("pointValueBox")});

        auto* stats = new QFormLayout(addGroup(column, "Unit Stats"));
        addNumbers(stats, {numberBoxIndex("reactRangeBox"), numberBoxIndex("sightRangeBox"),
                           numberBoxIndex("decayRateBox"), numberBoxIndex("armorBox"),
                           numberBoxIndex("hitPointsBox")});
        c_.unitType =
            pickList("domainList", kDomainNames, "Unit Domain.  What type of unit it is.");
        stats->addRow("Type:", c_.unitType);
        c_.decayLabel = named(new QLabel, "decayLabel");
        stats->addRow("Decays After:", c_.decayLabel);

        auto* attack = new QFormLayout(addGroup(column, "Attacking Info:"));
        addNumbers(attack, {numberBoxIndex("attackRangeBox"), numberBoxIndex("basicDamageBox"),
                            numberBoxIndex("piercingDamageBox")});
        c_.damageLabel = named(new QLabel("?"), "damageRangeLabel");
        attack->addRow("Calculated Damage:", c_.damageLabel);
        c_.missile = pickList("missileList", kMissileNames,
                              "What missile this unit attacks with.  WARNING:  Certain Missiles "
                              "don't work!");
        attack->addRow("Missile Type:", c_.missile);
        c_.rightClick = pickList("rightClickList", kRightClickNames,
                                 "What the default action for the unit to take is.  i.e., what "
                                 "happens when you right click.");
        attack->addRow("Right Mouse button:", c_.rightClick);

        auto* size = new QFormLayout(addGroup(column, "Unit Size: "));
        addNumbers(size, {numberBoxIndex("tileHeightBox"), numberBoxIndex("tileWidthBox"),
                          numberBoxIndex("boxHeightBox"), numberBoxIndex("boxWidthBox")});
        c_.boxSizer = named(new QPushButton("Box Sizer"), "boxSizerButton");
        size->addRow(c_.boxSizer);

        auto* cost =
            new QFormLayout(addGroup(column, "Unit Cost:", "The Units Cost and Build Time"));
        addNumbers(cost, {numberBoxIndex("goldBox"), numberBoxIndex("lumberBox"),
                          numberBoxIndex("oilBox"), numberBoxIndex("buildTimeBox")});
    }

  private:
    UnitControls& c_;
};

class FlagsPageBuilder {
  public:
    explicit FlagsPageBuilder(UnitControls& c) : c_(c) {
        for (unsigned bit = 0; bit < c_.flags.size(); ++bit) {
            const FlagText& text = kFlagTexts[bit];
            auto* box =
                named(new QCheckBox(text.caption), QString("flag%1Box").arg(bit), text.tooltip);
            box->setProperty("tag", bit);
            c_.flags[bit] = box;
        }
        for (std::size_t i = 0; i < kByteCheckBoxes.size(); ++i) {
            const ByteCheckBox& b = kByteCheckBoxes[i];
            c_.byteChecks[i] = named(new QCheckBox(b.caption), b.name, b.tooltip);
        }
        for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
            c_.targets[i] =
                named(new QCheckBox(kTargetBoxes[i].caption), kTargetBoxes[i].name, kTargetTip);
        }
    }

    // The boxes of a group, filled column by column in two columns.
    static void addGroupOf(QVBoxLayout* page, const QString& title,
                           const std::vector<QCheckBox*>& boxes) {
        auto* group = new QGroupBox(title);
        auto* grid = new QGridLayout(group);
        const int perColumn = static_cast<int>((boxes.size() + 1) / 2);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const int at = static_cast<int>(i);
            grid->addWidget(boxes[i], at % perColumn, at / perColumn);
        }
        page->addWidget(group);
    }

    void build(QWidget* content) {
        auto* page = new QVBoxLayout(content);
        const auto f = [this](unsigned bit) { return c_.flags[bit]; };
        const auto check = [this](std::string_view name) {
            for (std::size_t i = 0; i < kByteCheckBoxes.size(); ++i) {
                if (name == kByteCheckBoxes[i].name) {
                    return c_.byteChecks[i];
                }
            }
            return static_cast<QCheckBox*>(nullptr);
        };
        addGroupOf(page, "Unit Type: ",
                   {f(10), f(25), f(2), f(15), f(27), f(4), f(23), f(8), f(26),
                    check("multiSelectableBox"), f(19), f(14), f(0), f(1), f(3)});
        addGroupOf(page, "Resource Info: ", {f(22), f(12), f(18), f(9), f(21), f(24), f(11)});
        addGroupOf(page, "Submarine Properties :", {f(6), f(7)});
        addGroupOf(page, "Structure Properties: ", {f(20), f(5), f(16)});
        addGroupOf(page, "Magic: ", {f(17), check("magicBox")});
        addGroupOf(page, "Can Target:", {c_.targets[0], c_.targets[1], c_.targets[2]});
        addGroupOf(page, "Upgrades:", {check("armorUpgradableBox"), check("weaponUpgradableBox")});
        addGroupOf(page, "Unknowns: ", {f(13), f(28), f(29), f(30), f(31)});
        page->addStretch();
    }

  private:
    UnitControls& c_;
};

}  // namespace

UnitControls buildUnitPages(QWidget* generalContent, QWidget* flagsContent) {
    UnitControls controls;
    controls.generalContent = generalContent;
    controls.flagsContent = flagsContent;
    GeneralPageBuilder(controls).build(controls.generalContent);
    FlagsPageBuilder flags(controls);
    flags.build(controls.flagsContent);
    controls.generalContent->hide();
    controls.flagsContent->hide();
    return controls;
}

}  // namespace tarnwick::ui
