// The status bar says what each write did and shows "Modified" while the document differs
// from what was last opened or saved.
#include <QStatusBar>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

class StatusBarTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() {
        startShownWithGame();
        QApplication::setActiveWindow(&h_->window);
        open(files::writeScenario(demo::demoScenario()));
    }

    void eachWriteSaysWhatItDidAndAFailureSaysNothing() {
        QCOMPARE(message(), QString());
        QTest::keyClick(&h_->window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(message(), QString("Saved scenario.pud"));

        h_->prompts.filesToSave = {dir_.filePath("copy.pud")};
        h_->window.menus().saveAs->trigger();
        QCOMPARE(message(), QString("Saved copy.pud"));

        h_->prompts.filesToSave = {dir_.filePath("units.udta")};
        h_->window.menus().exportUnitData->trigger();
        QCOMPARE(message(), QString("Exported units.udta"));

        h_->window.statusBar()->clearMessage();
        h_->prompts.filesToSave = {dir_.filePath("no/such/folder/x.alo")};
        h_->window.menus().exportRestrictions->trigger();
        h_->prompts.filesToSave = {dir_.filePath("no/such/folder/x.pud")};
        h_->window.menus().saveAs->trigger();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{3});
        QCOMPARE(message(), QString());
    }

    void modifiedShowsWhileTheDocumentDiffersFromItsFile() {
        QVERIFY(!modified());
        type("hitPointsBox", "777");
        QVERIFY(modified());
        QTest::keyClick(box("hitPointsBox"), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!modified());
        QTest::keyClick(box("hitPointsBox"), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(modified());
        QTest::keyClick(&h_->window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!modified());
        // Undone past the save, the document differs from its file again.
        QTest::keyClick(box("hitPointsBox"), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(modified());

        h_->prompts.answers = {ui::Answer::No};
        h_->window.menus().closeData->trigger();
        QVERIFY(!h_->document.isLoaded);
        QVERIFY(!modified());

        open(saved());
        type("armorBox", "9");
        QVERIFY(modified());
        openDroppingEdits(*h_, path_);
        QVERIFY(!modified());
    }

  private:
    QString message() const { return h_->window.statusBar()->currentMessage(); }
    bool modified() const { return label("modifiedMark")->isVisible(); }
};

TARNWICK_UI_TEST_MAIN(StatusBarTest)
#include "StatusBarTest.moc"
