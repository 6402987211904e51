// Keys as a user presses them: the menus' shortcuts win over the text boxes, only keys that
// change the search text move the unit list, and "Keyboard Shortcuts" lists what the menus hold.
#include <QSignalSpy>
#include <QTableWidget>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

// A text box claims every Ctrl key for itself, as on desktops where Ctrl+U deletes to the start
// of the line; the offscreen platform binds none of them.
class ClaimsCtrlKeys : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::ControlModifier) {
            event->accept();
            return true;
        }
        return false;
    }
};

}  // namespace

class KeyboardTest : public ScenarioFileTest {
    Q_OBJECT

    // The shortcuts window's rows as "keys | menu | item", opened from "Help" by a click.
    QStringList shownShortcuts() {
        const auto& m = h_->window.menus();
        m.help->popup(h_->window.mapToGlobal(QPoint(0, 0)));
        QTest::mouseClick(m.help, Qt::LeftButton, {},
                          m.help->actionGeometry(m.keyboardShortcuts).center());
        auto* window = child<QDialog>("keyboardShortcutsWindow");
        auto* table = child<QTableWidget>("shortcutTable");
        QStringList rows;
        if (!window->isVisible() || window->windowTitle() != "Keyboard Shortcuts") {
            return rows;
        }
        for (int row = 0; row < table->rowCount(); ++row) {
            rows << table->item(row, 0)->text() + " | " + table->item(row, 1)->text() + " | " +
                        table->item(row, 2)->text();
        }
        window->close();
        return rows;
    }

  private slots:
    void init() {
        startShownWithGame();
        h_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h_->window));
        open(files::writeScenario(demo::demoScenario()));
    }

    void menuShortcutsWinOverTheTextBoxes() {
        const auto& m = h_->window.menus();
        const QList<std::pair<Qt::Key, QAction*>> keys = {{Qt::Key_U, m.editUpgrades},
                                                          {Qt::Key_R, m.restrictionsEditor},
                                                          {Qt::Key_M, m.viewMinimap},
                                                          {Qt::Key_F1, m.useDefaultUnitData},
                                                          {Qt::Key_F2, m.useDefaultUpgrades}};
        for (const QString name : {"searchBox", "hitPointsBox"}) {
            QLineEdit* edit = box(name);
            ClaimsCtrlKeys claims;
            edit->installEventFilter(&claims);
            for (const auto& [key, item] : keys) {
                edit->setFocus();
                const QString text = edit->text();
                QSignalSpy triggered(item, &QAction::triggered);
                // The editors are modal: each closes as soon as it is open.
                QTimer::singleShot(0, edit, [] {
                    if (auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                        editor->reject();
                    }
                });
                QTest::keyClick(edit, key, Qt::ControlModifier);
                QCoreApplication::processEvents();
                const QByteArray context = (name + " " + item->objectName()).toUtf8();
                QVERIFY2(triggered.count() == 1, context);
                QVERIFY2(edit->text() == text, context);
            }
        }
        QVERIFY2(h_->prompts.shown.empty(), qPrintable(h_->prompts.texts().join('\n')));
    }

    void onlyKeysThatChangeTheSearchTextMoveTheList() {
        QListWidget* units = list();
        QLineEdit* search = box("searchBox");
        QTest::mouseClick(units->viewport(), Qt::LeftButton, {},
                          units->visualItemRect(units->item(5)).center());
        QCOMPARE(units->currentRow(), 5);
        QTest::mouseClick(search, Qt::LeftButton);
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_End, Qt::Key_Shift, Qt::Key_Tab}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(QApplication::focusWidget(), units);
        QCOMPARE(units->currentRow(), 5);
        QCOMPARE(box("hitPointsBox")->text(),
                 QString::number(h_->document.unitData.get(model::unitfields::hitPoints, 5)));

        // Typing still searches, with the text as it was before the key.
        QTest::keyClicks(search, units->item(7)->text() + "x");
        QCOMPARE(units->currentRow(), 7);
    }

    void theShortcutsWindowListsTheMenusKeys() {
        const QStringList rows = shownShortcuts();
        // Every key the menus answer to, in menu order; a second key of an item is listed too,
        // and hidden menus are walked.
        for (const QString expected :
             {"Ctrl+O | File | Open...", "Ctrl+X, Ctrl+Q | File | Exit",
              "Ctrl+M | PUD Options | View Minimap", "Ctrl+F1 | Edit | Use Default UDTA",
              "Ctrl+Shift+Z, Ctrl+Y | Edit | Redo", "F1 | Help | About..."}) {
            QVERIFY2(rows.contains(expected), qPrintable(expected + "\n" + rows.join('\n')));
        }
        // Items without a key are left out.
        QVERIFY(rows.filter("Save As...").isEmpty());
        QVERIFY(rows.indexOf("Ctrl+O | File | Open...") < rows.indexOf("F1 | Help | About..."));

        // Read from the menus at each opening: a key given to an item shows up, with the path
        // of a submenu.
        h_->window.menus().addRestrictions->setShortcut(QKeySequence("Ctrl+Shift+A"));
        QVERIFY(shownShortcuts().contains(
            "Ctrl+Shift+A | Edit → Restrictions | Add Default Restrictions"));
    }
};

TARNWICK_UI_TEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
