#include <sstream>

#include <QContextMenuEvent>
#include <QFormLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "tool/ToolCommands.h"
#include "ui/unittable/UnitTableWindow.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;
namespace ug = model::upgradefields;

// What differs from the game's defaults, and the notice while the game would ignore the
// scenario's own tables. The demo game's defaults are the demo scenario's tables.
class DefaultDataTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void marksWhatTheToolChangedAndNothingElse() {
        const model::Document demo = demo::demoScenario();
        const QString changed = setByTool(3, "hitPoints", "500");
        h_->window.openFile(changed);

        QVERIFY(marked(list()->item(3)));
        QVERIFY(!marked(list()->item(4)));
        QCOMPARE(list()->toolTip(), QString());
        select(3);
        const QString defaultHitPoints = QString::number(demo.unitData.get(uf::hitPoints, 3));
        QVERIFY(bold(caption("hitPointsBox")));
        QCOMPARE(caption("hitPointsBox")->toolTip(), "Default: " + defaultHitPoints);
        QVERIFY(!bold(caption("armorBox")));
        QCOMPARE(caption("armorBox")->toolTip(), QString());
        select(4);
        QVERIFY(!bold(caption("hitPointsBox")));

        // Changes made in the editor are marked as they are made, and so is going back.
        const bool landUnit = (demo.unitData.get(uf::flags, 4) & 1u) != 0;
        child<QTabWidget>("unitPages")->setCurrentIndex(1);
        QTest::mouseClick(check("flag0Box"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(bold(check("flag0Box")));
        QVERIFY(check("flag0Box")
                    ->toolTip()
                    .endsWith(landUnit ? "\nDefault: ticked" : "\nDefault: not ticked"));
        QVERIFY(marked(list()->item(4)));
        select(3);
        type("hitPointsBox", defaultHitPoints);
        QVERIFY(!bold(caption("hitPointsBox")));
        QVERIFY(!marked(list()->item(3)));
    }

    void theUpgradeEditorMarksItsValues() {
        model::Document document = demo::demoScenario();
        const std::uint32_t defaultGold = document.upgrades.get(ug::gold, 0);
        document.upgrades.set(ug::gold, 0, defaultGold + 100);
        open(files::writeScenario(document));
        QVERIFY(runModal(h_->window.menus().editUpgrades, [&](QDialog& editor) {
            QVERIFY(bold(captionIn(editor, "upgradeGoldBox")));
            QCOMPARE(captionIn(editor, "upgradeGoldBox")->toolTip(),
                     "Default: " + QString::number(defaultGold));
            QVERIFY(!bold(captionIn(editor, "upgradeTimeBox")));
            editor.accept();
        }));
    }

    void withoutTheGameNothingIsMarkedAndNothingFails() {
        h_ = std::make_unique<MainWindowHarness>();
        removeSettingsStore();
        h_->window.startUp({});  // the locate chooser is cancelled: no game directory
        h_->window.show();
        const auto startMessages = h_->prompts.shown.size();
        h_->window.openFile(setByTool(3, "hitPoints", "500"));
        select(3);
        QVERIFY(!marked(list()->item(3)));
        QVERIFY(!bold(caption("hitPointsBox")));
        QCOMPARE(h_->prompts.shown.size(), startMessages);

        // No mark here means "cannot tell": the list and "Changed only" say why.
        const QString needed = "Needs the game's default data: choose the game directory";
        QCOMPARE(list()->toolTip(), needed);
        h_->window.menus().unitTable->trigger();
        auto* changedOnly = control<QCheckBox>(h_->window.unitTable(), "changedOnlyBox");
        QVERIFY(!changedOnly->isEnabled());
        QCOMPARE(changedOnly->toolTip(), needed);
        QCOMPARE(h_->window.unitTable().table().model()->rowCount(), 110);
        // Another file gives it something to compare with.
        const QString other = dir_.filePath("other.pud");
        platform::saveWholeFile(other, files::writeScenario(demo::demoScenario()));
        h_->prompts.filesToOpen = {other};
        QTest::mouseClick(control<QPushButton>(h_->window.unitTable(), "compareButton"),
                          Qt::LeftButton);
        QVERIFY(changedOnly->isEnabled());
        QTest::mouseClick(changedOnly, Qt::LeftButton);
        QCOMPARE(h_->window.unitTable().table().model()->rowCount(), 1);
        QTest::mouseClick(control<QPushButton>(h_->window.unitTable(), "clearComparisonButton"),
                          Qt::LeftButton);
        QVERIFY(!changedOnly->isEnabled());
        QCOMPARE(h_->window.unitTable().table().model()->rowCount(), 110);
    }

    void theNoticeFollowsTheUseDefaultWords() {
        model::Document document = demo::demoScenario();
        document.unitData.set(uf::useDefault, 0, 1);
        open(files::writeScenario(document));
        auto* notice = child<QFrame>("defaultDataNotice");
        QVERIFY(notice->isVisible());
        QCOMPARE(label("defaultDataNoticeText")->text(),
                 QString("The game will ignore this scenario's unit data and use its own."));
        QVERIFY(!child<QPushButton>("useScenarioUpgradesButton")->isVisible());
        QVERIFY(h_->window.menus().useDefaultUnitData->isChecked());

        QTest::mouseClick(child<QPushButton>("useScenarioUnitDataButton"), Qt::LeftButton);
        QCOMPARE(h_->document.unitData.get(uf::useDefault, 0), 0u);
        QVERIFY(!notice->isVisible());
        QVERIFY(!h_->window.menus().useDefaultUnitData->isChecked());
        h_->window.menus().undo->trigger();
        QVERIFY(notice->isVisible());
        QVERIFY(h_->window.menus().useDefaultUnitData->isChecked());

        // The upgrades' word counts by its low byte.
        h_->window.menus().useDefaultUnitData->trigger();
        QVERIFY(!notice->isVisible());
        h_->window.menus().useDefaultUpgrades->trigger();
        QVERIFY(notice->isVisible());
        QVERIFY(child<QPushButton>("useScenarioUpgradesButton")->isVisible());
        QVERIFY(!child<QPushButton>("useScenarioUnitDataButton")->isVisible());
        h_->document.upgrades.set(ug::useDefault, 0, 0x0201);
        QTest::mouseClick(child<QPushButton>("useScenarioUpgradesButton"), Qt::LeftButton);
        QCOMPARE(h_->document.upgrades.get(ug::useDefault, 0), 0x0200u);
        QVERIFY(!notice->isVisible());

        // A stand-alone file has no word the game would read.
        const QString unitFile = dir_.filePath("units.udta");
        platform::saveWholeFile(unitFile, files::writeUnitDataFile(document));
        h_->document.unitData.set(uf::useDefault, 0, 1);
        h_->window.openFile(unitFile);
        QVERIFY(!notice->isVisible());
    }

    void aFileWithASectionTwiceIsToldOfUntilSavedAndItsSignStaysInPlace() {
        // The game uses its own unit data; the scenario's upgrades, held twice, are its own.
        model::Document document = demo::demoScenario();
        document.unitData.set(uf::useDefault, 0, 1);
        std::vector<TestSection> sections;
        const Bytes demo = files::writeScenario(document);
        files::SectionChainReader chain(demo);
        while (const auto header = chain.nextHeader()) {
            const auto body = chain.takeBody();
            sections.push_back({header->tag, Bytes(body.begin(), body.end())});
        }
        QCOMPARE(sections[8].tag, std::string("UGRD"));
        Bytes lastUpgrades = sections[8].body;
        lastUpgrades[100] ^= 0xFF;
        sections.insert(sections.begin() + 9, {"UGRD", lastUpgrades});
        sections.push_back({"SIGN", Bytes{0x10, 0x20, 0x30, 0x40}});
        open(chainOf(sections));
        auto* notice = child<QFrame>("defaultDataNotice");
        QVERIFY(notice->isVisible());
        const QString unitData = "The game will ignore this scenario's unit data and use its own.";
        QCOMPARE(
            label("defaultDataNoticeText")->text(),
            unitData + "\nthe file holds UGRD twice; the last is used and only it is written back");
        QVERIFY(child<QPushButton>("useScenarioUnitDataButton")->isVisible());
        QVERIFY(!child<QPushButton>("useScenarioUpgradesButton")->isVisible());

        save();
        sections.erase(sections.begin() + 8);  // the first upgrade table
        QCOMPARE(saved(), chainOf(sections));
        QCOMPARE(label("defaultDataNoticeText")->text(), unitData);
    }

    void theMenusPutTheGamesValuesBack() {
        const model::Document demo = demo::demoScenario();
        open(files::writeScenario(demo));
        const std::uint32_t hitPoints3 = demo.unitData.get(uf::hitPoints, 3);
        select(3);
        type("hitPointsBox", QString::number(hitPoints3 + 7));

        // A value's menu names the default and puts it back as one step; the box shows it.
        const int steps = h_->window.history().stack().count();
        MenuItem picked = pickFromMenu(box("hitPointsBox"), "Revert to Default");
        QCOMPARE(picked.text, QString("Revert to Default (%1)").arg(hitPoints3));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 3), hitPoints3);
        QCOMPARE(box("hitPointsBox")->text(), QString::number(hitPoints3));
        QCOMPARE(h_->window.history().stack().count(), steps + 1);
        // A flag is one bit of a word: only that bit goes back.
        child<QTabWidget>("unitPages")->setCurrentIndex(1);
        for (const char* flag : {"flag0Box", "flag3Box"}) {
            QTest::mouseClick(check(flag), Qt::LeftButton, {}, QPoint(6, 6));
        }
        const bool ticked = (demo.unitData.get(uf::flags, 3) & 1u) != 0;
        picked = pickFromMenu(check("flag0Box"), "Revert to Default");
        QCOMPARE(picked.text,
                 QString("Revert to Default (%1)").arg(ticked ? "ticked" : "not ticked"));
        QCOMPARE(h_->document.unitData.get(uf::flags, 3), demo.unitData.get(uf::flags, 3) ^ 8u);
        QCOMPARE(check("flag0Box")->isChecked(), ticked);
        QTest::mouseClick(check("flag3Box"), Qt::LeftButton, {}, QPoint(6, 6));
        child<QTabWidget>("unitPages")->setCurrentIndex(0);
        // A value at its default has nothing to put back.
        picked = pickFromMenu(box("armorBox"), "Revert to Default");
        QCOMPARE(picked.text, QString("Revert to Default"));
        QVERIFY(!picked.enabled);

