#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include "DemoScenario.h"
#include "UiTestSupport.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"
#include "ui/layout/ScrollingContent.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

// Every window the menus open, opened as a user does on a small screen (ctest runs this at
// 1280 x 720 and at 200 % scaling on 1920 x 1080): it lies wholly on the screen, its smallest
// size fits there too, and every button is in reach, if need be by scrolling.
class ScreenFitTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The offscreen platform's font has 9 points; a desktop's has 10 or 11, and windows
        // grow with it.
        QFont font = QApplication::font();
        font.setPointSize(11);
        QApplication::setFont(font);
        const QString ford = dir_.filePath("ford.pud");
        platform::saveWholeFile(ford, files::writeScenario(demo::demoScenario()));
        startShownWithGame();
        h_->window.openFile(ford);
        QVERIFY(h_->prompts.shown.empty());
        select(0);
        qInfo("available: %d x %d logical pixels", h_->window.screen()->availableGeometry().width(),
              h_->window.screen()->availableGeometry().height());
    }

    void theMainWindowFitsOnEveryPage() {
        auto* pages = child<QTabWidget>("unitPages");
        for (int page = 0; page < pages->count(); ++page) {
            QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                              pages->tabBar()->tabRect(page).center());
            QCOMPARE(pages->currentIndex(), page);
            fits(h_->window);
        }
    }

    void modalWindowsFit() {
        const ui::MainMenus& m = h_->window.menus();
        for (QAction* item : {m.editUpgrades, m.restrictionsEditor, m.directOpen, m.directSave,
                              m.udtaStyle, m.gameBalance, m.about}) {
            QVERIFY2(runModal(item,
                              [](QDialog& window) {
                                  fits(window);
                                  scrollsOnlyWhereItMust(window);
                                  window.reject();
                              }),
                     qPrintable(item->text()));
        }
    }

    void toolWindowsFit() {
        const ui::MainMenus& m = h_->window.menus();
        for (QAction* item : {m.unitTable, m.mapProperties, m.playerProperties, m.startingResources,
                              m.viewMinimap, m.balanceMap, m.keyboardShortcuts}) {
            const QWidgetList before = shownWindows();
            item->trigger();
            const QWidgetList after = shownWindows();
            QCOMPARE(after.size(), before.size() + 1);
            for (QWidget* window : after) {
                if (!before.contains(window)) {
                    fits(*window);
                    window->close();
                }
            }
        }
    }

    // The box sizer enlarges a frame as far as the screen lets it, no further.
    void theBoxSizerFitsALargeFrame() {
        const QString sprite = dir_.filePath("large.gfx");
        platform::saveWholeFile(sprite, demo::demoSprite(2, 96, 96, 7));
        h_->prompts.filesToOpen = {sprite};
        auto* pages = child<QTabWidget>("unitPages");
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                          pages->tabBar()->tabRect(0).center());
        QPushButton* sizerButton = child<QPushButton>("boxSizerButton");
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            auto* selection = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(selection != nullptr);
            opened = true;
            fits(*selection);
            QTest::mouseClick(control<QAbstractButton>(*selection, "gfxFileButton"),
                              Qt::LeftButton);
            QTest::mouseClick(control<QAbstractButton>(*selection, "continueButton"),
                              Qt::LeftButton);
        });
        QTest::mouseClick(sizerButton, Qt::LeftButton);
        QVERIFY(opened);
        QCOMPARE(h_->prompts.texts(), QStringList{});
        QWidget& sizer = *control<QWidget>(h_->window, "boxSizer");
        QVERIFY(sizer.isVisible());
        fits(sizer);
        sizer.close();
    }

  private:
    static QWidgetList shownWindows() {
        QWidgetList shown;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                shown << window;
            }
        }
        return shown;
    }

    // A window's controls scroll only when the screen has no room to show them whole.
    static void scrollsOnlyWhereItMust(const QWidget& window) {
        for (const ui::ScrollingContent* area : window.findChildren<ui::ScrollingContent*>()) {
            const int shortBy = area->verticalScrollBar()->maximum();
            const int spare =
                window.screen()->availableGeometry().height() - window.frameGeometry().height();
            QVERIFY2(!area->isVisibleTo(&window) || shortBy == 0 || spare == 0,
                     qPrintable(QString("%1 scrolls by %2 pixels with %3 to spare")
                                    .arg(window.windowTitle())
                                    .arg(shortBy)
                                    .arg(spare)));
        }
    }

    // Whether `button` can be brought into view in `window`: it lies within the window and
    // within every area that shows it, except in the directions that area scrolls.
    static bool inReach(const QAbstractButton& button, const QWidget& window) {
        const QWidget* shown = &button;
        for (const QWidget* parent = button.parentWidget(); parent != &window;
             parent = parent->parentWidget()) {
            const auto* area = qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
            if (area == nullptr || area->viewport() != parent) {
                continue;
            }
            const QRect place(shown->mapTo(parent, QPoint()), shown->size());
            if (area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                (place.left() < 0 || place.right() >= parent->width())) {
                return false;
            }
            shown = area;
        }
        return window.rect().contains(QRect(shown->mapTo(&window, QPoint()), shown->size()));
    }

    static void buttonsInReach(const QWidget& window) {
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            QVERIFY2(!button->isVisibleTo(&window) || inReach(*button, window),
                     qPrintable(QString("%1 at %2 x %3: \"%4\" is out of reach")
                                    .arg(window.windowTitle())
                                    .arg(window.width())
                                    .arg(window.height())
                                    .arg(button->text())));
        }
    }

    static void fits(QWidget& window) {
        QCoreApplication::processEvents();
        QVERIFY(window.isVisible());
        const QString title = window.windowTitle();
        const QRect area = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QString("%1 lies at %2,%3 %4 x %5")
                                                      .arg(title)
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        const QSize border = frame.size() - window.size();
        const QSize smallest = window.minimumSize().expandedTo(window.minimumSizeHint()) + border;
        QVERIFY2(smallest.width() <= area.width() && smallest.height() <= area.height(),
                 qPrintable(QString("%1 is at least %2 x %3")
                                .arg(title)
                                .arg(smallest.width())
                                .arg(smallest.height())));
        buttonsInReach(window);
        // Made as small as it lets itself be, it still shows every button.
        const QSize opened = window.size();
        window.resize(window.minimumSize());
        QCoreApplication::processEvents();
        buttonsInReach(window);
        window.resize(opened);
    }

    QTemporaryDir dir_;
};

TARNWICK_UI_TEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"
