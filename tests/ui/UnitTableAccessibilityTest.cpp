#include <QAccessible>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"
#include "ui/unittable/UnitTableWindow.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

// A screen reader asks the table for an interface of each cell it reads, and each one keeps an
// index into the table. Once all of them are held, every change must still take effect at once:
// ctest's time limit for this program fails it when one does not.
class UnitTableAccessibilityTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void aTableReadWholeStillAnswersEveryChange() {
        startShownWithGame();
        model::Document other = demo::demoScenario();
        other.unitData.set(uf::armor, 9, 77);
        const QString otherFile = dir_.filePath("other.pud");
        platform::saveWholeFile(otherFile, files::writeScenario(other));
        open(files::writeScenario(demo::demoScenario()));
        h_->window.menus().unitTable->trigger();
        QApplication::setActiveWindow(&window());
        const int armor = column("Armor");

        readEveryCell();
        clickCell(3, armor);
        QTest::keyClick(&table(), '4');
        QTest::keyClicks(QApplication::focusWidget(), "2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(h_->document.unitData.get(uf::armor, 3), 42u);
        // The reader's interface of that cell reads the new value.
        QCOMPARE(cell(3, armor)->text(QAccessible::Name), QString("42"));

        readEveryCell();
        clickCell(4, armor);
        clickCell(6, armor, Qt::ShiftModifier);
        QTimer::singleShot(0, &window(), [] {
            auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(ask != nullptr);
            QTest::keyClicks(ask->findChild<QLineEdit*>(), "+1");
            QTest::keyClick(ask->findChild<QLineEdit*>(), Qt::Key_Return);
        });
        QTest::mouseClick(child<QPushButton>("setSelectedButton"), Qt::LeftButton);
        const model::Document demo = demo::demoScenario();
        for (std::size_t unit = 4; unit <= 6; ++unit) {
            QCOMPARE(h_->document.unitData.get(uf::armor, unit),
                     demo.unitData.get(uf::armor, unit) + 1);
        }

        readEveryCell();
        h_->prompts.filesToOpen = {otherFile};
        QTest::mouseClick(child<QPushButton>("compareButton"), Qt::LeftButton);
        QCOMPARE(child<QLabel>("differencesLabel")->text(), QString("5 values differ in 5 units"));

        // Sorting and filtering lay the rows out anew; the current cell stays on its unit.
        readEveryCell();
        clickCell(3, armor);
        QHeaderView* header = table().horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(armor) + 5, 5));
        QCOMPARE(table().model()->index(table().model()->rowCount() - 1, armor).data().toString(),
                 QString("42"));
        QCOMPARE(table().currentIndex().data().toString(), QString("42"));
        readEveryCell();
        QTest::mouseClick(child<QCheckBox>("changedOnlyBox"), Qt::LeftButton);
        QCOMPARE(table().model()->rowCount(), 5);
        readEveryCell();
        QTest::keyClicks(child<QLineEdit>("filterBox"), list()->item(3)->text());
        QVERIFY(table().model()->rowCount() >= 1);
        QCOMPARE(table().currentIndex().data().toString(), QString("42"));
    }

  private:
    ui::UnitTableWindow& window() const { return h_->window.unitTable(); }
    ui::UnitTableView& table() const { return window().table(); }
    QAccessibleTableInterface* cells() const {
        return QAccessible::queryAccessibleInterface(&table())->tableInterface();
    }
    QAccessibleInterface* cell(int row, int column) const { return cells()->cellAt(row, column); }
    // As a reader walks the table: every child of it, each asked for its text.
    void readEveryCell() const {
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&table());
        QCOMPARE(cells()->rowCount() * cells()->columnCount(), table().model()->rowCount() * 63);
        for (int child = 0; child < view->childCount(); ++child) {
            QVERIFY(view->child(child) != nullptr);
            view->child(child)->text(QAccessible::Name);
        }
    }
    int column(const QString& header) const {
        const QAbstractItemModel& shown = *table().model();
        for (int c = 0; c < shown.columnCount(); ++c) {
            if (shown.headerData(c, Qt::Horizontal).toString() == header) {
                return c;
            }
        }
        qFatal("no column %s", qPrintable(header));
    }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
        const QModelIndex index = table().model()->index(row, column);
        table().scrollTo(index);
        QTest::mouseClick(table().viewport(), Qt::LeftButton, modifiers,
                          table().visualRect(index).center());
    }
};

TARNWICK_UI_TEST_MAIN(UnitTableAccessibilityTest)
#include "UnitTableAccessibilityTest.moc"
