#include "ui/balance/BalanceMapWindow.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/game/BalanceMapPicture.h"
#include "core/game/MatchupTable.h"
#include "core/game/UnitRaces.h"
#include "core/model/DefaultValues.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"
#include "ui/defaults/ComparedFile.h"
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
enum ShowChoice { kShowOutcome, kShowTime, kShowCost };
// The characters a choice box keeps when the window is as narrow as the screen makes it.
constexpr int kNarrowestChoice = 8;
enum OrderChoice { kUnitListOrder, kStrongestFirst, kMostWinsFirst };

game::MapShows mapShowsOf(int choice) {
    return choice == kShowTime   ? game::MapShows::Time
           : choice == kShowCost ? game::MapShows::Cost
                                 : game::MapShows::Outcome;
}

std::vector<std::uint8_t> bytesOf(const QByteArray& data) {
    return {data.begin(), data.end()};
}
}  // namespace

BalanceMapWindow::BalanceMapWindow(model::Document& document, Prompts& prompts,
                                   BalanceScripts& scripts, DefaultTables& defaults,
                                   UnitName unitName, CompareUnits compare, FileReader readFile,
                                   QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      scripts_(scripts),
      defaults_(defaults),
      unitName_(std::move(unitName)),
      compare_(std::move(compare)),
      readFile_(std::move(readFile)) {
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
        // As wide as its longest entry where there is room; on a small screen it gives way
        // (the open list still shows its entries whole).
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * kNarrowestChoice);
        label->setBuddy(box);
        choices->addWidget(label);
        choices->addWidget(box);
        return box;
    };
    showBox_ =
        choice("&Show:", "showBox", {"Who wins", "Time for A to kill B", "Who wins for the cost"});
    startBox_ = choice("S&tart:", "startBox", {"Point blank", "Greatest distance"});
    orderBox_ =
        choice("&Order:", "orderBox", {"As the unit list", "Strongest first", "Most wins first"});
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
    axes->setWordWrap(true);  // two lines where the row has no room for one
    filters->addWidget(axes);
    outer->addLayout(choices);
    outer->addLayout(filters);

    auto* body = new QHBoxLayout;
    pages_ = new QStackedWidget;
    view_ = new BalanceMapView;
    pages_->addWidget(view_);
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
    hoverText_->setWordWrap(true);
    outer->addWidget(hoverText_);
    outer->addLayout(buildTools());
    // From the switches the next Tab reaches the map, then the tools below it.
    QWidget::setTabOrder(outlineChanges_, view_);
    QWidget* previous = view_;
    for (QWidget* next : std::initializer_list<QWidget*>{findBox_, fitButton_, compareButton_,
                                                         clearComparisonButton_, savePictureButton_,
                                                         saveTableButton_}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

QLayout* BalanceMapWindow::buildTools() {
    auto* tools = new QHBoxLayout;
    const auto button = [&](const QString& caption, const QString& name, const QString& tip) {
        auto* made = new QPushButton(caption);
        made->setObjectName(name);
        made->setAutoDefault(false);
        made->setToolTip(tip);
        tools->addWidget(made);
        return made;
    };
    findBox_ = new QLineEdit;
    findBox_->setObjectName("findBox");
    findBox_->setPlaceholderText("Find a unit (Ctrl+F)");
    findBox_->setClearButtonEnabled(true);
    tools->addWidget(findBox_);
    fitButton_ = button("Fit", "fitButton",
                        "Shows the whole map in the window; Ctrl+wheel, Ctrl+Plus and "
                        "Ctrl+Minus zoom");
    tools->addStretch(1);
    compareButton_ = button("Compare with File...", "mapCompareButton",
                            "Outlines each duel whose winner differs in another scenario or "
                            "unit data file.");
    clearComparisonButton_ = button("Clear Comparison", "mapClearComparisonButton", {});
    clearComparisonButton_->setEnabled(false);
    comparedLabel_ = new QLabel;
    comparedLabel_->setObjectName("comparedLabel");
    comparedLabel_->hide();
    tools->addWidget(comparedLabel_);
    savePictureButton_ = button("Save Picture...", "savePictureButton",
                                "Writes the map as shown as a PNG picture, as the tool's "
                                "balance --matrix OUT.png does");
    saveTableButton_ = button("Save Table...", "saveTableButton",
                              "Writes the shown duels as CSV, as the tool's balance --matrix "
                              "does");
    return tools;
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
    connect(view_, &BalanceMapView::pairClicked, this,
            guardedSlot(prompts_, [this](BalanceMapView::Pair pair) { compare_(pair); }));
    connect(findBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { findTypedUnit(text); });
    connect(findBox_, &QLineEdit::returnPressed, view_, [this] { view_->setFocus(); });
    connect(fitButton_, &QPushButton::clicked, view_, [this] { view_->fitToWindow(); });
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    connect(compareButton_, &QPushButton::clicked, this,
            guarded([this](auto...) { compareWithFile(); }));
    connect(clearComparisonButton_, &QPushButton::clicked, this,
            guarded([this](auto...) { clearComparison(); }));
    connect(savePictureButton_, &QPushButton::clicked, this,
            guarded([this](auto...) { savePicture(); }));
    connect(saveTableButton_, &QPushButton::clicked, this,
            guarded([this](auto...) { saveTable(); }));

    const auto shortcut = [this](const QKeySequence& keys, auto handler) {
        auto* made = new QShortcut(keys, this);
        made->setContext(Qt::WindowShortcut);
        connect(made, &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence::Find, [this] {
        findBox_->setFocus(Qt::ShortcutFocusReason);
        findBox_->selectAll();
    });
    shortcut(QKeySequence::ZoomIn, [this] { view_->zoomIn(); });
    // Plus shares its key with '=' on most keyboards.
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { view_->zoomIn(); });
    shortcut(QKeySequence::ZoomOut, [this] { view_->zoomOut(); });
}

void BalanceMapWindow::open() {
    if (!document_.hasData()) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    // An entry that cannot be read throws with its reader's box: the window stays closed.
    scripts_.read();
    recompute();
    recomputeCompared();
    if (!isVisible()) {
        openedWith_ = matrix_;
    }
    refreshView();
    // The map opens fitted to the window, and stays so while it is resized, until a zoom.
    view_->fitToWindow();
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

std::shared_ptr<const game::BalanceMatrix> BalanceMapWindow::matrixOf(
    const model::UnitDataTable& table) const {
    // Times from an earlier reading are no answer to this one: without a walked script the
    // map shows nothing.
    return game::anyScriptWalked(scripts_.walked()) ? std::make_shared<const game::BalanceMatrix>(
                                                          game::matchups(table, scripts_.summary()))
                                                    : std::make_shared<const game::BalanceMatrix>();
}

void BalanceMapWindow::recompute() {
    matrix_ = matrixOf(document_.unitData);
}

void BalanceMapWindow::recomputeCompared() {
    comparedMatrix_ = compared_ ? matrixOf(*compared_) : nullptr;
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
    content.comparedWith = comparedMatrix_;
    scope.start =
        startBox_->currentIndex() == 0 ? game::DuelStart::PointBlank : game::DuelStart::MaxDistance;
    scope.shows = mapShowsOf(showBox_->currentIndex());
    scope.columns = shownColumns();
    scope.rows = shownRows();
    if (orderBox_->currentIndex() == kStrongestFirst) {
        scope.rows =
            game::strongestFirst(*matrix_, scope.start, scope.shows, scope.rows, scope.columns);
        scope.columns =
            game::strongestFirst(*matrix_, scope.start, scope.shows, scope.columns, scope.columns);
    } else if (orderBox_->currentIndex() == kMostWinsFirst) {
        scope.rows = game::mostWinsFirst(*matrix_, scope);
    }
    if (comparedMatrix_) {
        std::size_t changed = 0;
        for (const std::size_t a : scope.rows) {
            for (const std::size_t b : scope.columns) {
                if (game::standingDiffers(*matrix_, *comparedMatrix_, a, b, scope.start,
                                          scope.shows)) {
                    ++changed;
                }
            }
        }
        comparedLabel_->setText(QString::fromStdString(game::changedWinnersText(changed)));
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
                          content.matrix->duel(pair->a, pair->b, content.scope.start),
                          content.matrix->costs(pair->a, pair->b), content.scope.shows);
    hoverText_->setText(QString::fromStdString(text));
    view_->viewport()->setToolTip(hoverText_->text());
}

void BalanceMapWindow::findTypedUnit(const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        return;
    }
    const auto& rows = view_->content().scope.rows;
    const auto rowWhere = [&](auto matches) -> std::optional<int> {
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (matches(unitName_(rows[row]))) {
                return static_cast<int>(row);
            }
        }
        return std::nullopt;
    };
    auto found =
        rowWhere([&](const QString& name) { return name.startsWith(typed, Qt::CaseInsensitive); });
    if (!found) {
        found = rowWhere(
            [&](const QString& name) { return name.contains(typed, Qt::CaseInsensitive); });
    }
    if (found) {
        view_->frameRow(*found);
    }
}

