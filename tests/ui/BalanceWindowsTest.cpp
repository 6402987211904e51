// The pointer reaches the window it is aimed at, as on a desktop where that window is in front,
// even where the offscreen screen has another window at the same place.
#define QTEST_QPA_MOUSE_HANDLING

#include <functional>
#include <set>

#include <QScrollBar>
#include <QStyleOptionButton>

#include "DemoScenario.h"
#include "UiTestSupport.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
#include "core/game/BalanceMapPicture.h"
#include "core/game/MatchupTable.h"
#include "core/game/UnitRaces.h"
#include "platform/FileStore.h"
#include "ui/balance/BalanceCalculator.h"
#include "ui/balance/BalanceMapWindow.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

namespace {

// Units of the demo game: a land unit that walks 16 ticks a tile and a tower of range 6.
constexpr int kPikeman = 0;
constexpr int kSentinel5 = 96;

// Worked by hand for the demo scenario and the demo scripts:
// Pikeman: 30 hit points, armour 0, damage 3 + 2 piercing, range 1, one attack in 18 ticks,
// 32 x 4 / 8 = 16 ticks a tile. Sentinel 5, a tower: 912 hit points, armour 16, damage 4 + 12
// piercing, range 6, arrows, no opcode 10 and a wait of 50 (one attack in 50 ticks).
// Pikeman on tower: (2 + 0) x 0.75 / 18 = 1/12 a tick, 912 x 12 = 10944 ticks = 304 s, from
// either distance (the pikeman has the shorter range). Tower on pikeman: (12 + 4) x 0.75 / 50
// = 0.24 a tick, 30 / 0.24 = 125 ticks; during the pikeman's walk of 5 tiles it deals
// 0.24 x 5 x 16 = 19.2, so (30 - 19.2) / 0.24 = 45 ticks = 1.25 s.
const QStringList kPairInSeconds = {
    "If units start at point blank:",
    "   Time for Pikeman(a) to kill Sentinel 5(b): 304",
    "   Time for Sentinel 5(b) to kill Pikeman(a): 3.47222222222222",
    "",
    "If units start at maximum distance and move into range:",
    "(Time is measured from when both units are in firing range)",
    "   Time for Pikeman(a) to kill Sentinel 5(b): 304",
    "   Time for Sentinel 5(b) to kill Pikeman(a): 1.25",
};

// The demo's entry 278: unit offsets at 0 to 209, then the standing script shared by most
// animations ({4 0, 1 50, 15, 3 to itself}).
constexpr std::size_t kStandingScript = 210;

// Where the script of `animation` of `unit` starts in an animation entry.
std::size_t scriptStart(const demo::Bytes& entry, std::size_t unit, std::size_t animation) {
    const std::size_t list = bytes::readLe(entry, 2 * unit, 2);
    return bytes::readLe(entry, list + 2 * animation, 2);
}

// Replaces entry 278 of the game's MAINDAT.WAR, stored as is or with a header of its own.
void replaceAnimationEntry(const QString& game, const demo::Bytes& data,
                           std::optional<std::uint32_t> header = std::nullopt) {
    const QString path = QDir(game).filePath("DATA/MAINDAT.WAR");
    NoProgress quiet;
    platform::saveWholeFile(
        path, archive::insertEntry(platform::readWholeFile(path), 278,
                                   header.value_or(archive::entryHeader(data.size(), false)), data,
                                   quiet));
}

QStringList lines(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) {
        texts << list->item(row)->text();
    }
    return texts;
}

// Where a pair's row and column lie in the map as shown; nothing when the pair is not shown.
std::optional<QPoint> shownCell(const ui::BalanceMapView& view, std::size_t a, std::size_t b) {
    const auto& rows = view.content().scope.rows;
    const auto& columns = view.content().scope.columns;
    const auto row = std::ranges::find(rows, a) - rows.begin();
    const auto column = std::ranges::find(columns, b) - columns.begin();
    if (row == std::ssize(rows) || column == std::ssize(columns)) {
        return std::nullopt;
    }
    return QPoint(static_cast<int>(column), static_cast<int>(row));
}

