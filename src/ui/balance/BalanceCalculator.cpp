#include "ui/balance/BalanceCalculator.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/game/UnitDuel.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {
// Wide enough for a result line between two of the game's longest unit names.
constexpr int kInitialWidth = 600;
constexpr int kInitialHeight = 400;
}  // namespace

BalanceCalculator::BalanceCalculator(model::Document& document, Prompts& prompts,
                                     BalanceScripts& scripts, const QListWidget& unitList,
                                     QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      scripts_(scripts),
      unitList_(unitList) {
    setObjectName("balanceCalculator");
    setWindowTitle("Unit Compare:");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
    resize(kInitialWidth, kInitialHeight);
}

void BalanceCalculator::build() {
    auto* outer = new QVBoxLayout(this);

    auto* settings = new QGroupBox("Scenario Settings: ");
    settings->setObjectName("scenarioSettingsGroup");
    auto* grid = new QGridLayout(settings);
    const auto unitChoice = [&](int row, const QString& caption, const QString& name) {
        auto* label = new QLabel(caption);
        label->setObjectName(name + "Label");
        auto* combo = new QComboBox;  // not editable: pick only
        combo->setObjectName(name + "List");
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        label->setBuddy(combo);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        connect(combo, &QComboBox::activated, this,
                guardedSlot(prompts_, [this](int) { showResults(); }));
        return combo;
    };
    unitA_ = unitChoice(0, "Unit A:", "unitA");
    unitB_ = unitChoice(1, "Unit B:", "unitB");
    grid->setColumnStretch(2, 1);
    auto* warning = new QLabel("WARNING! A few factors stilll reamain un-accounted for!");
    warning->setObjectName("warningLabel");
    grid->addWidget(warning, 2, 0, 1, 3);
    timeInSeconds_ = new QCheckBox("Time in seconds(otherwise ticks)");
    timeInSeconds_->setObjectName("timeInSecondsBox");
    timeInSeconds_->setChecked(true);
    connect(timeInSeconds_, &QCheckBox::toggled, this,
            guardedSlot(prompts_, [this](bool) { showResults(); }));
    grid->addWidget(timeInSeconds_, 3, 0, 1, 3);
    outer->addWidget(settings);

    auto* resultsGroup = new QGroupBox("Results: ");
    resultsGroup->setObjectName("resultsGroup");
    auto* resultsLayout = new QVBoxLayout(resultsGroup);
    results_ = new QListWidget;
    results_->setObjectName("resultList");
    resultsLayout->addWidget(results_);
    outer->addWidget(resultsGroup, 1);

    auto* status = new QStatusBar;
    status->setObjectName("statusBar");
    outer->addWidget(status);
    // The status bar lies on the window's bottom edge.
    QMargins margins = outer->contentsMargins();
    margins.setBottom(0);
    outer->setContentsMargins(margins);
}

void BalanceCalculator::openModal(std::optional<UnitPair> pair) {
    if (!document_.hasData()) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    // An entry that cannot be read throws with its reader's box: the window stays closed.
    scripts_.read();
    fillUnitLists();
    if (pair) {
        unitA_->setCurrentIndex(static_cast<int>(pair->a));
        unitB_->setCurrentIndex(static_cast<int>(pair->b));
        showResults();
    }
    exec();
}

void BalanceCalculator::fillUnitLists() {
    QStringList names;
    const int count = std::min(static_cast<int>(game::kAnimatedUnitCount), unitList_.count());
    for (int row = 0; row < count; ++row) {
        names << unitList_.item(row)->text();
    }
    for (QComboBox* list : {unitA_, unitB_}) {
        list->clear();
        list->addItems(names);
        list->setCurrentIndex(-1);
    }
}

void BalanceCalculator::showResults() {
    const int a = unitA_->currentIndex();
    const int b = unitB_->currentIndex();
    results_->clear();
    if (a < 0 || b < 0) {
        return;
    }
    const game::ChosenUnit chosenA{static_cast<std::size_t>(a),
                                   unitA_->currentText().toStdString()};
    const game::ChosenUnit chosenB{static_cast<std::size_t>(b),
                                   unitB_->currentText().toStdString()};
    const game::TimeUnit unit =
        timeInSeconds_->isChecked() ? game::TimeUnit::Seconds : game::TimeUnit::Ticks;
    for (const std::string& line :
         game::compareUnits(document_.unitData, scripts_.summary(), chosenA, chosenB, unit)) {
        results_->addItem(QString::fromStdString(line));
    }
}

}  // namespace tarnwick::ui
