#include "ui/balance/BalanceMapWindow.h"

#include "ui/defaults/DefaultMark.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/game/MatchupTable.h"
#include "core/game/UnitRaces.h"
#include "core/model/DefaultValues.h"
#include "ui/defaults/DefaultMark.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {
constexpr int kInitialWidth = 1000;
constexpr int kInitialHeight = 700;
constexpr int kAllRaces = 0;
const QString kHoverHint =
    "Rest the pointer on a cell, or move to it with the arrow keys, to "
    "read its duel; click it or press Enter to compare the pair in Unit "
    "Compare.";
const QString kNothingShown = "No unit passes the filters.";
}  // namespace

BalanceMapWindow::BalanceMapWindow(model::Document& document, Prompts& prompts,
                                   BalanceScripts& scripts, DefaultTables& defaults,
                                   UnitName unitName, CompareUnits compare, QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      scripts_(scripts),
      defaults_(defaults),
      unitName_(std::move(unitName)),
      compare_(std::move(compare)) {
    setObjectName("balanceMap");
    setWindowTitle("Balance Map");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setModal(false);
    recomputeSoon_.setSingleShot(true);
    recomputeSoon_.setInterval(0);
    buildLayout();
    connectControls();
    resize(kInitialWidth, kInitialHeight);
}

void BalanceMapWindow::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    const auto choice = [&](const QString& caption, const QString& name, const QStringList& items) {
        auto* label = new QLabel(caption);
        auto* box = new QComboBox;
        box->setObjectName(name);
        box->addItems(items);
        label->setBuddy(box);
        choices->addWidget(label);
        choices->addWidget(box);
        return box;
    };
    showBox_ = choice("&Show:", "showBox", {"Who wins", "Time for A to kill B"});
    startBox_ = choice("S&tart:", "startBox", {"Point blank", "Greatest distance"});
    orderBox_ = choice("&Order:", "orderBox", {"As the unit list", "Strongest first"});
    raceBox_ = choice("&Race of A:", "raceBox", {"All races", "Human", "Orc", "Neutral"});
    auto* filters = new QHBoxLayout;
    const auto check = [&](const QString& caption, const QString& name) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(name);
        filters->addWidget(box);
        return box;
    };
    landOnly_ = check("&Land units only", "landOnlyBox");
    changedOnly_ = check("&Changed units only", "changedUnitsBox");
    outlineChanges_ = check("Out&line what changed", "outlineChangesBox");
    outlineChanges_->setToolTip("Outlines the duels whose times changed since the window opened");
    choices->addStretch(1);
    filters->addStretch(1);
    auto* axes = new QLabel("Rows: unit A, the attacker. Columns: unit B.");
    axes->setObjectName("axesLabel");
    filters->addWidget(axes);
    outer->addLayout(choices);
    outer->addLayout(filters);

    auto* body = new QHBoxLayout;
    pages_ = new QStackedWidget;
    scroll_ = new QScrollArea;
    scroll_->setObjectName("balanceMapScroll");
    view_ = new BalanceMapView;
    scroll_->setWidget(view_);
    scroll_->setBackgroundRole(QPalette::Base);
    pages_->addWidget(scroll_);
    emptyMap_ = new QLabel;
    emptyMap_->setObjectName("emptyMapLabel");
    emptyMap_->setAlignment(Qt::AlignCenter);
    emptyMap_->setWordWrap(true);
    pages_->addWidget(emptyMap_);
    body->addWidget(pages_, 1);
    legend_ = new BalanceMapLegend;
    legend_->setFixedWidth(230);
    body->addWidget(legend_);
    outer->addLayout(body, 1);

    hoverText_ = new QLabel(kHoverHint);
    hoverText_->setObjectName("hoverLabel");
    hoverText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outer->addWidget(hoverText_);
}

void BalanceMapWindow::connectControls() {
    const auto refresh = guardedSlot(prompts_, [this](auto...) { refreshView(); });
    for (QComboBox* box : {showBox_, startBox_, orderBox_, raceBox_}) {
        connect(box, &QComboBox::currentIndexChanged, this, refresh);
    }
    for (QCheckBox* box : {landOnly_, changedOnly_, outlineChanges_}) {
        connect(box, &QCheckBox::toggled, this, refresh);
    }
    connect(&recomputeSoon_, &QTimer::timeout, this, guardedSlot(prompts_, [this](auto...) {
        if (isVisible() && document_.hasData()) {
            recompute();
            refreshView();
        }
    }));
    connect(view_, &BalanceMapView::pairHovered, this,
            [this](std::optional<BalanceMapView::Pair> pair) { showHovered(pair); });
    connect(view_, &BalanceMapView::cellFramed, this, [this](const QRect& cell) {
        scroll_->ensureVisible(cell.center().x(), cell.center().y(), cell.width(), cell.height());
    });
    connect(view_, &BalanceMapView::pairClicked, this,
            guardedSlot(prompts_, [this](BalanceMapView::Pair pair) { compare_(pair); }));
}