        // The list's menu puts a whole unit back.
        select(5);
        type("hitPointsBox", "1");
        type("armorBox", "9");
        picked = pickFromMenu(list()->viewport(), "Revert Unit to Defaults",
                              list()->visualItemRect(list()->item(5)).center());
        QVERIFY(picked.enabled);
        QVERIFY(h_->document.unitData.bytes == demo.unitData.bytes);

        // In the Unit Table: a cell, then the selection; the other units keep their values.
        h_->window.menus().unitTable->trigger();
        ui::UnitTableView& table = h_->window.unitTable().table();
        const int hitPointsColumn = tableColumn("Hit Points");
        const std::uint32_t hitPoints6 = demo.unitData.get(uf::hitPoints, 6);
        const auto changeUnits6And7 = [&] {
            for (const std::size_t unit : {std::size_t{6}, std::size_t{7}}) {
                h_->document.unitData.set(uf::hitPoints, unit, 2);
            }
            h_->window.unitTable().showDocument();
        };
        changeUnits6And7();
        const QPoint cell6 = table.visualRect(table.model()->index(6, hitPointsColumn)).center();
        const QPoint cell7 = table.visualRect(table.model()->index(7, hitPointsColumn)).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell6);
        picked = pickFromMenu(table.viewport(), "Revert to Default", cell6);
        QCOMPARE(picked.text, QString("Revert to Default (%1)").arg(hitPoints6));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 6), hitPoints6);
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 7), 2u);
        changeUnits6And7();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell6);
        QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ShiftModifier, cell7);
        QVERIFY(pickFromMenu(table.viewport(), "Revert Selected to Defaults", cell7).enabled);
        QVERIFY(h_->document.unitData.bytes == demo.unitData.bytes);
    }

    void withoutTheGameTheRevertsSayWhy() {
        startShownWithGame(QString());
        open(files::writeScenario(demo::demoScenario()));
        select(3);
        const MenuItem picked = pickFromMenu(box("hitPointsBox"), "Revert to Default");
        QVERIFY(!picked.enabled);
        QCOMPARE(picked.toolTip,
                 QString("Needs the game's default data: choose the game directory"));
    }

  private:
    struct MenuItem {
        QString text;
        bool enabled = false;
        QString toolTip;
    };
    // Right-clicks `widget` at `where` (its middle when not given) and picks the menu item
    // whose text starts with `start`, when it is enabled; what the item showed.
    static MenuItem pickFromMenu(QWidget* widget, const QString& start,
                                 std::optional<QPoint> where = std::nullopt) {
        MenuItem seen;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (QAction* item : menu->actions()) {
                if (item->text().startsWith(start)) {
                    seen = {item->text(), item->isEnabled(), item->toolTip()};
                    if (item->isEnabled()) {
                        QTest::mouseClick(menu, Qt::LeftButton, {},
                                          menu->actionGeometry(item).center());
                        return;
                    }
                }
            }
            menu->close();
        });
        // A right click, and the menu request the window system sends after it.
        const QPoint at = where.value_or(widget->rect().center());
        QTest::mouseClick(widget, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &request);
        return seen;
    }
    int tableColumn(const QString& header) const {
        const QAbstractItemModel& units = h_->window.unitTable().units();
        for (int c = 0; c < units.columnCount(); ++c) {
            if (units.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == header) {
                return c;
            }
        }
        qFatal("no column %s", qPrintable(header));
    }
    // The demo scenario with one value changed by the command-line tool.
    QString setByTool(int unit, const char* field, const char* value) {
        const QString in = dir_.filePath("demo.pud");
        const QString out = dir_.filePath("changed.pud");
        platform::saveWholeFile(in, files::writeScenario(demo::demoScenario()));
        std::ostringstream said;
        const int status = tool::runTool(
            {"set", in.toStdString(), out.toStdString(), std::to_string(unit), field, value}, said,
            said);
        if (status != 0) {
            qFatal("set failed: %s", said.str().c_str());
        }
        return out;
    }
    static QWidget* captionIn(const QWidget& window, const QString& boxName) {
        auto* box = control<QWidget>(window, boxName);
        return qobject_cast<QFormLayout*>(box->parentWidget()->layout())->labelForField(box);
    }
    QWidget* caption(const QString& boxName) const { return captionIn(h_->window, boxName); }
    static bool bold(const QWidget* caption) { return caption->font().bold(); }
    static bool marked(const QListWidgetItem* item) { return item->font().underline(); }
};

TARNWICK_UI_TEST_MAIN(DefaultDataTest)
#include "DefaultDataTest.moc"
