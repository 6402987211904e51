#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

class UndoRedoTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() {
        startShownWithGame();
        QApplication::setActiveWindow(&h_->window);
    }

    // Twenty changes made the way a user makes them, across every window that edits the
    // document, each one step; undone, the saved file is the original file again, redone, the
    // edited file again.
    void twentyMixedEditsUndoneAndRedone() {
        const Bytes original = files::writeScenario(demo::demoScenario());
        open(original);
        const QString firstUnit = list()->item(0)->text();

        type("hitPointsBox", "1234");
        QCOMPARE(steps(), 1);
        QCOMPARE(undoItem()->text(), "&Undo Change Hit Points of " + firstUnit);
        type("armorBox", "9");
        child<QTabWidget>("unitPages")->setCurrentIndex(1);
        tick("flag5Box");
        QTest::keyClick(combo("missileList"), Qt::Key_Down);
        QTest::keyClick(slider("prioritySlider"), Qt::Key_Right);
        tick("targetAirBox");
        select(3);
        type("pointValueBox", "77");
        h_->window.menus().copyUnit->trigger();
        select(5);
        h_->window.menus().pasteUnit->trigger();
        child<QTabWidget>("unitPages")->setCurrentIndex(2);
        type("groupNumberBox", "13");
        QCOMPARE(steps(), 9);

        h_->window.menus().useDefaultUnitData->trigger();
        h_->window.menus().useDefaultUpgrades->trigger();
        inModal(h_->window.menus().editUpgrades, "upgradeEditor", [this] {
            type("upgradeGoldBox", "555");
            tick("unitAffects3");
        });
        inModal(h_->window.menus().restrictionsEditor, "restrictionsEditor",
                [this] { tick("unitAllowed2"); });
        h_->prompts.answers = {ui::Answer::Yes};
        h_->window.menus().removeRestrictions->trigger();
        model::Document upgrades = demo::demoScenario();
        upgrades.upgrades.set(model::upgradefields::gold, 1, 999);
        const QString imported = dir_.filePath("imported.ugrd");
        platform::saveWholeFile(imported, files::writeUpgradeFile(upgrades));
        h_->prompts.filesToOpen = {imported};
        h_->window.menus().importFile->trigger();
        QCOMPARE(steps(), 16);

        h_->window.menus().mapProperties->trigger();
        type("descriptionBox", "Undone later");
        QTest::mouseClick(child<QPushButton>("mapPropertiesOkButton"), Qt::LeftButton);
        h_->window.menus().mapProperties->trigger();
        tick("expansionWinterButton");
        h_->window.menus().playerProperties->trigger();
        QTest::keyClick(combo("raceList1"), Qt::Key_Down);
        h_->window.menus().startingResources->trigger();
        type("goldBox0", "4000");
        QTest::mouseClick(child<QPushButton>("resourcesOkButton"), Qt::LeftButton);
        QCOMPARE(steps(), 20);

        save();
        const Bytes edited = saved();
        QVERIFY(edited != original);
        while (undoItem()->isEnabled()) {
            undoItem()->trigger();
        }
        // Undo changes the document, not the file written before it.
        QCOMPARE(saved(), edited);
        QCOMPARE(box("descriptionBox")->text(), QString("Tarnwick demo: the river ford"));
        QVERIFY(h_->document.hasRestrictions());
        save();
        QCOMPARE(saved(), original);

        while (redoItem()->isEnabled()) {
            redoItem()->trigger();
        }
        QCOMPARE(box("goldBox0")->text(), QString("4000"));
        save();
        QCOMPARE(saved(), edited);
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"Remove Restriction Data?", "Restrictions Removed."}));
    }

    // The history's keys reach it from a text box; opening a file starts a new history.
    void keysFromATextBoxAndANewFile() {
        open(files::writeScenario(demo::demoScenario()));
        const QString shown = box("armorBox")->text();
        type("armorBox", "42");
        QTest::keyClick(box("armorBox"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box("armorBox")->text(), shown);
        QVERIFY(redoItem()->isEnabled());  // the history's step, not the box's own undo
        QTest::keyClick(box("armorBox"), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box("armorBox")->text(), QString("42"));
        QVERIFY(undoItem()->isEnabled());

        // Undoing a change to a unit that is not shown brings that unit up, changed back.
        select(3);
        type("armorBox", "17");
        select(6);
        QTest::keyClick(box("armorBox"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(list()->currentRow(), 3);
        QCOMPARE(box("armorBox")->text(),
                 QString::number(demo::demoScenario().unitData.get(model::unitfields::armor, 3)));

        const QString other = dir_.filePath("other.udta");
        platform::saveWholeFile(other, files::writeUnitDataFile(demo::demoScenario()));
        h_->prompts.answers = {ui::Answer::No};
        h_->window.openFile(other);
        QCOMPARE(h_->prompts.texts(), QStringList{kDropEditsQuestion});
        QVERIFY(!undoItem()->isEnabled());
        QVERIFY(!redoItem()->isEnabled());
        QCOMPARE(undoItem()->text(), QString("&Undo"));
    }

    // The upgrade and restrictions editors are modal: the undo keys work in them, from a
    // number box too, and the editor shows what was put back.
    void theTableEditorsTakeTheUndoKeys() {
        open(files::writeScenario(demo::demoScenario()));
        inModal(h_->window.menus().editUpgrades, "upgradeEditor", [&] {
            QWidget& editor = *QApplication::activeModalWidget();
            QApplication::setActiveWindow(&editor);
            auto* gold = control<QLineEdit>(editor, "upgradeGoldBox");
            const QString shown = gold->text();
            gold->selectAll();
            QTest::keyClicks(gold, "999");
            QTest::keyClick(gold, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(gold->text(), shown);
            QCOMPARE(h_->document.upgrades.get(model::upgradefields::gold, 0), shown.toUInt());
            QVERIFY(redoItem()->isEnabled());  // the history's step, not the box's own undo
            QTest::keyClick(gold, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(gold->text(), QString("999"));
        });
        QCOMPARE(h_->document.upgrades.get(model::upgradefields::gold, 0), 999u);
        inModal(h_->window.menus().restrictionsEditor, "restrictionsEditor", [&] {
            QWidget& editor = *QApplication::activeModalWidget();
            QApplication::setActiveWindow(&editor);
            auto* allowed = control<QCheckBox>(editor, "unitAllowed2");
            const bool before = allowed->isChecked();
            QTest::mouseClick(allowed, Qt::LeftButton, {}, QPoint(6, allowed->height() / 2));
            QCOMPARE(allowed->isChecked(), !before);
            QTest::keyClick(allowed, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(allowed->isChecked(), before);
            QTest::keyClick(allowed, Qt::Key_Y, Qt::ControlModifier);
            QCOMPARE(allowed->isChecked(), !before);
        });
    }

  private:
    int steps() { return h_->window.history().stack().count(); }
    // A click on the box's tick, where a user clicks.
    void tick(const QString& name) const {
        auto* box = child<QAbstractButton>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    QAction* undoItem() const { return h_->window.menus().undo; }
    QAction* redoItem() const { return h_->window.menus().redo; }

    // Opens a modal editor by `item`, runs `steps` in it and closes it.
    template <typename Steps>
    void inModal(QAction* item, const QString& name, Steps steps) {
        QVERIFY(runModal(item, [&](QDialog& dialog) {
            QCOMPARE(dialog.objectName(), name);
            steps();
            dialog.accept();
        }));
    }
};

TARNWICK_UI_TEST_MAIN(UndoRedoTest)
#include "UndoRedoTest.moc"