// Where a pair's cell lies in the viewport, scrolled into sight; (-1, -1) when the pair is not
// shown.
QPoint cellCentre(ui::BalanceMapView& view, std::size_t a, std::size_t b) {
    const auto cell = shownCell(view, a, b);
    if (!cell) {
        return {-1, -1};
    }
    view.showCell(cell->y(), cell->x());
    return view.cellRect(cell->y(), cell->x()).center();
}

// The cells drawn with an outline of `colour`, as (A, B) pairs, page by page as a user scrolls:
// the outline runs down the left edge of a cell, below the one-sided mark.
std::set<std::pair<std::size_t, std::size_t>> outlinedCells(ui::BalanceMapView& view,
                                                            const QColor& colour = Qt::black) {
    std::set<std::pair<std::size_t, std::size_t>> outlined;
    const auto& content = view.content();
    QScrollBar* across = view.horizontalScrollBar();
    QScrollBar* down = view.verticalScrollBar();
    // Whole cells a page: a cell cut by the edge of one page is whole on the next.
    const int side = view.cellSize();
    const int downStep = std::max(1, view.cellArea().height() / side) * side;
    const int acrossStep = std::max(1, view.cellArea().width() / side) * side;
    for (int top = 0;; top += downStep) {
        down->setValue(top);
        for (int left = 0;; left += acrossStep) {
            across->setValue(left);
            const QImage picture = view.viewport()->grab().toImage();
            for (std::size_t row = 0; row < content.scope.rows.size(); ++row) {
                for (std::size_t column = 0; column < content.scope.columns.size(); ++column) {
                    const QRect cell =
                        view.cellRect(static_cast<int>(row), static_cast<int>(column));
                    const QPoint edge(cell.left() + 1, cell.top() + cell.height() * 3 / 4);
                    if (view.cellArea().contains(cell) && picture.pixelColor(edge) == colour) {
                        outlined.insert({content.scope.rows[row], content.scope.columns[column]});
                    }
                }
            }
            if (left >= across->maximum()) {
                break;
            }
        }
        if (top >= down->maximum()) {
            break;
        }
    }
    return outlined;
}

// What the viewport shows in `area`.
QImage shown(ui::BalanceMapView& view, const QRect& area) {
    return view.viewport()->grab(area).toImage();
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return true;
            }
        }
    }
    return false;
}

// A winner as the times tell it: +1 A, -1 B, 0 even, nothing where neither can hurt.
std::optional<int> winnerOf(const game::DuelTimes& times) {
    switch (game::verdictOf(times)) {
        case game::Verdict::Neither:
            return std::nullopt;
        case game::Verdict::OnlyA:
        case game::Verdict::AWins:
            return 1;
        case game::Verdict::OnlyB:
        case game::Verdict::BWins:
            return -1;
        case game::Verdict::Even:
            break;
    }
    return 0;
}

}  // namespace

class BalanceWindowsTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void withoutADocumentItWarnsAndStaysClosed() {
        QVERIFY(!runGameBalance([](ui::BalanceCalculator&) {}));
        QCOMPARE(h_->prompts.texts(), QStringList{kNoFileLoaded});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Warning"));
    }

    void aPairChosenAsAUserDoesGivesItsLinesInSecondsOrTicks() {
        openDemoScenario();
        QVERIFY(runGameBalance([&](ui::BalanceCalculator& window) {
            QCOMPARE(in<QLabel>(window, "warningLabel")->text(),
                     QString("WARNING! A few factors stilll reamain un-accounted for!"));
            auto* unitA = in<QComboBox>(window, "unitAList");
            QCOMPARE(unitA->count(), 105);
            QCOMPARE(unitA->itemText(104), list()->item(104)->text());
            QCOMPARE(unitA->currentIndex(), -1);
            QTest::keyClick(unitA, Qt::Key_Down);   // the first unit, Pikeman
            QCOMPARE(results(window)->count(), 0);  // unit B not chosen yet
            chooseWithMouse(in<QComboBox>(window, "unitBList"), kSentinel5);
            QCOMPARE(lines(results(window)), kPairInSeconds);
            auto* seconds = in<QCheckBox>(window, "timeInSecondsBox");
            clickCheckBox(seconds);
            // The same duel in ticks (the conversion itself is the duel's own test).
            QCOMPARE(results(window)->item(1)->text(),
                     QString("   Time for Pikeman(a) to kill Sentinel 5(b): 10944"));
        }));
        QVERIFY(h_->prompts.shown.empty());

        // Edits not saved yet count; the check box keeps its state for the run.
        h_->document.unitData.set(uf::hitPoints, std::size_t{kPikeman}, 60);
        QVERIFY(runGameBalance([&](ui::BalanceCalculator& window) {
            QVERIFY(!in<QCheckBox>(window, "timeInSecondsBox")->isChecked());
            QCOMPARE(in<QComboBox>(window, "unitBList")->currentIndex(), -1);
            chooseWithMouse(in<QComboBox>(window, "unitAList"), kPikeman);
            chooseWithMouse(in<QComboBox>(window, "unitBList"), kSentinel5);
            // 60 / 0.24 = 250 ticks.
            QCOMPARE(results(window)->item(2)->text(),
                     QString("   Time for Sentinel 5(b) to kill Pikeman(a): 250"));
        }));
    }

    void failedWalksMakeOneBoxAndKeepWhatTheLastOpeningFound() {
        QTemporaryDir game;
        demo::writeDemoGameDirectory(game.path());
        startShownWithGame(game.path());
        openDemoScenario();
        const auto choosePair = [&](ui::BalanceCalculator& window) {
            chooseWithMouse(in<QComboBox>(window, "unitAList"), kPikeman);
            chooseWithMouse(in<QComboBox>(window, "unitBList"), kSentinel5);
        };
        QVERIFY(runGameBalance(choosePair));

        // While the program runs, the standing script that most animations share and the
        // pikeman's attack script (shared with unit 50) go bad: 557 + 2 failed walks.
        demo::Bytes scripts = demo::demoAnimations();
        QCOMPARE(scriptStart(scripts, 104, 0), kStandingScript);
        scripts[kStandingScript] = 0x20;
        const std::size_t attack = scriptStart(scripts, std::size_t{kPikeman}, 4);
        scripts[attack] = 0xFF;
        replaceAnimationEntry(game.path(), scripts);
        QVERIFY(runGameBalance([&](ui::BalanceCalculator& window) {
            QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
            const QStringList report = h_->prompts.texts()[0].split('\n');
            QCOMPARE(report.size(), 21);
            QCOMPARE(report[0], QString("Invalid instruction! error: IP=$00D2 OpCode=$20"));
            QCOMPARE(report[2],
                     QString("Invalid instruction! error: IP=$%1 OpCode=$FF")
                         .arg(QString::number(attack, 16).toUpper().rightJustified(4, QChar('0'))));
            QCOMPARE(report[20], QString("... and 539 more"));
            choosePair(window);
            QCOMPARE(lines(results(window)), kPairInSeconds);
        }));
    }

    void anUnreadableEntryShowsTheReadersMessageAndTheWindowStaysClosed() {
        QTemporaryDir game;
        demo::writeDemoGameDirectory(game.path());
        // A compressed entry that ends long before the 5000 bytes it claims.
        replaceAnimationEntry(game.path(), {0xFF, 'a', 'b'}, archive::entryHeader(5000, true));
        startShownWithGame(game.path());
        openDemoScenario();
        QVERIFY(!runGameBalance([](ui::BalanceCalculator&) {}));
        QCOMPARE(
            h_->prompts.texts(),
            QStringList{kFatalExtraction + "The compressed data ends before its declared length"});
    }

    void theMapTellsADuelUnderThePointerAndOpensItsComparisonOnAClick() {
        QVERIFY(!runModal(h_->window.menus().balanceMap, [](QDialog&) {}));
        QCOMPARE(h_->prompts.texts(), QStringList{kNoFileLoaded});
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        QCOMPARE(map.windowTitle(), QString("Balance Map"));
        auto* hover = in<QLabel>(map, "hoverLabel");
        ui::BalanceMapView& view = map.view();

        // 304 s against 3.47 s from point blank; from the greatest distance the tower has
        // shot the pikeman half dead before it arrives: 1.25 s, shown to a tenth.
        QWidget* cells = view.viewport();
        QTest::mouseMove(cells, cellCentre(view, kPikeman, kSentinel5));
        QCOMPARE(hover->text(), QString("Sentinel 5 beats Pikeman: 3.5 s against 304.0 s"));
        QTest::mouseMove(cells, cellCentre(view, kSentinel5, kPikeman));
        QCOMPARE(hover->text(), QString("Sentinel 5 beats Pikeman: 3.5 s against 304.0 s"));
        // Just right of the last column and just below the last row lies no duel.
        const int lastRow = static_cast<int>(view.content().scope.rows.size()) - 1;
        const int lastColumn = static_cast<int>(view.content().scope.columns.size()) - 1;
        view.showCell(lastRow, lastColumn);
        const QRect last = view.cellRect(lastRow, lastColumn);
        for (const QPoint past : {QPoint(last.right() + 1, last.center().y()),
                                  QPoint(last.center().x(), last.bottom() + 1)}) {
            QTest::mouseMove(cells, last.center());
            QVERIFY(view.hoveredPair());
            QTest::mouseMove(cells, past);
            QVERIFY(!view.hoveredPair());
        }

        // For the cost: the costs typed on the pages, gold + lumber + oil.
        select(kPikeman);
        for (const auto& [field, typed] :
             {std::pair{"goldBox", "500"}, {"lumberBox", "0"}, {"oilBox", "100"}}) {
            box(field)->selectAll();
            QTest::keyClicks(box(field), typed);
        }
        select(kSentinel5);
        for (const auto& [field, typed] :
             {std::pair{"goldBox", "1200"}, {"lumberBox", "300"}, {"oilBox", "0"}}) {
            box(field)->selectAll();
            QTest::keyClicks(box(field), typed);
        }
        QTest::keyClick(in<QComboBox>(map, "showBox"), Qt::Key_End);  // "Who wins for the cost"
        QCOMPARE(view.content().scope.shows, game::MapShows::Cost);
        QTest::mouseMove(cells, cellCentre(view, kPikeman, kSentinel5));
        QCOMPARE(hover->text(),
                 QString("Sentinel 5 beats Pikeman for the cost: 3.5 s against 304.0 s, 1500 "
                         "against 600"));
        QTest::keyClick(in<QComboBox>(map, "showBox"), Qt::Key_Home);

        QTest::keyClick(in<QComboBox>(map, "startBox"), Qt::Key_Down);
        QTest::mouseMove(cells, cellCentre(view, kPikeman, kSentinel5));
        QCOMPARE(hover->text(), QString("Sentinel 5 beats Pikeman: 1.3 s against 304.0 s"));
        QCOMPARE(in<QLabel>(map, "legendTitle")->text(),
                 QString("Who wins from the greatest distance (the loser's time to kill : the "
                         "winner's)"));

        // A click, and from the clicked cell the keys: one step left, then Enter.
        const auto& columns = view.content().scope.columns;
        const std::size_t leftOfTower = *(std::ranges::find(columns, kSentinel5) - 1);
        const QString leftName = list()->item(static_cast<int>(leftOfTower))->text();
        QStringList compared;
        const auto readCompare = [&] {
            QTimer::singleShot(0, &map, [&] {
                auto* calculator =
                    qobject_cast<ui::BalanceCalculator*>(QApplication::activeModalWidget());
                QVERIFY(calculator != nullptr);
                compared = {in<QComboBox>(*calculator, "unitAList")->currentText(),
                            in<QComboBox>(*calculator, "unitBList")->currentText()};
                compared += lines(results(*calculator));
                calculator->close();
            });
        };
        readCompare();
        QTest::mouseClick(cells, Qt::LeftButton, {}, cellCentre(view, kPikeman, kSentinel5));
        QCOMPARE(compared, QStringList({"Pikeman", "Sentinel 5"}) + kPairInSeconds);
        QTest::keyClick(&view, Qt::Key_Left);
        QVERIFY(hover->text().contains(leftName));
        readCompare();
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(compared.mid(0, 2), QStringList({"Pikeman", leftName}));
        QVERIFY(h_->prompts.shown.size() == 1);
    }

    void namesStayWhileTheCellsScrollAndTheKeysMoveTheFrameAsLittleAsNeeded() {
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        ui::BalanceMapView& view = map.view();
        QVERIFY(view.isFitted());
        // Larger cells, as a reader zooms in: the map no longer fits.
        while (view.cellSize() < 24) {
            QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
        }
        QVERIFY(!view.isFitted());
        QScrollBar* across = view.horizontalScrollBar();
        QScrollBar* down = view.verticalScrollBar();
        QVERIFY(across->maximum() > 0 && down->maximum() > 0);
        across->setValue(0);
        down->setValue(0);
        const QRect area = view.cellArea();
        const int cell = view.cellSize();
        // A row's name is the strip beside its cells, a column's the strip above them.
        const auto rowName = [&](int row) {
            const QRect rect = view.cellRect(row, 0);
            return shown(view, QRect(0, rect.top(), area.left(), rect.height()));
        };
        const auto columnName = [&](int column) {
            const QRect rect = view.cellRect(0, column);
            return shown(view, QRect(rect.left(), 0, rect.width(), area.top()));
        };
        // Near the bottom and the right edge: still in sight after two cells' scroll.
        const int row = area.height() / cell - 3;
        const int column = area.width() / cell - 3;
        const QImage name = rowName(row);
        const QImage columnTitle = columnName(column);
        QVERIFY(hasInk(name) && hasInk(columnTitle));
        QVERIFY(name != rowName(row + 1));
        QVERIFY(columnTitle != columnName(column + 1));
        down->setValue(2 * cell + 3);
        QCOMPARE(rowName(row), name);  // moved up with its row
        across->setValue(across->maximum());
        QCOMPARE(rowName(row), name);  // and stays at the left
        across->setValue(2 * cell + 3);
        QCOMPARE(columnName(column), columnTitle);
        down->setValue(down->maximum());
        QCOMPARE(columnName(column), columnTitle);

        // From the last switch the first Tab reaches the map; the first arrow frames the first
        // cell, scrolled into sight; the next ones move the frame, scrolling only as needed.
        auto* lastSwitch = in<QCheckBox>(map, "outlineChangesBox");
        lastSwitch->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lastSwitch, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&view));
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(std::pair(across->value(), down->value()), std::pair(0, 0));
        QTest::keyClick(&view, Qt::Key_Right);
        const auto& scope = view.content().scope;
        QVERIFY(view.hoveredPair());
        QCOMPARE(view.hoveredPair()->a, scope.rows[0]);
        QCOMPARE(view.hoveredPair()->b, scope.columns[1]);
        const int whole = area.height() / cell;  // rows wholly in sight
        for (int step = 0; step < whole; ++step) {
            QTest::keyClick(&view, Qt::Key_Down);
        }
        QCOMPARE(view.hoveredPair()->a, scope.rows[static_cast<std::size_t>(whole)]);
        QCOMPARE(down->value(), (whole + 1) * cell - area.height());
        QCOMPARE(across->value(), 0);
        QTest::keyClick(&view, Qt::Key_Up);
        QCOMPARE(down->value(), (whole + 1) * cell - area.height());

        // The framed cell's names are lit; its neighbours' are not.
        const auto isLit = [](const QImage& image) {
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.blue() > pixel.red() + 100) {
                        return true;
                    }
                }
            }
            return false;
        };
        QVERIFY(isLit(rowName(whole - 1)));
        QVERIFY(!isLit(rowName(whole - 2)));
        QVERIFY(isLit(columnName(1)));
        QVERIFY(!isLit(columnName(2)));
    }

    void fitShowsEveryCellAndZoomAndFindGoWhereTheUserAsks() {
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        map.resize(1400, 1000);
        ui::BalanceMapView& view = map.view();
        QTRY_VERIFY(view.isFitted());
        const int fitted = view.cellSize();
        // Ctrl and the wheel zoom in, Ctrl+Minus out.
        const QPoint middle = view.cellArea().center();
        QWheelEvent turn(middle, view.viewport()->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &turn);
        QVERIFY(view.cellSize() > fitted);
        QVERIFY(!view.isFitted());
        const int zoomed = view.cellSize();
        QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(view.cellSize() < zoomed);
        QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);

        QTest::mouseClick(in<QPushButton>(map, "fitButton"), Qt::LeftButton);
        QVERIFY(view.isFitted());
        QCOMPARE(view.cellSize(), fitted);
        const auto& content = view.content();
        const int rows = static_cast<int>(content.scope.rows.size());
        const int columns = static_cast<int>(content.scope.columns.size());
        QVERIFY(view.cellArea().contains(view.cellRect(0, 0)));
        QVERIFY(view.cellArea().contains(view.cellRect(rows - 1, columns - 1)));
        const QImage picture = view.viewport()->grab().toImage();
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const std::size_t a = content.scope.rows[static_cast<std::size_t>(row)];
                const std::size_t b = content.scope.columns[static_cast<std::size_t>(column)];
                const QRect cell = view.cellRect(row, column);
                // The middle of the cell's left edge: below any one-sided mark.
                const QPoint inside(cell.left() + 1, cell.top() + cell.height() / 2);
                const game::Rgb colour = game::cellColour(
                    content.matrix->duel(a, b, content.scope.start), content.matrix->costs(a, b),
                    content.scope.shows, content.scale);
                QCOMPARE(picture.pixelColor(inside), QColor(colour.red, colour.green, colour.blue));
            }
        }

        // Ctrl+F and a name typed: its row is framed and in sight.
        while (view.cellSize() < 30) {
            QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
        }
        QTest::keyClick(&map, Qt::Key_F, Qt::ControlModifier);
        auto* find = in<QLineEdit>(map, "findBox");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(find));
        QTest::keyClicks(find, "sentinel 5");
        QVERIFY(view.hoveredPair());
        QCOMPARE(view.hoveredPair()->a, std::size_t{kSentinel5});
        const auto framed = shownCell(view, kSentinel5, view.hoveredPair()->b);
        QVERIFY(view.cellArea().contains(view.cellRect(framed->y(), framed->x())));
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&view));
    }

    void compareWithFileOutlinesTheDuelsWhoseWinnerTheEditsChanged() {
        openDemoScenario();
        const QString before = dir_.filePath("demo.pud");
        ui::BalanceMapWindow& map = openBalanceMap();
        ui::BalanceMapView& view = map.view();
        // The pikeman grows tough: it now outlasts some it lost to.
        select(kPikeman);
        box("hitPointsBox")->selectAll();
        QTest::keyClicks(box("hitPointsBox"), "400");
        h_->prompts.filesToOpen.push_back(before);
        QTest::mouseClick(in<QPushButton>(map, "mapCompareButton"), Qt::LeftButton);
        QCOMPARE(h_->prompts.lastOpenChooser().title, QString("Compare with File"));

        const game::BalanceMatrix opened(
            game::matchups(demo::demoScenario().unitData,
                           game::summariseAnimations(demo::demoAnimations()).summary));
        const auto& content = view.content();
        std::set<std::pair<std::size_t, std::size_t>> changed;
        for (const std::size_t a : content.scope.rows) {
            for (const std::size_t b : content.scope.columns) {
                if (winnerOf(opened.duel(a, b, content.scope.start)) !=
                    winnerOf(content.matrix->duel(a, b, content.scope.start))) {
                    changed.insert({a, b});
                }
            }
        }
        QVERIFY(changed.size() > 1);
        QVERIFY(changed.size() < 2 * game::kAnimatedUnitCount);
        auto* count = in<QLabel>(map, "comparedLabel");
        QVERIFY(count->isVisible());
        QCOMPARE(count->text(), QString("%1 duels change their winner").arg(changed.size()));
        while (view.cellSize() < 16) {
            QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
        }
        QCOMPARE(outlinedCells(view, QColor(255, 140, 0)), changed);

        QTest::mouseClick(in<QPushButton>(map, "mapClearComparisonButton"), Qt::LeftButton);
        QVERIFY(!count->isVisible());
        QVERIFY(outlinedCells(view, QColor(255, 140, 0)).empty());
    }

    void savePictureAndSaveTableWriteTheViewShownAsTheToolWrites() {
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        QTest::keyClicks(in<QComboBox>(map, "raceBox"), "O");  // "Orc"
        const auto& content = map.view().content();
        std::vector<std::string> names;
        for (int unit = 0; unit < static_cast<int>(game::kAnimatedUnitCount); ++unit) {
            names.push_back(list()->item(unit)->text().toStdString());
        }

        // The tool's table of every pair, with only the rows of the orcs.
        h_->prompts.filesToSave.push_back(dir_.filePath("map.csv"));
        QTest::mouseClick(in<QPushButton>(map, "saveTableButton"), Qt::LeftButton);
        const auto summary = game::summariseAnimations(demo::demoAnimations()).summary;
        QStringList expected;
        for (const QString& line :
             QString::fromStdString(game::matchupTableCsv(h_->document.unitData, summary, names))
                 .split('\n', Qt::SkipEmptyParts)) {
            const bool isHeader = line.startsWith("a_id,");
            if (isHeader || game::raceOf(line.section(',', 0, 0).toULong()) == game::Race::Orc) {
                expected << line;
            }
        }
        QVERIFY(expected.size() > 100);
        const auto saved = platform::readWholeFile(dir_.filePath("map.csv"));
        QCOMPARE(QString::fromUtf8(reinterpret_cast<const char*>(saved.data()),
                                   static_cast<qsizetype>(saved.size()))
                     .split('\n', Qt::SkipEmptyParts),
                 expected);

        // The picture of the rows shown, at the tool's cells of 12 pixels.
        h_->prompts.filesToSave.push_back(dir_.filePath("map.png"));
        QTest::mouseClick(in<QPushButton>(map, "savePictureButton"), Qt::LeftButton);
        QCOMPARE(h_->prompts.lastSaveChooser().title, QString("Save Picture"));
        const QImage image(dir_.filePath("map.png"));
        const game::BalanceMapTexts texts =
            game::balanceMapTexts(*content.matrix, content.scope, names);
        const graphics::RgbPicture drawn =
            game::drawBalanceMap(*content.matrix, content.scope, texts,
                                 game::balanceMapLayout(texts, game::kDefaultCellSize));
        QCOMPARE(image.size(), QSize(drawn.width(), drawn.height()));
        for (int y = 0; y < drawn.height(); y += 3) {
            for (int x = 0; x < drawn.width(); x += 3) {
                const graphics::Rgb pixel = drawn.pixel(x, y);
                QCOMPARE(image.pixelColor(x, y), QColor(pixel.red, pixel.green, pixel.blue));
            }
        }
        QVERIFY(h_->prompts.shown.empty());
    }

    void theMapFollowsEditsAndOutlinesTheDuelsTheyChanged() {
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        ui::BalanceMapView& view = map.view();
        clickCheckBox(in<QCheckBox>(map, "outlineChangesBox"));
        QVERIFY(outlinedCells(view).empty());

        // The pikeman hits harder, typed on its page as a user does.
        select(kPikeman);
        QLineEdit* damage = box("basicDamageBox");
        damage->selectAll();
        QTest::keyClicks(damage, "9");
        QTRY_VERIFY(!outlinedCells(view).empty());
        const auto outlined = outlinedCells(view);
        for (const auto& [a, b] : outlined) {
            QVERIFY(a == kPikeman || b == kPikeman);
        }
        // The tower's armour of 16 still swallows 9 damage; the pikeman's arrows of 2 decide.
        QVERIFY(!outlined.contains({kPikeman, kSentinel5}));
        const QString before = hoverTextOver(map, kPikeman, 0);

        h_->window.menus().undo->trigger();
        QTRY_VERIFY(outlinedCells(view).empty());
        QVERIFY(hoverTextOver(map, kPikeman, 0) != before);
    }

    void filtersChooseTheRowsAndColumnsAndOrderPutsTheStrongestFirst() {
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        const auto& content = map.view().content();
        QCOMPARE(content.scope.rows, content.matrix->units());
        QTest::keyClicks(in<QComboBox>(map, "raceBox"), "O");  // "Orc"
        QVERIFY(!content.scope.rows.empty());
        for (const std::size_t unit : content.scope.rows) {
            QCOMPARE(game::raceOf(unit), game::Race::Orc);
        }
        QCOMPARE(content.scope.columns, content.matrix->units());
        clickCheckBox(in<QCheckBox>(map, "landOnlyBox"));
        for (const std::size_t unit : content.scope.columns) {
            QVERIFY(h_->document.unitData.get(uf::flags, unit) & game::kLandUnitFlag);
        }
        QVERIFY(content.scope.columns.size() < content.matrix->units().size());

        QTest::keyClick(in<QComboBox>(map, "orderBox"), Qt::Key_Down);
        const auto strength = [&](std::size_t row) {
            double sum = 0;
            int counted = 0;
            for (const std::size_t column : content.scope.columns) {
                if (const auto log = game::outcomeLog(
                        content.matrix->duel(row, column, game::DuelStart::PointBlank))) {
                    sum += *log;
                    ++counted;
                }
            }
            return counted > 0 ? sum / counted : 0.0;
        };
        for (std::size_t row = 1; row < content.scope.rows.size(); ++row) {
            QVERIFY(strength(content.scope.rows[row - 1]) >= strength(content.scope.rows[row]));
        }

        // Only the units that differ from the game's defaults: none of the demo's, then the
        // one just changed.
        QTest::keyClick(in<QComboBox>(map, "raceBox"), Qt::Key_Home);  // "All races"
        clickCheckBox(in<QCheckBox>(map, "changedUnitsBox"));
        const std::size_t changedBefore = content.scope.rows.size();
        select(kPikeman);
        box("hitPointsBox")->selectAll();
        QTest::keyClicks(box("hitPointsBox"), "77");
        QTRY_COMPARE(content.scope.rows.size(), changedBefore + 1);
        QVERIFY(std::ranges::find(content.scope.rows, kPikeman) != content.scope.rows.end());
    }

    void withoutAWalkableScriptTheMapSaysSoAndDrawsNothing() {
        QTemporaryDir game;
        demo::writeDemoGameDirectory(game.path());
        // Every unit's list lies outside the entry: not one walk can start.
        replaceAnimationEntry(game.path(), demo::Bytes(210, 0xFF));
        startShownWithGame(game.path());
        openDemoScenario();
        ui::BalanceMapWindow& map = openBalanceMap();
        QCOMPARE(h_->prompts.texts()[0].split('\n').last(), QString("... and 715 more"));
        auto* empty = in<QLabel>(map, "emptyMapLabel");
        QVERIFY(empty->isVisible());
        QCOMPARE(empty->text(),
                 QString("No animation script could be walked: the balance map shows nothing"));
        QVERIFY(map.view().content().scope.rows.empty());
    }

  private:
    ui::BalanceMapWindow& openBalanceMap() {
        h_->window.menus().balanceMap->trigger();
        auto* map = h_->window.findChild<ui::BalanceMapWindow*>("balanceMap");
        if (map == nullptr || !QTest::qWaitForWindowExposed(map)) {
            qFatal("the balance map did not open");
        }
        return *map;
    }

    // What the map says while the pointer rests on the duel of `a` against `b`.
    static QString hoverTextOver(ui::BalanceMapWindow& map, std::size_t a, std::size_t b) {
        const QPoint cell = cellCentre(map.view(), a, b);
        QTest::mouseMove(map.view().viewport(), QPoint(1, 1));  // from the corner of the names
        QTest::mouseMove(map.view().viewport(), cell);
        return in<QLabel>(map, "hoverLabel")->text();
    }

    // Runs "&Game Balance". While the modal window is open `whileOpen` drives it, then it is
    // closed with its close box. Returns whether the window opened.
    bool runGameBalance(const std::function<void(ui::BalanceCalculator&)>& whileOpen) {
        return runModal<ui::BalanceCalculator>(h_->window.menus().gameBalance,
                                               [&](ui::BalanceCalculator& window) {
                                                   whileOpen(window);
                                                   window.close();
                                               });
    }

    void openDemoScenario() {
        const QString path = dir_.filePath("demo.pud");
        platform::saveWholeFile(path, files::writeScenario(demo::demoScenario()));
        h_->window.openFile(path);
        QVERIFY(h_->document.isLoaded);
    }

    template <typename T>
    static T* in(const QWidget& window, const char* name) {
        return control<T>(window, name);
    }
    static QListWidget* results(const QWidget& window) {
        return in<QListWidget>(window, "resultList");
    }

    // Opens the list with a click and clicks on entry `row` of its popup.
    static void chooseWithMouse(QComboBox* units, int row) {
        QTest::mouseClick(units, Qt::LeftButton);
        QAbstractItemView* view = units->view();
        QTRY_VERIFY(view->isVisible());
        // The popup ignores a release that comes as quickly as a double click.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QModelIndex entry = view->model()->index(row, 0);
        view->scrollTo(entry);
        const QPoint at = view->visualRect(entry).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(units->currentIndex(), row);
    }

    // A click on the box itself, where a user aims.
    static void clickCheckBox(QCheckBox* box) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    }

    QTemporaryDir dir_;
};

TARNWICK_UI_TEST_MAIN(BalanceWindowsTest)
#include "BalanceWindowsTest.moc"
