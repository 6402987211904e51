#include <QFormLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

#include "DemoScenario.h"
#include "UiTestSupport.h"
#include "core/files/DocumentFiles.h"
#include "core/files/Scenario.h"
#include "core/model/DefaultDataWords.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

// The guide's first mod, the steps done in the editor, as the guide tells a new user to do
// them: with the keys and clicks it names, seeing the texts it quotes.
class WalkthroughTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void theFirstModInTheEditor() {
        // Step 1: the demo scenario with the word that makes the game ignore its unit data.
        model::Document scenario = demo::demoScenario();
        model::setGameUsesOwnTable(scenario, model::DefaultableTable::UnitData, true);
        const QString ford = dir_.filePath("ford.pud");
        platform::saveWholeFile(ford, files::writeScenario(scenario));

        // Step 2.
        startShownWithGame();
        h_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h_->window));
        h_->window.openFile(ford);
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - ford.pud - [PUD]"));
        QCOMPARE(label("defaultDataNoticeText")->text(),
                 QString("The game will ignore this scenario's unit data and use its own."));

        // Step 3.
        QCOMPARE(list()->currentItem()->text(), QString("Pikeman"));
        auto* pages = child<QTabWidget>("unitPages");
        QTabBar* tabs = pages->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(pages->tabText(pages->currentIndex()), QString("General"));
        type("hitPointsBox", "45");
        type("goldBox", "250");  // the keys below go where the typing was

        // Step 4.
        QVERIFY(caption("hitPointsBox")->font().bold());
        QCOMPARE(caption("hitPointsBox")->toolTip(), QString("Default: 30"));
        QVERIFY(caption("goldBox")->font().bold());
        QVERIFY(list()->item(0)->font().underline());

        // Step 5.
        QCOMPARE(h_->window.menus().undo->text(), QString("&Undo Change Gold of Pikeman"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box("goldBox")->text(), QString("200"));
        QVERIFY(!caption("goldBox")->font().bold());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(box("goldBox")->text(), QString("250"));

        // Step 6.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h_->window.statusBar()->currentMessage(), QString("Saved ford.pud"));
        QVERIFY(!label("modifiedMark")->isVisible());
        model::Document saved = savedFile(ford);
        QCOMPARE(saved.unitData.get(uf::hitPoints, 0), 45U);
        QCOMPARE(saved.unitData.get(uf::goldCost, 0), 25U);  // stored in tens
        QVERIFY(model::gameUsesOwnTable(saved, model::DefaultableTable::UnitData));

        // Step 8.
        QTest::mouseClick(child<QPushButton>("useScenarioUnitDataButton"), Qt::LeftButton);
        QVERIFY(!child<QWidget>("defaultDataNotice")->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        saved = savedFile(ford);
        QVERIFY(!model::gameUsesOwnTable(saved, model::DefaultableTable::UnitData));
        QCOMPARE(saved.unitData.get(uf::hitPoints, 0), 45U);
        QVERIFY(h_->prompts.shown.empty());
    }

  private:
    static model::Document savedFile(const QString& path) {
        return files::readDocument({}, platform::readWholeFile(path), "ford.pud");
    }
    void type(const QString& name, const QString& text) const {
        QLineEdit* edit = box(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QWidget* caption(const QString& boxName) const {
        auto* field = box(boxName);
        return qobject_cast<QFormLayout*>(field->parentWidget()->layout())->labelForField(field);
    }

    QTemporaryDir dir_;
};

TARNWICK_UI_TEST_MAIN(WalkthroughTest)
#include "WalkthroughTest.moc"
