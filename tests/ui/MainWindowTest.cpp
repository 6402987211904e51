#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWheelEvent>
#include "ScenarioBuilder.h"
#include "platform/FileStore.h"

#include "UiTestSupport.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/prompts/QtPrompts.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using model::DocumentKind;
using ui::Answer;

namespace {

// "text|shortcut" per item, "-" per separator, "text>" per enableRestrictionsItems.
QStringList itemsOf(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items << "-";
        } else if (action->menu() != nullptr) {
            items << action->text() + ">";
        } else {
            items << action->text() + "|" + action->shortcut().toString();
        }
    }
    return items;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { h_ = std::make_unique<MainWindowHarness>(); }

    void layoutAtStart() {
        auto& w = h_->window;
        // The work area fits the initial size: a layout that needed more would grow the window.
        QCOMPARE(w.size(), QSize(561, 398));
        // Every row, named by its fallback name until the game's names are read.
        auto* list = w.findChild<QListWidget*>("unitList");
        QVERIFY(list != nullptr);
        QCOMPARE(list->count(), 127);
        QCOMPARE(list->item(0)->text(), QString("Unit 0"));
        QCOMPARE(list->item(105)->text(), QString("-Corpse-"));

        auto* pages = w.findChild<QTabWidget*>("unitPages");
        QVERIFY(pages != nullptr);
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QString("General"));
        QCOMPARE(pages->tabText(1), QString("Flags"));
        QCOMPARE(pages->tabText(2), QString("GFX"));
        QCOMPARE(pages->currentIndex(), 2);
    }

    void aWideWindowShowsAWholeUnitWithoutScrolling() {
        h_->startWithGame();
        h_->window.show();
        QTemporaryDir dir;
        platform::saveWholeFile(dir.filePath("a.pud"), scenarioWithUnits({}));
        h_->window.openFile(dir.filePath("a.pud"));
        auto* pages = h_->window.findChild<QTabWidget*>("unitPages");
        pages->setCurrentIndex(0);
        auto* scroll = qobject_cast<QScrollArea*>(
            h_->window.findChild<QWidget*>("generalContent")->parentWidget()->parentWidget());
        QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);  // one column at the first size
        h_->window.resize(1280, 800);
        QTRY_COMPARE(scroll->verticalScrollBar()->maximum(), 0);
        auto* hitPoints = h_->window.findChild<QLineEdit*>("hitPointsBox");
        auto* buildTime = h_->window.findChild<QLineEdit*>("buildTimeBox");
        QVERIFY(hitPoints->mapTo(scroll, QPoint()).x() < buildTime->mapTo(scroll, QPoint()).x());
        // A full-HD window puts the groups side by side in four columns.
        h_->window.resize(1920, 1080);
        QTRY_COMPARE(groupColumns(), 4);
    }

    void theUnitListKeepsTheWidthTheUserGaveIt() {
        h_->startWithGame();
        h_->window.show();
        h_->window.resize(1000, 700);
        auto* splitter = h_->window.findChild<QSplitter*>("workSplitter");
        QTRY_VERIFY(splitter->width() > 900);
        const int fitted = splitter->sizes().constFirst();
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        const QPoint to = grip + QPoint(60, 0);
        QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(handle, &move);  // QTest moves the mouse with no button held
        QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
        const int dragged = splitter->sizes().constFirst();
        QVERIFY(dragged >= fitted + 50);
        // A wider window widens the pages, not the list.
        h_->window.resize(h_->window.width() + 300, h_->window.height());
        QTRY_COMPARE(splitter->sizes().constFirst(), dragged);

        h_->prompts.answers = {Answer::No};
        h_->window.menus().exit->trigger();
        h_ = std::make_unique<MainWindowHarness>();
        h_->window.show();
        QCOMPARE(h_->window.findChild<QSplitter*>("workSplitter")->sizes().constFirst(), dragged);
        // The next tests start at the first size again.
        h_->settings.setMainWindowGeometry({});
        h_->settings.setUnitListWidth(0);
    }

    void theWheelScrollsThePageWithoutChangingTheUnit() {
        h_->startWithGame();
        h_->window.show();
        h_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h_->window));
        QTemporaryDir dir;
        platform::saveWholeFile(dir.filePath("a.pud"), scenarioWithUnits({}));
        h_->window.openFile(dir.filePath("a.pud"));
        h_->window.findChild<QTabWidget*>("unitPages")->setCurrentIndex(0);
        auto* scroll = qobject_cast<QScrollArea*>(
            h_->window.findChild<QWidget*>("generalContent")->parentWidget()->parentWidget());
        QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);
        const auto wheelDownOver = [](QWidget* control) {
            const QPointF at = control->rect().center();
            QWheelEvent wheel(at, control->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(control, &wheel);
        };
        auto* domain = h_->window.findChild<QComboBox*>("domainList");
        const auto before = h_->document.unitData.bytes;
        wheelDownOver(domain);
        QCOMPARE(h_->document.unitData.bytes, before);
        QVERIFY(scroll->verticalScrollBar()->value() > 0);
        // Once the user picked the list, the wheel is the list's.
        domain->setFocus();
        wheelDownOver(domain);
        QVERIFY(h_->document.unitData.bytes != before);
    }

    // Without a menu ever opened, buttons and shortcuts follow every change of the document.
    void commandStatesFollowTheDocumentWithoutAMenu() {
        h_->startWithGame();
        const auto& m = h_->window.menus();
        QTemporaryDir dir;
        auto sections = typicalScenarioSections();
        sections.push_back({"ALOW", Bytes(384, 0)});
        platform::saveWholeFile(dir.filePath("r.pud"), chainOf(sections));
        platform::saveWholeFile(dir.filePath("u.udt"), Bytes(5694, 0));
        platform::saveWholeFile(dir.filePath("g.ugd"), Bytes(780, 0));

        h_->window.openFile(dir.filePath("r.pud"));
        QVERIFY(m.restrictionsButton->isEnabled() && m.restrictionsEditor->isEnabled());
        QVERIFY(m.exportRestrictions->isEnabled());
        h_->prompts.answers = {Answer::Yes};
        m.removeRestrictions->trigger();
        QVERIFY(!m.restrictionsButton->isEnabled() && !m.exportRestrictions->isEnabled());
        m.addRestrictions->trigger();
        QVERIFY(m.restrictionsButton->isEnabled());

        openDroppingEdits(*h_, dir.filePath("u.udt"));
        QVERIFY(!m.restrictionsButton->isEnabled());
        QVERIFY(m.exportUnitData->isEnabled() && !m.upgradesButton->isEnabled());
        h_->window.openFile(dir.filePath("g.ugd"));
        QVERIFY(m.upgradesButton->isEnabled() && !m.exportUnitData->isEnabled());
    }

    void theWindowComesBackWhereItWasAndToolWindowsOpenOnIt() {
        h_->window.show();
        h_->window.setGeometry(60, 40, 720, 540);
        h_->prompts.answers = {Answer::No};
        h_->window.menus().exit->trigger();
        QVERIFY(h_->window.endRequested());

        h_ = std::make_unique<MainWindowHarness>();
        QCOMPARE(h_->window.geometry(), QRect(60, 40, 720, 540));
        h_->window.show();
        h_->window.menus().viewMinimap->trigger();
        auto* minimap = h_->window.findChild<ui::MinimapWindow*>();
        QVERIFY(minimap->isVisible());
        QVERIFY((minimap->geometry().center() - h_->window.geometry().center()).manhattanLength() <=
                6);
        // After that it stays where the user put it.
        minimap->move(5, 5);
        const QPoint moved = minimap->pos();
        h_->window.menus().viewMinimap->trigger();
        h_->window.menus().viewMinimap->trigger();
        QCOMPARE(minimap->pos(), moved);

        // Maximised at the end, maximised at the next start.
        h_->window.showMaximized();
        h_->prompts.answers = {Answer::No};
        h_->window.menus().exit->trigger();
        h_ = std::make_unique<MainWindowHarness>();
        h_->window.show();
        QVERIFY(h_->window.isMaximized());
    }

    // Both useDefault words clear: no notice above the pages.
    void tabGoesFromTheSearchToTheListToThePageInReadingOrder() {
        h_->startWithGame();
        h_->window.show();
        h_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h_->window));
        QTemporaryDir dir;
        platform::saveWholeFile(
            dir.filePath("a.pud"),
            typicalScenarioWith({{"UDTA", Bytes(5696, 0)}, {"UGRD", Bytes(782, 0)}}));
        h_->window.openFile(dir.filePath("a.pud"));
        auto* pages = h_->window.findChild<QTabWidget*>("unitPages");
        auto* search = h_->window.findChild<QLineEdit*>("searchBox");
        for (const int page : {0, 1}) {
            pages->setCurrentIndex(page);
            const auto* content =
                h_->window.findChild<QWidget*>(page == 0 ? "generalContent" : "flagsContent");
            search->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), h_->window.findChild<QListWidget*>("unitList"));
            // Then every control of the shown page once, the top-left one first, and back to
            // the search: no stop the user cannot see.
            QList<QWidget*> controls;
            for (QWidget* control : content->findChildren<QWidget*>()) {
                if (control->isVisibleTo(content) && (control->focusPolicy() & Qt::TabFocus)) {
                    controls << control;
                }
            }
            const auto topLeft = [content](const QWidget* control) {
                const QPoint at = control->mapTo(content, QPoint());
                return std::pair(at.y(), at.x());
            };
            QList<QWidget*> reached;
            for (int stop = 0; stop <= controls.size(); ++stop) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached << QApplication::focusWidget();
            }
            QCOMPARE(reached.takeLast(), search);
            if (page == 1) {  // down the first column of "Unit Type: ", not in flag bit order
                QCOMPARE(QStringList({reached[0]->objectName(), reached[1]->objectName()}),
                         QStringList({"flag10Box", "flag25Box"}));
            }
            QCOMPARE(topLeft(reached.first()),
                     topLeft(*std::min_element(controls.begin(), controls.end(),
                                               [&](const QWidget* a, const QWidget* b) {
                                                   return topLeft(a) < topLeft(b);
                                               })));
            std::sort(reached.begin(), reached.end());
            std::sort(controls.begin(), controls.end());
            QCOMPARE(reached, controls);
        }
    }

    void messageBoxesAreWideEnoughForTheirCaption() {
        const QString caption = "Cant import a UDTA or UGRD into a PUD slot, said the long caption";
        QMessageBox box(QMessageBox::Warning, caption, "OK?", QMessageBox::Ok);
        const int before = box.sizeHint().width();
        ui::widenForCaption(box);
        QVERIFY(box.sizeHint().width() > before);
        QVERIFY(box.sizeHint().width() > box.fontMetrics().horizontalAdvance(caption) + 100);
    }

    void theUnitListShowsItsLongestNameWhole() {
        h_->startWithGame();
        h_->window.show();
        auto* list = h_->window.findChild<QListWidget*>("unitList");
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
        QVERIFY(list->item(0)->text() != QString());  // the game's names were read
    }

    void toolbarButtonsAndHints() {
        auto* bar = h_->window.findChild<QToolBar*>("toolBar");
        QVERIFY(bar != nullptr);
        QStringList hints;
        for (const QAction* action : bar->actions()) {
            hints << action->toolTip();
        }
        QCOMPARE(hints, (QStringList{"Open", "Save", "Restrictions", "Upgrades", "Exit"}));
    }

    void menusItemsShortcutsAndSeparators() {
        const auto& m = h_->window.menus();
        QCOMPARE(
            itemsOf(m.file),
            (QStringList{"&Open...|Ctrl+O", "Open &Recent>", "Direct Open |", "-", "&Save|Ctrl+S",
                         "&Save As...|", "Direct Save|", "Import File|", "Export...>",
                         "Apply Changes &File...|", "Save &Changes As...|", "-", "&Close Data|",
                         "-", "&Choose WarCraft II Directory.|", "&Exit|Ctrl+X"}));
        QCOMPARE(itemsOf(m.exportMenu),
                 (QStringList{"Export MAINDAT style UDTA|", "Export MAINDAT style UGRD|",
                              "Export as U&P (Upgrade Section)|", "Export as &UN (Unit Section)|",
                              "Export as &ALO (Restrictions)|"}));
        QCOMPARE(itemsOf(m.information), (QStringList{"&UDTA Style|", "&Game Balance|",
                                                      "Balance &Map|", "Unit &Table|Ctrl+T"}));
        QCOMPARE(itemsOf(m.pudOptions),
                 (QStringList{"&Map Properties...|", "&Player Properties...|",
                              "&Starting Resources...|", "&View Minimap|Ctrl+M"}));
        QCOMPARE(itemsOf(m.edit),
                 (QStringList{"Copy Unit Data|Ctrl+C", "Paste Unit Data|Ctrl+V", "-",
                              "Edit &UGRD|Ctrl+U", "&Restrictions Editor|Ctrl+R", "-",
                              "&Use Default UDTA|Ctrl+F1", "Use Default UG&RD|Ctrl+F2",
                              "Restrictions>", "-", "&Undo|Ctrl+Z", "&Redo|Ctrl+Shift+Z"}));
        QCOMPARE(itemsOf(m.restrictionsMenu),
                 (QStringList{"Add Default Restrictions|", "Remove|"}));
        QCOMPARE(itemsOf(m.help), (QStringList{"&Keyboard Shortcuts|", "&About...|F1"}));

        QStringList menuBar;
        for (const QAction* action : h_->window.menuBar()->actions()) {
            menuBar << action->text() + (action->isVisible() ? "" : " (hidden)");
        }
        QCOMPARE(menuBar,
                 (QStringList{"&File", "Information", "&PUD Options (hidden)", "&Edit", "Help"}));
        QVERIFY(m.useDefaultUnitData->isCheckable());
        QVERIFY(m.useDefaultUpgrades->isCheckable());
    }

    void enablingByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("unitItems");
        QTest::addColumn<bool>("upgradeItems");
        QTest::addColumn<bool>("scenarioItems");
        QTest::newRow("scenario") << int(DocumentKind::Scenario) << true << true << true;
        QTest::newRow("unit data") << int(DocumentKind::UnitData) << true << false << false;
        QTest::newRow("upgrade data") << int(DocumentKind::UpgradeData) << false << true << false;
    }

    void enablingByKind() {
        QFETCH(int, kind);
        QFETCH(bool, unitItems);
        QFETCH(bool, upgradeItems);
        QFETCH(bool, scenarioItems);
        auto& doc = h_->document;
        const auto& m = h_->window.menus();
        doc.kind = DocumentKind(kind);
        // As a read leaves it: only a scenario carries restrictions.
        doc.setHasRestrictions(scenarioItems);

        for (QMenu* menu : {m.file, m.edit}) {
            openMenu(menu);
            QCOMPARE(m.useDefaultUpgrades->isEnabled(), scenarioItems);
            QCOMPARE(m.exportUnitSection->isEnabled(), unitItems);
            QCOMPARE(m.exportUnitData->isEnabled(), unitItems);
            QCOMPARE(m.editUpgrades->isEnabled(), upgradeItems);
            QCOMPARE(m.upgradesButton->isEnabled(), upgradeItems);
            QCOMPARE(m.exportUpgradeData->isEnabled(), upgradeItems);
            QCOMPARE(m.exportUpgradeSection->isEnabled(), upgradeItems);
            QCOMPARE(m.importFile->isEnabled(), upgradeItems);
            QCOMPARE(m.useDefaultUnitData->isEnabled(), scenarioItems);
            QCOMPARE(m.restrictionsMenu->menuAction()->isEnabled(), scenarioItems);
            QCOMPARE(m.restrictionsEditor->isEnabled(), scenarioItems);
            QCOMPARE(m.restrictionsButton->isEnabled(), scenarioItems);
        }
    }

    void enablingWithNothingLoadedKeepsItemStates() {
        auto& doc = h_->document;
        const auto& m = h_->window.menus();
        openMenu(m.file);
        QVERIFY(m.importFile->isEnabled());
        QVERIFY(!m.useDefaultUpgrades->isEnabled());
        QVERIFY(!m.restrictionsEditor->isEnabled());

        doc.kind = DocumentKind::UnitData;
        openMenu(m.edit);
        doc.kind = DocumentKind::None;
        doc.setHasRestrictions(true);
        openMenu(m.pudOptions);
        QVERIFY(!m.importFile->isEnabled());
        QVERIFY(m.exportUnitData->isEnabled());
        QVERIFY(!m.editUpgrades->isEnabled());
        QVERIFY(m.restrictionsEditor->isEnabled());
        QVERIFY(m.restrictionsButton->isEnabled());
        QVERIFY(doc.hasRestrictions());
    }

    void restrictionsAndExportSubmenus() {
        auto& doc = h_->document;
        const auto& m = h_->window.menus();
        for (const bool held : {true, false}) {
            doc.setHasRestrictions(held);
            openMenu(m.restrictionsMenu);
            QCOMPARE(m.removeRestrictions->isEnabled(), held);
            QCOMPARE(m.addRestrictions->isEnabled(), !held);
            openMenu(m.exportMenu);
            QCOMPARE(m.exportRestrictions->isEnabled(), held);
        }
    }

    void useDefaultTogglesCountDown() {
        auto& doc = h_->document;
        const auto& m = h_->window.menus();
        doc.kind = DocumentKind::Scenario;  // the upgrades' word is a scenario's only
        doc.isLoaded = true;
        doc.unitData.set(model::unitfields::useDefault, 0, 3);
        doc.upgrades.set(model::upgradefields::useDefault, 0, 3);
        QList<std::pair<std::uint32_t, bool>> unitSeen;
        QList<std::pair<std::uint32_t, bool>> upgradeSeen;
        for (int i = 0; i < 4; ++i) {
            m.useDefaultUnitData->trigger();
            unitSeen << std::pair{doc.unitData.get(model::unitfields::useDefault, 0),
                                  m.useDefaultUnitData->isChecked()};
            m.useDefaultUpgrades->trigger();
            upgradeSeen << std::pair{doc.upgrades.get(model::upgradefields::useDefault, 0),
                                     m.useDefaultUpgrades->isChecked()};
        }
        const QList<std::pair<std::uint32_t, bool>> expected = {
            {2, false}, {1, false}, {0, false}, {1, true}};
        QCOMPARE(unitSeen, expected);
        QCOMPARE(upgradeSeen, expected);
        // The rest of the tables is untouched.
        QCOMPARE(doc.unitData.get(model::unitfields::gfxGroup, 0), 0u);
    }

    void closeDataForgetsTheFileButKeepsTheSections() {
        auto& doc = h_->document;
        doc.kind = DocumentKind::Scenario;
        doc.isLoaded = true;
        doc.fileName = "/maps/a.pud";
        doc.setHasRestrictions(true);
        doc.hasExpansionGfx = true;
        doc.blob(model::SectionId::TileMap).assign(8, 1);
        doc.body(model::SectionId::Description)[0] = 'X';
        h_->window.menus().closeData->trigger();
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - [NONE]"));
        QVERIFY(!doc.isLoaded);
        QCOMPARE(doc.kind, DocumentKind::None);
        QVERIFY(doc.fileName.empty());
        QVERIFY(doc.blob(model::SectionId::TileMap).empty());
        QVERIFY(doc.hasRestrictions());
        QVERIFY(doc.hasExpansionGfx);
        QCOMPARE(doc.body(model::SectionId::Description)[0], std::uint8_t('X'));
        QVERIFY(h_->prompts.shown.empty());
    }

    void uncaughtErrorsReachTheStandardErrorBox() {
        ScriptedPrompts prompts;
        ui::runGuarded(prompts, [] { throw Error("Something went wrong"); });
        QCOMPARE(prompts.shown.size(), std::size_t{1});
        QCOMPARE(prompts.shown[0].icon, ui::MessageIcon::Error);
        QCOMPARE(prompts.shown[0].caption, QString("Tarnwick"));
        QCOMPARE(prompts.shown[0].text, QString("Something went wrong."));
        QCOMPARE(prompts.shown[0].buttons, ui::Buttons::Ok);
    }

  private:
    // How many columns the General page's groups stand in.
    int groupColumns() const {
        const auto* content = h_->window.findChild<QWidget*>("generalContent");
        QSet<int> lefts;
        for (const QGroupBox* group :
             content->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
            lefts.insert(group->x());
        }
        return static_cast<int>(lefts.size());
    }

    std::unique_ptr<MainWindowHarness> h_;
};

TARNWICK_UI_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