void BalanceMapWindow::open() {
    if (!document_.hasData()) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    // An entry that cannot be read throws with its reader's box: the window stays closed.
    scripts_.read();
    recompute();
    if (!isVisible()) {
        openedWith_ = matrix_;
    }
    refreshView();
    show();
    raise();
    activateWindow();
}

void BalanceMapWindow::showDocument() {
    if (!isVisible()) {
        return;
    }
    if (!document_.hasData()) {
        close();
        return;
    }
    recomputeSoon_.start();
}

void BalanceMapWindow::showOtherDocument() {
    if (isVisible() && document_.hasData()) {
        recompute();
        openedWith_ = matrix_;
        refreshView();
    }
}

void BalanceMapWindow::recompute() {
    // Times from an earlier reading are no answer to this one: without a walked script the
    // map shows nothing.
    matrix_ = game::anyScriptWalked(scripts_.walked())
                  ? std::make_shared<const game::BalanceMatrix>(
                        game::matchups(document_.unitData, scripts_.summary()))
                  : std::make_shared<const game::BalanceMatrix>();
}

std::vector<std::size_t> BalanceMapWindow::shownColumns() const {
    std::vector<std::size_t> columns;
    for (const std::size_t unit : matrix_->units()) {
        if (!landOnly_->isChecked() ||
            (document_.unitData.get(model::unitfields::flags, unit) & game::kLandUnitFlag) != 0) {
            columns.push_back(unit);
        }
    }
    return columns;
}

std::vector<std::size_t> BalanceMapWindow::shownRows() const {
    const model::UnitDataTable* defaults =
        changedOnly_->isChecked() ? defaults_.units(document_.hasExpansionGfx) : nullptr;
    const int race = raceBox_->currentIndex();
    std::vector<std::size_t> rows;
    for (const std::size_t unit : shownColumns()) {
        const bool raceShown =
            race == kAllRaces || static_cast<int>(game::raceOf(unit)) == race - 1;
        const bool changeShown =
            defaults == nullptr || model::unitDiffers(document_.unitData, *defaults, unit);
        if (raceShown && changeShown) {
            rows.push_back(unit);
        }
    }
    return rows;
}

void BalanceMapWindow::refreshView() {
    // Without the game's defaults nothing can be told changed: the filter is of no use.
    const bool canCompare = defaults_.units(document_.hasExpansionGfx) != nullptr;
    changedOnly_->setEnabled(canCompare);
    changedOnly_->setToolTip(canCompare ? QString() : kNeedsDefaultDataTip);
    if (!matrix_) {
        return;
    }
    BalanceMapContent content;
    content.matrix = matrix_;
    content.outlinedAgainst = outlineChanges_->isChecked() ? openedWith_ : nullptr;
    game::BalanceMapScope& scope = content.scope;
    scope.start =
        startBox_->currentIndex() == 0 ? game::DuelStart::PointBlank : game::DuelStart::MaxDistance;
    scope.shows = showBox_->currentIndex() == 0 ? game::MapShows::Outcome : game::MapShows::Time;
    scope.columns = shownColumns();
    scope.rows = shownRows();
    if (orderBox_->currentIndex() == 1) {
        scope.rows = game::strongestFirst(*matrix_, scope.start, scope.rows, scope.columns);
        scope.columns = game::strongestFirst(*matrix_, scope.start, scope.columns, scope.columns);
    }
    content.scale = game::timeScaleOf(*matrix_, scope.start, scope.rows, scope.columns);
    for (std::size_t unit = 0; unit < game::kAnimatedUnitCount; ++unit) {
        content.names << unitName_(unit);
    }
    legend_->showLegend(scope.shows, scope.start, content.scale);
    const auto emptyMap = game::emptyMapReason(*matrix_, scripts_.walked());
    emptyMap_->setText(emptyMap ? QString::fromStdString(*emptyMap) : kNothingShown);
    pages_->setCurrentIndex(scope.rows.empty() || scope.columns.empty() ? 1 : 0);
    view_->showContent(std::move(content));
    showHovered(view_->hoveredPair());
}

void BalanceMapWindow::showHovered(std::optional<BalanceMapView::Pair> pair) {
    if (!pair) {
        hoverText_->setText(kHoverHint);
        view_->setToolTip({});
        return;
    }
    const BalanceMapContent& content = view_->content();
    const std::string text =
        game::duelSummary(content.names[static_cast<int>(pair->a)].toStdString(),
                          content.names[static_cast<int>(pair->b)].toStdString(),
                          content.matrix->duel(pair->a, pair->b, content.scope.start));
    hoverText_->setText(QString::fromStdString(text));
    view_->setToolTip(hoverText_->text());
}

}  // namespace tarnwick::ui
