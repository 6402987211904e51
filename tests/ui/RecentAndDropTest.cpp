#include <cstdio>
#include <filesystem>
#include <fstream>

#include <QDropEvent>
#include <QMimeData>
#include <QScopeGuard>
#include <QSettings>
#include <QUrl>

#include "DemoScenario.h"
#include "UiTestSupport.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

class RecentAndDropTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() {
        platform::SettingsStore().setRecentFiles({});
        startShownWithGame();
    }

    void recentFilesOrderLimitMissingFileAndClear() {
        for (int i = 1; i <= 10; ++i) {
            h_->prompts.filesToOpen = {upgradeFile(i)};
            h_->window.menus().open->trigger();
        }
        h_->window.openFile(upgradeFile(4));
        h_->prompts.filesToSave = {dir_.filePath("saved.ugd")};
        h_->window.menus().saveAs->trigger();
        QCOMPARE(recentItems(),
                 (QStringList{
                     "&1 " + native("saved.ugd"), "&2 " + native("4.ugd"), "&3 " + native("10.ugd"),
                     "&4 " + native("9.ugd"), "&5 " + native("8.ugd"), "&6 " + native("7.ugd"),
                     "&7 " + native("6.ugd"), "&8 " + native("5.ugd"), "-", "Clear Menu"}));

        // Kept for the next run.
        MainWindowHarness next;
        QCOMPARE(next.window.recentFiles().files().size(), 8);

        QFile::remove(upgradeFile(10));
        recentItem(3)->trigger();
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"\"" + native("10.ugd") +
                             "\" no longer exists and was removed from the list."});
        QCOMPARE(h_->window.recentFiles().files().size(), 7);
        QCOMPARE(QString::fromStdString(h_->document.fileName), dir_.filePath("saved.ugd"));

        recentItem(3)->trigger();  // 9.ugd, now third
        QCOMPARE(QString::fromStdString(h_->document.fileName), dir_.filePath("9.ugd"));
        QCOMPARE(recentItems().constFirst(), "&1 " + native("9.ugd"));

        shownItem("clearRecentItem")->trigger();
        QCOMPARE(recentItems(), (QStringList{"-", "Clear Menu"}));
        QVERIFY(!shownItem("clearRecentItem")->isEnabled());
    }

    // A Latin-1 name, as the command line gives it: opened, saved and listed as the same bytes,
    // shown escaped, and still the same bytes in the store the next run reads.
    void aNameThatIsNoUtf8StaysItsBytes() {
        const std::string bytes = dir_.path().toStdString() + "/lat\xE9.ugd";
        const std::vector<std::uint8_t> content = files::writeUpgradeFile(demo::demoScenario());
        std::ofstream(bytes, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
        const auto removed = qScopeGuard([&] { std::remove(bytes.c_str()); });
        h_->window.openFile(platform::fileNameFromBytes(QByteArray::fromStdString(bytes)));
        QCOMPARE(h_->prompts.texts(), QStringList{});
        QCOMPARE(h_->document.fileName, bytes);
        QCOMPARE(recentItems().constFirst(), "&1 " + native("lat") + "\\xE9.ugd");
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - lat\\xE9.ugd - [UGRD]"));
        // Dropped from a file manager, percent-encoded, the name is the same bytes.
        h_->window.menus().closeData->trigger();
        QMimeData dragged;
        dragged.setData(
            "text/uri-list",
            "file://" + QByteArray::fromStdString(bytes).toPercentEncoding("/") + "\r\n");
        QVERIFY(drag(dragged));
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QApplication::sendEvent(&h_->window, &drop);
        QCOMPARE(h_->prompts.texts(), QStringList{});
        QCOMPARE(h_->document.fileName, bytes);

        h_->window.menus().save->trigger();
        QCOMPARE(h_->prompts.texts(), QStringList{});
        std::vector<std::string> saved;  // the one file, and no namesake of another spelling
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path().toStdString())) {
            if (entry.path().filename().string().starts_with("lat")) {
                saved.push_back(entry.path().filename().string());
            }
        }
        QCOMPARE(saved, std::vector<std::string>{"lat\xE9.ugd"});

        const QString copy = dir_.filePath("store.conf");
        QVERIFY(QFile::copy(platform::SettingsStore().location(), copy));
        const QVariant stored = QSettings(copy, QSettings::IniFormat).value("RecentFiles");
        QCOMPARE(stored.toList().value(0).toByteArray().toStdString(), bytes);

        h_->window.openFile(upgradeFile(1));
        recentItem(2)->trigger();
        QCOMPARE(h_->prompts.texts(), QStringList{});
        QCOMPARE(h_->document.fileName, bytes);
    }

    void aDroppedScenarioOpensAsIfChosen() {
        h_->window.openFile(upgradeFile(1));
        const QString scenario = dir_.filePath("dropped.pud");
        platform::saveWholeFile(scenario, files::writeScenario(demo::demoScenario()));

        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(scenario), QUrl::fromLocalFile(upgradeFile(2))});
        QVERIFY(!drag(two));

        QMimeData one;
        one.setUrls({QUrl::fromLocalFile(scenario)});
        QVERIFY(drag(one));
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &one, Qt::LeftButton, {});
        QApplication::sendEvent(&h_->window, &drop);
        QCOMPARE(h_->document.kind, model::DocumentKind::Scenario);
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - dropped.pud - [PUD]"));
        QVERIFY(h_->window.menus().pudOptions->menuAction()->isVisible());
        QVERIFY(h_->prompts.shown.empty());
        QCOMPARE(h_->window.recentFiles().files().constFirst(), scenario);

        // A file that is not a document says so as "&Open..." does.
        const QString text = dir_.filePath("notes.txt");
        platform::saveWholeFile(text, std::vector<std::uint8_t>{'h', 'i'});
        one.setUrls({QUrl::fromLocalFile(text)});
        QVERIFY(drag(one));
        QDropEvent dropText(QPointF(20, 20), Qt::CopyAction, &one, Qt::LeftButton, {});
        QApplication::sendEvent(&h_->window, &dropText);
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"Unknown or unsupported filetype!", "Error: File Not Opened!"}));
    }

  private:
    // Whether the window takes a drag carrying `data`.
    bool drag(const QMimeData& data) {
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&h_->window, &enter);
        return enter.isAccepted();
    }
    QString upgradeFile(int number) {
        const QString path = dir_.filePath(QString("%1.ugd").arg(number));
        if (!QFile::exists(path)) {
            platform::saveWholeFile(path, files::writeUpgradeFile(demo::demoScenario()));
        }
        return path;
    }
    QString native(const QString& name) const {
        return QDir::toNativeSeparators(dir_.filePath(name));
    }
    QStringList recentItems() const {
        QStringList items;
        for (const QAction* action : h_->window.menus().recentMenu->actions()) {
            items << (action->isSeparator() ? "-" : action->text());
        }
        return items;
    }
    // The item the menu shows now; those it showed before go once the event loop runs.
    QAction* recentItem(int number) const {
        return shownItem(QString("recentFile%1Item").arg(number));
    }
    QAction* shownItem(const QString& name) const {
        for (QAction* action : h_->window.menus().recentMenu->actions()) {
            if (action->objectName() == name) {
                return action;
            }
        }
        qFatal("no item %s", qPrintable(name));
    }

    QTemporaryDir dir_;
};

TARNWICK_UI_TEST_MAIN(RecentAndDropTest)
#include "RecentAndDropTest.moc"
