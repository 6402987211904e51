// The pointer reaches the window it is aimed at, as on a desktop where that window is in front,
// even where the offscreen screen has another window at the same place.
#define QTEST_QPA_MOUSE_HANDLING

#include <functional>
#include <set>

#include <QScrollArea>
#include <QStyleOptionButton>

#include "DemoScenario.h"
#include "UiTestSupport.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
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

// Where a pair's cell lies in the map as shown, scrolled into sight as a user would; (-1, -1)
// when the pair is not shown.
QPoint cellCentre(ui::BalanceMapView& view, std::size_t a, std::size_t b) {
    const auto& rows = view.content().scope.rows;
    const auto& columns = view.content().scope.columns;
    const auto row = std::ranges::find(rows, a) - rows.begin();
    const auto column = std::ranges::find(columns, b) - columns.begin();
    if (row == std::ssize(rows) || column == std::ssize(columns)) {
        return {-1, -1};
    }
    const QPoint centre = view.cellRect(static_cast<int>(row), static_cast<int>(column)).center();
    control<QScrollArea>(*view.window(), "balanceMapScroll")->ensureVisible(centre.x(), centre.y());
    return centre;
}

// The cells drawn with the outline of a changed duel, as (A, B) pairs: the outline's black
// runs down the left edge of a cell, below the one-sided mark.
std::set<std::pair<std::size_t, std::size_t>> outlinedCells(ui::BalanceMapView& view) {
    const QImage picture = view.grab().toImage();
    std::set<std::pair<std::size_t, std::size_t>> outlined;
    const auto& content = view.content();
    for (std::size_t row = 0; row < content.scope.rows.size(); ++row) {
        for (std::size_t column = 0; column < content.scope.columns.size(); ++column) {
            const QRect cell = view.cellRect(static_cast<int>(row), static_cast<int>(column));
            const QPoint edge(cell.left() + 1, cell.top() + cell.height() * 3 / 4);
            if (picture.pixelColor(edge) == QColor(0, 0, 0)) {
                outlined.insert({content.scope.rows[row], content.scope.columns[column]});
            }
        }
    }
    return outlined;
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
        QTest::mouseMove(&view, cellCentre(view, kPikeman, kSentinel5));
        QCOMPARE(hover->text(), QString("Sentinel 5 beats Pikeman: 3.5 s against 304.0 s"));
        QTest::mouseMove(&view, cellCentre(view, kSentinel5, kPikeman));
        QCOMPARE(hover->text(), QString("Sentinel 5 beats Pikeman: 3.5 s against 304.0 s"));
        // Just right of the last column and just below the last row lies no duel.
        const QRect last = view.cellRect(static_cast<int>(view.content().scope.rows.size()) - 1,
                                         static_cast<int>(view.content().scope.columns.size()) - 1);
        for (const QPoint past : {QPoint(last.right() + 1, last.center().y()),
                                  QPoint(last.center().x(), last.bottom() + 1)}) {
            QTest::mouseMove(&view, cellCentre(view, kSentinel5, kPikeman));
            control<QScrollArea>(map, "balanceMapScroll")->ensureVisible(past.x(), past.y());
            QTest::mouseMove(&view, past);
            QVERIFY(!view.hoveredPair());
        }
        QTest::keyClick(in<QComboBox>(map, "startBox"), Qt::Key_Down);
        QTest::mouseMove(&view, cellCentre(view, kPikeman, kSentinel5));
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
        QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(view, kPikeman, kSentinel5));
        QCOMPARE(compared, QStringList({"Pikeman", "Sentinel 5"}) + kPairInSeconds);
        QTest::keyClick(&view, Qt::Key_Left);
        QVERIFY(hover->text().contains(leftName));
        readCompare();
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(compared.mid(0, 2), QStringList({"Pikeman", leftName}));
        QVERIFY(h_->prompts.shown.size() == 1);
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
        QTest::mouseMove(&map.view(), cell - QPoint(0, 300));  // from the names above
        QTest::mouseMove(&map.view(), cell);
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