QString BalanceMapWindow::documentFolder() const {
    return QFileInfo(platform::fileNameFromBytes(document_.fileName)).path();
}

void BalanceMapWindow::compareWithFile() {
    auto compared = chooseFileToCompare(prompts_, document_, readFile_);
    if (!compared) {
        return;
    }
    compared_ = std::move(compared->units);
    comparedName_ = compared->name;
    const QString& name = comparedName_;
    comparedLabel_->setToolTip("Outlined: the duels whose winner differs in " + name);
    comparedLabel_->show();
    clearComparisonButton_->setEnabled(true);
    recomputeCompared();
    refreshView();
}

void BalanceMapWindow::clearComparison() {
    compared_.reset();
    comparedName_.clear();
    comparedLabel_->hide();
    clearComparisonButton_->setEnabled(false);
    recomputeCompared();
    refreshView();
}

std::vector<std::string> BalanceMapWindow::unitNames() const {
    std::vector<std::string> names;
    for (const QString& name : view_->content().names) {
        names.push_back(name.toStdString());
    }
    return names;
}

void BalanceMapWindow::savePicture() {
    const BalanceMapContent& content = view_->content();
    if (!content.matrix || content.scope.rows.empty() || content.scope.columns.empty()) {
        prompts_.warning(emptyMap_->text());
        return;
    }
    const auto chosen =
        prompts_.chooseFileToSave({"Save Picture", "PNG Picture (*.png)|*.png", 1, "png",
                                   documentFolder(), "balance-map.png", false});
    if (!chosen) {
        return;
    }
    const std::vector<std::string> names = unitNames();
    const game::BalanceMapTexts texts =
        game::balanceMapTexts(*content.matrix, content.scope, names);
    const graphics::RgbPicture picture =
        game::drawBalanceMap(*content.matrix, content.scope, texts,
                             game::balanceMapLayout(texts, game::kDefaultCellSize));
    const QImage image(picture.pixels().data(), picture.width(), picture.height(),
                       picture.width() * 3, QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw Error("The picture could not be encoded as PNG");
    }
    platform::saveWholeFile(*chosen, bytesOf(png));
}

void BalanceMapWindow::saveTable() {
    const BalanceMapContent& content = view_->content();
    if (!content.matrix) {
        return;
    }
    const auto chosen =
        prompts_.chooseFileToSave({"Save Table", "CSV Table (*.csv)|*.csv", 1, "csv",
                                   documentFolder(), "balance-map.csv", false});
    if (!chosen) {
        return;
    }
    // The shown duels in the shown order, as the tool writes them all.
    std::vector<game::Matchup> shown;
    for (const std::size_t a : content.scope.rows) {
        for (const std::size_t b : content.scope.columns) {
            if (const game::Matchup* pair = content.matrix->matchup(a, b)) {
                shown.push_back(*pair);
            }
        }
    }
    const std::string csv = game::matchupCsv(shown, unitNames());
    platform::saveWholeFile(
        *chosen, std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
}

}  // namespace tarnwick::ui
