#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QSignalSpy>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "ui/unittable/UnitTableWindow.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

class UnitTableTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() {
        startShownWithGame();
        QApplication::setActiveWindow(&h_->window);
    }

    void opensOnlyOverUnitDataAndShowsThePagesValues() {
        h_->window.menus().unitTable->trigger();
        QCOMPARE(lastMessage(), QString("Warning|Error!  No file loaded!"));
        model::Document upgrades = demo::demoScenario();
        const QString upgradeFile = dir_.filePath("x.ugrd");
        platform::saveWholeFile(upgradeFile, files::writeUpgradeFile(upgrades));
        h_->window.openFile(upgradeFile);
        h_->prompts.shown.clear();
        QTest::keySequence(&h_->window, QKeySequence("Ctrl+T"));
        QCOMPARE(lastMessage(), QString("Warning|Error!  No file loaded!"));
        QVERIFY(!window().isVisible());

        model::Document scenario = demo::demoScenario();
        scenario.unitData.set(uf::goldCost, 2, 45);
        scenario.unitData.set(uf::missile, 2, 15);
        open(files::writeScenario(scenario));
        QTest::keySequence(&h_->window, QKeySequence("Ctrl+T"));
        QVERIFY(window().isVisible());
        QCOMPARE(window().windowTitle(), QString("Unit Table"));
        QCOMPARE(model().rowCount(), 110);
        QCOMPARE(model().columnCount(), 1 + 23 + 39);
        QCOMPARE(text(2, 0), list()->item(2)->text());
        QCOMPARE(text(2, column("Gold")), QString("450"));
        QCOMPARE(text(2, column("Missile Type")), QString("Arrow"));
        const int hitPoints = column("Hit Points");
        QCOMPARE(model().headerData(hitPoints, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("hitPoints"));
        QCOMPARE(
            model().headerData(column("Width(tiles)"), Qt::Horizontal, Qt::ToolTipRole).toString(),
            QString("tileSize.width"));
        // The name column lies over the first column and keeps its place while the rest scroll.
        QTableView& names = table().nameView();
        QVERIFY(names.isVisible());
        QCOMPARE(names.columnWidth(0), table().columnWidth(0));
        table().horizontalScrollBar()->setValue(table().horizontalScrollBar()->maximum());
        QCOMPARE(names.geometry().left(), table().frameWidth());
    }

    // Centred on the main window when first opened; its size, place and column widths come
    // back at the next start, also after a start in which it stayed closed.
    void comesBackWithItsSizeAndColumnWidths() {
        window().resize(400, 300);  // the test screen is smaller than the table's first size
        openTable();
        QVERIFY((window().geometry().center() - h_->window.geometry().center()).manhattanLength() <=
                6);
        window().resize(700, 450);
        window().move(37, 21);
        const QPoint place = window().pos();
        table().setColumnWidth(column("Hit Points"), 123);
        const auto restart = [this] {
            h_->prompts.answers = {ui::Answer::No};
            h_->window.menus().exit->trigger();
            QVERIFY(h_->window.endRequested());
            startShownWithGame();
        };
        restart();
        restart();
        openTable();
        QCOMPARE(window().size(), QSize(700, 450));
        QCOMPARE(window().pos(), place);
        QCOMPARE(table().columnWidth(column("Hit Points")), 123);
    }

    // A value typed into a cell goes through the page's rule and message and is one step; the
    // table and the page follow each other and the history.
    void typingIntoACellActsAsThePageDoes() {
        openTable();
        const QString name = list()->item(0)->text();
        const int hitPoints = column("Hit Points");
        typeInto(0, hitPoints, "1234");
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 1234u);
        QCOMPARE(box("hitPointsBox")->text(), QString("1234"));
        QCOMPARE(h_->window.menus().undo->text(), "&Undo Change Hit Points of " + name);
        QVERIFY(model().data(model().index(0, hitPoints), Qt::FontRole).value<QFont>().bold());

        typeInto(0, column("Gold"), "259");  // kept in tens, as the page keeps it
        QCOMPARE(h_->document.unitData.get(uf::goldCost, 0), 25u);
        QCOMPARE(text(0, column("Gold")), QString("250"));
        const int steps = h_->window.history().stack().count();
        const model::UnitDataTable before = h_->document.unitData;
        typeInto(0, column("Armor"), "300");
        QCOMPARE(lastMessage(), QString("Warning|300 does not fit Armor (0 to 255)."));
        typeInto(0, column("Gold"), "2560");
        QCOMPARE(lastMessage(), QString("Warning|2560 does not fit Gold (0 to 2550)."));
        QCOMPARE(text(0, column("Gold")), QString("250"));
        typeInto(0, hitPoints, "abc");
        QCOMPARE(lastMessage(), QString("Tarnwick|'abc' is not a valid integer value."));
        QCOMPARE(h_->prompts.shown.size(), std::size_t{3});
        QVERIFY(h_->document.unitData.bytes == before.bytes);
        QCOMPARE(h_->window.history().stack().count(), steps);
        QCOMPARE(text(0, column("Armor")), QString::number(before.get(uf::armor, 0)));

        h_->window.menus().undo->trigger();
        h_->window.menus().undo->trigger();
        QCOMPARE(text(0, hitPoints),
                 QString::number(demo::demoScenario().unitData.get(uf::hitPoints, 0)));
        type("hitPointsBox", "77");  // on the page
        QCOMPARE(text(0, hitPoints), QString("77"));

        // A list cell offers the page's list; the type brings its domain flag along, as on the
        // page.
        clickCell(0, column("Type"));
        QTest::keyClick(&table(), Qt::Key_F2);
        auto* types = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(types != nullptr);
        QCOMPARE(types->count(), 3);
        QTest::keyClick(types, Qt::Key_S);  // picks "Sea", as typing into a list does
        QTest::keyClick(types, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(h_->document.unitData.get(uf::unitType, 0), 2u);
        QCOMPARE(h_->document.unitData.get(uf::flags, 0) & 0xBu, 0x8u);  // sea only
        QCOMPARE(combo("domainList")->currentText(), QString("Sea"));
        QVERIFY(check("flag3Box")->isChecked());
        QCOMPARE(h_->window.menus().undo->text(), "&Undo Change Type of " + name);

        // A flag cell toggles with a click and sets the page's box.
        const int organic = column("Organic Unit");
        const bool ticked = check("flag27Box")->isChecked();
        clickCell(0, organic);
        QTest::keyClick(&table(), Qt::Key_Space);
        QCOMPARE(check("flag27Box")->isChecked(), !ticked);
        QCOMPARE(h_->window.menus().undo->text(), "&Undo Change Organic Unit of " + name);
    }

    void ctrlEnterAndSetSelectedChangeAColumnInOneStep() {
        openTable();
        const int sight = column("Sight Range");
        clickCell(0, sight);
        clickCell(11, sight, Qt::ShiftModifier);
        const int steps = h_->window.history().stack().count();
        QTest::keyClick(&table(), '9');
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        for (std::size_t unit = 0; unit < 12; ++unit) {
            QCOMPARE(h_->document.unitData.get(uf::sightRange, unit), 9u);
        }
        QCOMPARE(h_->document.unitData.get(uf::sightRange, 12),
                 demo::demoScenario().unitData.get(uf::sightRange, 12));
        QCOMPARE(h_->window.history().stack().count(), steps + 1);
        QCOMPARE(h_->window.menus().undo->text(), QString("&Undo Change Sight Range of 12 units"));

        const int hitPoints = column("Hit Points");
        clickCell(0, hitPoints);
        clickCell(2, hitPoints, Qt::ShiftModifier);
        const model::UnitDataTable before = h_->document.unitData;
        setSelected("*1000");  // past 65535 for some: nothing changes
        QVERIFY(h_->document.unitData.bytes == before.bytes);
        QString refused;
        for (std::size_t unit = 0; unit < 3; ++unit) {
            if (const auto result = before.get(uf::hitPoints, unit) * 1000; result > 65535) {
                refused += QString("\n%1: %2").arg(list()->item(int(unit))->text()).arg(result);
            }
        }
        QVERIFY(!refused.isEmpty());
        QCOMPARE(lastMessage(),
                 "Error|Nothing was changed: Hit Points takes 0 to 65535, and these would not "
                 "fit:" +
                     refused);
        // Ctrl+Enter of a number the field cannot hold: one warning, nothing stored.
        h_->prompts.shown.clear();
        QApplication::setActiveWindow(&window());
        clickCell(2, hitPoints, Qt::ShiftModifier);
        QTest::keyClick(&table(), '7');
        QTest::keyClicks(QApplication::focusWidget(), "0000");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(h_->prompts.texts(), QStringList{"70000 does not fit Hit Points (0 to 65535)."});
        QVERIFY(h_->document.unitData.bytes == before.bytes);
        setSelected("+10%");
        for (std::size_t unit = 0; unit < 3; ++unit) {
            // To the nearest whole number, halves up.
            QCOMPARE(h_->document.unitData.get(uf::hitPoints, unit),
                     (before.get(uf::hitPoints, unit) * 11 + 5) / 10);
        }
        QCOMPARE(h_->window.menus().undo->text(), QString("&Undo Change Hit Points of 3 units"));
        h_->window.menus().undo->trigger();
        QVERIFY(h_->document.unitData.bytes == before.bytes);
    }

    void copiedCellsPasteBackAndBadTextPastesNothing() {
        openTable();
        const int armor = column("Armor");
        const int hitPoints = column("Hit Points");
        clickCell(3, armor);
        clickCell(4, hitPoints, Qt::ShiftModifier);
        QTest::keySequence(&table(), QKeySequence::Copy);
        const QString copied = QGuiApplication::clipboard()->text();
        const auto& units = h_->document.unitData;
        QCOMPARE(copied, QString("id\tname\tarmor\thitPoints\n3\t%1\t%2\t%3\n4\t%4\t%5\t%6\n")
                             .arg(list()->item(3)->text())
                             .arg(units.get(uf::armor, 3))
                             .arg(units.get(uf::hitPoints, 3))
                             .arg(list()->item(4)->text())
                             .arg(units.get(uf::armor, 4))
                             .arg(units.get(uf::hitPoints, 4)));
        const model::UnitDataTable before = units;
        typeInto(3, armor, "1");
        typeInto(4, hitPoints, "2");
        clickCell(9, column("Priority"));  // the ids and the header say where it goes
        QTest::keySequence(&table(), QKeySequence::Paste);
        QVERIFY(units.bytes == before.bytes);
        QCOMPARE(h_->window.menus().undo->text(), QString("&Undo Paste 4 values"));

        // A spreadsheet's column: every value checked first, one message, nothing stored.
        QGuiApplication::clipboard()->setText("12\r\nabc\r\n13\r\nxyz\r\n");
        h_->prompts.shown.clear();
        clickCell(0, armor);
        QTest::keySequence(&table(), QKeySequence::Paste);
        QVERIFY(units.bytes == before.bytes);
        QCOMPARE(lastMessage(),
                 QString("Error|Nothing was pasted:\n%1, Armor: 'abc' is not a valid integer "
                         "value\n%2, Armor: 'xyz' is not a valid integer value")
                     .arg(list()->item(1)->text(), list()->item(3)->text()));
        QGuiApplication::clipboard()->setText("12\n13.0\n");  // as a spreadsheet writes it
        QTest::keySequence(&table(), QKeySequence::Paste);
        QCOMPARE(units.get(uf::armor, 0), 12u);
        QCOMPARE(units.get(uf::armor, 1), 13u);
        QCOMPARE(h_->window.menus().undo->text(), QString("&Undo Change Armor of 2 units"));
    }

    // A block with a header goes to the columns it names, from the current cell's row down; a
    // name the table has no column for, or a number a field cannot hold, pastes nothing.
    void aPastedHeaderSaysWhereEachColumnGoes() {
        openTable();
        const auto& units = h_->document.unitData;
        const model::UnitDataTable before = units;
        const int priority = column("Priority");
        clickCell(5, priority);
        QGuiApplication::clipboard()->setText("hitPoints\tname\tarmor\n11\tx\t12\n13\ty\t14\n");
        QTest::keySequence(&table(), QKeySequence::Paste);
        QCOMPARE(units.get(uf::hitPoints, 5), 11u);
        QCOMPARE(units.get(uf::armor, 5), 12u);
        QCOMPARE(units.get(uf::hitPoints, 6), 13u);
        QCOMPARE(units.get(uf::armor, 6), 14u);
        QCOMPARE(units.get(uf::priority, 5), before.get(uf::priority, 5));
        QCOMPARE(text(5, 0), list()->item(5)->text());
        h_->window.menus().undo->trigger();
        QVERIFY(units.bytes == before.bytes);

        h_->prompts.shown.clear();
        QGuiApplication::clipboard()->setText("armor\tgfxGeneral\n1\t2\n");
        QTest::keySequence(&table(), QKeySequence::Paste);
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"Nothing was pasted:\nthe table has no column \"gfxGeneral\""});
        QGuiApplication::clipboard()->setText("armor\n255.5\n");
        QTest::keySequence(&table(), QKeySequence::Paste);
        QCOMPARE(h_->prompts.texts().last(), "Nothing was pasted:\n" + list()->item(5)->text() +
                                                 ", Armor: '255.5' is not a valid integer value");

        // 70000 for every unit: all refused in one message, nothing stored.
        const int hitPoints = column("Hit Points");
        clickCell(0, hitPoints);
        QGuiApplication::clipboard()->setText(QString("70000\r\n").repeated(110));
        QTest::keySequence(&table(), QKeySequence::Paste);
        QString refused = "Nothing was pasted:";
        for (int unit = 0; unit < 20; ++unit) {
            refused +=
                "\n" + list()->item(unit)->text() + ": 70000 does not fit Hit Points (0 to 65535)";
        }
        QCOMPARE(h_->prompts.texts().last(), refused + "\n... and 90 more");
        QCOMPARE(h_->prompts.shown.back().caption, QString("Error"));
        QVERIFY(units.bytes == before.bytes);
    }

    // Rows with an id go to their units however the table is sorted; an id of a unit not shown
    // pastes nothing.
    void pastedIdsFindTheirUnitsInASortedTable() {
        openTable();
        const auto& units = h_->document.unitData;
        const model::UnitDataTable before = units;
        QHeaderView* header = table().horizontalHeader();
        const int hitPoints = column("Hit Points");
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(hitPoints) + 5, 5));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(hitPoints) + 5, 5));
        QVERIFY(filteredUnit(0) != 0);
        clickCell(0, column("Gold"));
        QGuiApplication::clipboard()->setText("armor\tid\n21\t3\n22\t7.0\n");
        QTest::keySequence(&table(), QKeySequence::Paste);
        QCOMPARE(units.get(uf::armor, 3), 21u);
        QCOMPARE(units.get(uf::armor, 7), 22u);
        QCOMPARE(units.get(uf::armor, filteredUnit(0)), before.get(uf::armor, filteredUnit(0)));
        QCOMPARE(units.get(uf::goldCost, filteredUnit(0)),
                 before.get(uf::goldCost, filteredUnit(0)));
        h_->window.menus().undo->trigger();

        QTest::keyClicks(child<QLineEdit>("filterBox"), list()->item(3)->text());
        QVERIFY(!list()->item(7)->text().contains(list()->item(3)->text(), Qt::CaseInsensitive));
        h_->prompts.shown.clear();
        QTest::keySequence(&table(), QKeySequence::Paste);
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"Nothing was pasted:\nunit 7 is not among the units shown"});
        QVERIFY(units.bytes == before.bytes);
    }

    // A change over several columns changes each cell by its own field's rule, rounding to
    // the nearest value the field holds: a cost to the nearest ten.
    void setSelectedChangesSeveralColumnsAtOnce() {
        openTable();
        typeInto(0, column("Gold"), "250");
        typeInto(0, column("Build Time"), "45");
        const auto& units = h_->document.unitData;
        const model::UnitDataTable before = units;
        clickCell(0, column("Gold"));
        clickCell(1, column("Build Time"), Qt::ShiftModifier);
        setSelected("*100");  // past 2550 in gold for unit 0 at least
        QVERIFY(
            lastMessage().startsWith("Error|Nothing was changed: Gold takes 0 to 2550, and "
                                     "these would not fit:\n" +
                                     list()->item(0)->text() + ": 25000\n"));
        QVERIFY(units.bytes == before.bytes);
        setSelected("-10%");
        QCOMPARE(asked_,
                 QString("New values for 8 cells: a value (20) or a change (+10, -5, *1.5, +10%)"));
        QCOMPARE(units.get(uf::goldCost, 0), 23u);   // 225 is shown as 230
        QCOMPARE(units.get(uf::buildTime, 0), 41u);  // 40.5
        for (std::size_t unit = 0; unit < 2; ++unit) {
            for (const auto* cost : {&uf::goldCost, &uf::lumberCost, &uf::oilCost}) {
                // In tens: a tenth off, to the nearest ten, halves up.
                QCOMPARE(units.get(*cost, unit), (before.get(*cost, unit) * 9 + 5) / 10);
            }
            QCOMPARE(units.get(uf::buildTime, unit),
                     (before.get(uf::buildTime, unit) * 9 + 5) / 10);
        }
        QCOMPARE(h_->window.menus().undo->text(), QString("&Undo Change 8 values"));
    }

    void sortingAndFilteringNeverTouchTheDocument() {
        openTable();
        const Bytes original(h_->document.unitData.bytes.begin(),
                             h_->document.unitData.bytes.end());
        const int hitPoints = column("Hit Points");
        QHeaderView* header = table().horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(hitPoints) + 5, 5));
        QAbstractItemModel& shown = *table().model();
        const auto valueAt = [&](int row) {
            return shown.index(row, hitPoints).data().toString().toLongLong();
        };
        for (int row = 1; row < shown.rowCount(); ++row) {
            QVERIFY(valueAt(row - 1) <= valueAt(row));  // as numbers: 9 before 10
        }
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(hitPoints) + 5, 5));
        QVERIFY(valueAt(0) >= valueAt(shown.rowCount() - 1));
        QVERIFY(std::equal(original.begin(), original.end(), h_->document.unitData.bytes.begin()));
        // The names sort from their own header, as texts.
        QHeaderView* names = table().nameView().horizontalHeader();
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        for (int row = 1; row < shown.rowCount(); ++row) {
            QVERIFY(shown.index(row - 1, 0)
                        .data()
                        .toString()
                        .compare(shown.index(row, 0).data().toString()) <= 0);
        }
        // The right-click action stops at unit 57: the cells past it take nothing.
        QVERIFY(
            !(model().flags(model().index(58, column("Right Mouse button"))) & Qt::ItemIsEditable));

        const QString name = list()->item(5)->text();
        QTest::keyClicks(child<QLineEdit>("filterBox"), name.toUpper());
        QVERIFY(shown.rowCount() >= 1);
        for (int row = 0; row < shown.rowCount(); ++row) {
            QVERIFY(shown.index(row, 0).data().toString().contains(name, Qt::CaseInsensitive));
        }
        child<QLineEdit>("filterBox")->clear();
        QCOMPARE(shown.rowCount(), 110);
        // The demo scenario holds the game's own values: only what the user changes differs.
        QTest::mouseClick(check("changedOnlyBox"), Qt::LeftButton);
        QCOMPARE(shown.rowCount(), 0);
        QTest::mouseClick(check("changedOnlyBox"), Qt::LeftButton);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, 5));
        typeInto(0, hitPoints, "1");
        QTest::mouseClick(check("changedOnlyBox"), Qt::LeftButton);
        QCOMPARE(shown.rowCount(), 1);
        QCOMPARE(shown.index(0, hitPoints).data().toString(), QString("1"));
    }

    // Another file's values take the place of the defaults' marks until the comparison is
    // cleared.
    void comparingWithAFileMarksWhatDiffers() {
        openTable();
        model::Document other = demo::demoScenario();
        other.unitData.set(uf::hitPoints, 2, 60);
        other.unitData.set(uf::armor, 2, 33);
        other.unitData.set(uf::goldCost, 7, 12);
        other.unitData.set(uf::missile, 7, 40);  // past the list: worded by its number
        other.unitData.set(uf::flags, 7, other.unitData.get(uf::flags, 7) ^ (1u << 27));
        const QString otherFile = dir_.filePath("other.pud");
        platform::saveWholeFile(otherFile, files::writeScenario(other));
        h_->prompts.filesToOpen = {otherFile};
        QTest::mouseClick(child<QPushButton>("compareButton"), Qt::LeftButton);
        QLabel* differences = label("differencesLabel");
        QVERIFY(differences->isVisible());
        QCOMPARE(differences->text(), QString("5 values differ in 2 units"));
        const int hitPoints = column("Hit Points");
        QCOMPARE(model().data(model().index(2, hitPoints), Qt::ToolTipRole).toString(),
                 QString("In other.pud: 60"));
        QCOMPARE(model().data(model().index(7, column("Gold")), Qt::ToolTipRole).toString(),
                 QString("In other.pud: 120"));
        QCOMPARE(model().data(model().index(7, column("Missile Type")), Qt::ToolTipRole).toString(),
                 QString("In other.pud: 40"));
        QVERIFY(model().data(model().index(3, hitPoints), Qt::ToolTipRole).isNull());
        QTest::mouseClick(check("changedOnlyBox"), Qt::LeftButton);
        QCOMPARE(table().model()->rowCount(), 2);
        typeInto(0, hitPoints, "60");  // unit 2, now the same as in the file
        QCOMPARE(differences->text(), QString("4 values differ in 2 units"));

        QTest::mouseClick(child<QPushButton>("clearComparisonButton"), Qt::LeftButton);
        QVERIFY(!differences->isVisible());
        QCOMPARE(
            model().data(model().index(2, hitPoints), Qt::ToolTipRole).toString(),
            "Default: " + QString::number(demo::demoScenario().unitData.get(uf::hitPoints, 2)));
        QCOMPARE(table().model()->rowCount(), 1);
    }

    // Every key that moves the cursor leaves the current cell whole in sight, right of the
    // names; so does opening the table again after its row moved.
    void theCurrentCellIsAlwaysSeen() {
        openTable();
        window().resize(500, 300);
        QCoreApplication::processEvents();
        // A name is seen in the name column, a value in the table right of it.
        const auto seen = [this] {
            const QModelIndex current = table().currentIndex();
            const bool name = current.column() == 0;
            const QTableView& view = name ? table().nameView() : table();
            const QRect cell = view.visualRect(current);
            const QRect shown = table().viewport()->rect();
            return cell.left() >= (name ? 0 : table().columnWidth(0)) &&
                   cell.right() <= shown.right() && cell.top() >= 0 &&
                   cell.bottom() <= shown.bottom();
        };
        clickCell(2, 3);
        for (const auto& keys :
             {QKeySequence(Qt::Key_End), QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Right),
              QKeySequence(Qt::Key_End), QKeySequence(Qt::Key_Left), QKeySequence("Ctrl+End"),
              QKeySequence("Ctrl+Home"), QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_Tab),
              QKeySequence(Qt::Key_Down)}) {
            QTest::keySequence(&table(), keys);
            QVERIFY2(seen(), qPrintable(keys.toString()));
        }
        QCOMPARE(table().currentIndex().row(), 1);
        QCOMPARE(table().currentIndex().column(), 2);

        // Sorted by hit points, the unit's row moves while the table is closed.
        const int hitPoints = column("Hit Points");
        clickCell(0, hitPoints);
        QTest::keySequence(&table(), QKeySequence(Qt::Key_End));
        table().sortByColumn(hitPoints, Qt::AscendingOrder);
        const std::size_t unit = static_cast<ui::UnitTableFilter*>(table().model())
                                     ->unitAt(table().currentIndex().row());
        window().close();
        select(static_cast<int>(unit));
        type("hitPointsBox", "65000");
        h_->window.menus().unitTable->trigger();
        QCOMPARE(table().currentIndex().row(), table().model()->rowCount() - 1);
        QVERIFY(seen());
        // Made smaller while closed, it opens with the cell in view as well.
        window().close();
        window().resize(420, 260);
        h_->window.menus().unitTable->trigger();
        QVERIFY(seen());
    }

    // A header click sorts up, then down, then back to the unit list's order, from either
    // header; the arrows of both tell the same.
    void headersCycleUpDownAndBack() {
        openTable();
        const int armor = column("Armor");
        QHeaderView* header = table().horizontalHeader();
        QHeaderView* names = table().nameView().horizontalHeader();
        QAbstractItemModel& shown = *table().model();
        const auto clickHeader = [](QHeaderView* on, int section) {
            QTest::mouseClick(on->viewport(), Qt::LeftButton, {},
                              QPoint(on->sectionViewportPosition(section) + 5, 5));
        };
        const auto runs = [&](int column) {
            QList<qlonglong> values;
            for (int row = 0; row < shown.rowCount(); ++row) {
                values << shown.index(row, column).data(ui::UnitTableModel::kSortRole).toLongLong();
            }
            return values;
        };
        QList<qlonglong> up = runs(armor);
        std::sort(up.begin(), up.end());
        QList<qlonglong> down = up;
        std::reverse(down.begin(), down.end());
        QVERIFY(up != down);
        table().setColumnWidth(armor, 77);
        clickHeader(header, armor);
        QCOMPARE(runs(armor), up);
        // Laid out anew, the columns keep their widths and the names keep to their column.
        QCOMPARE(table().columnWidth(armor), 77);
        QVERIFY(table().nameView().isColumnHidden(armor));
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(header, armor);
        QCOMPARE(runs(armor), down);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(names->sortIndicatorSection(), -1);
        clickHeader(header, armor);
        QCOMPARE(header->sortIndicatorSection(), -1);
        for (int row = 0; row < shown.rowCount(); ++row) {
            QCOMPARE(shown.index(row, 0).data().toString(), list()->item(row)->text());
        }

        clickHeader(names, 0);
        QCOMPARE(header->sortIndicatorSection(), 0);
        clickHeader(names, 0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(names->sortIndicatorOrder(), Qt::DescendingOrder);
        QVERIFY(shown.index(0, 0).data().toString() >=
                shown.index(shown.rowCount() - 1, 0).data().toString());
        clickHeader(names, 0);
        QCOMPARE(header->sortIndicatorSection(), -1);
        QCOMPARE(shown.index(5, 0).data().toString(), list()->item(5)->text());
    }

    // Ctrl+S saves what is being typed too; the undo keys work as in the main window.
    void theMainWindowsKeysWorkInTheTable() {
        openTable();
        const int armor = column("Armor");
        clickCell(3, armor);
        QTest::keyClick(&table(), '3');
        QTest::keyClicks(QApplication::focusWidget(), "9");
        QTest::keySequence(QApplication::focusWidget(), QKeySequence("Ctrl+S"));
        QCOMPARE(h_->document.unitData.get(uf::armor, 3), 39u);
        QVERIFY(h_->window.history().isAtSavedState());
        model::Document written;
        files::readScenario(written, saved());
        QCOMPARE(written.unitData.get(uf::armor, 3), 39u);
        QTest::keySequence(&table(), QKeySequence("Ctrl+Z"));
        QCOMPARE(h_->document.unitData.get(uf::armor, 3),
                 demo::demoScenario().unitData.get(uf::armor, 3));
        QTest::keySequence(&table(), QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(text(3, armor), QString("39"));
    }

    // A change tells the views of its cells alone, and of the name while the row's mark changes.
    void aChangeRepaintsOnlyItsCells() {
        openTable();
        QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
        const int armor = column("Armor");
        const int hitPoints = column("Hit Points");
        typeInto(4, armor, "33");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model().index(4, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model().index(4, armor));
        changed.clear();
        typeInto(4, hitPoints, "5");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model().index(4, hitPoints));
        QCOMPARE(changed[0][1].toModelIndex(), model().index(4, hitPoints));
    }

  private:
    ui::UnitTableWindow& window() const { return h_->window.unitTable(); }
    ui::UnitTableModel& model() const { return window().units(); }
    ui::UnitTableView& table() const { return window().table(); }

    void openTable() {
        open(files::writeScenario(demo::demoScenario()));
        h_->window.menus().unitTable->trigger();
        QVERIFY(window().isVisible());
        QApplication::setActiveWindow(&window());
        h_->prompts.shown.clear();
    }
    int column(const QString& header) const {
        for (int c = 0; c < model().columnCount(); ++c) {
            if (model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == header) {
                return c;
            }
        }
        qFatal("no column %s", qPrintable(header));
    }
    QString text(int row, int column) const { return model().index(row, column).data().toString(); }
    QString lastMessage() const {
        if (h_->prompts.shown.empty()) {
            return {};
        }
        const auto& m = h_->prompts.shown.back();
        return m.caption + "|" + m.text;
    }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
        const QModelIndex index = table().model()->index(row, column);
        table().scrollTo(index);
        QTest::mouseClick(table().viewport(), Qt::LeftButton, modifiers,
                          table().visualRect(index).center());
    }
    void typeInto(int row, int column, const QString& typed) {
        clickCell(row, column);
        QTest::keyClick(&table(), typed.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), typed.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // the view stores the value from its event loop
    }
    // The unit a row of the table shows, sorted and filtered as it is.
    std::size_t filteredUnit(int row) const {
        return static_cast<const ui::UnitTableFilter*>(table().model())->unitAt(row);
    }
    void setSelected(const QString& change) {
        QTimer::singleShot(0, &window(), [this, change] {
            auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(ask != nullptr);
            asked_ = ask->labelText();
            QLineEdit* entry = ask->findChild<QLineEdit*>();
            QTest::keyClicks(entry, change);
            QTest::keyClick(entry, Qt::Key_Return);
        });
        QTest::mouseClick(child<QPushButton>("setSelectedButton"), Qt::LeftButton);
    }

    QString asked_;
};

TARNWICK_UI_TEST_MAIN(UnitTableTest)
#include "UnitTableTest.moc"
