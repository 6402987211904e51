// Direct Open and Direct Save on the demo game: what each row names, what a document becomes,
// what the archive holds afterwards, and that nothing else on the disk changes.
#include <functional>

#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QStyleOptionButton>

#include "DemoScenario.h"
#include "UiTestSupport.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "core/files/DocumentFiles.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using model::DocumentKind;

namespace {

struct RowCase {
    int row;
    std::int64_t entry;
    QString caption;
    QString kindMark;
};

const QList<RowCase> kRows = {
    {1, 0, "Default UDTA", " - [UDTA]"},
    {2, 472, "Default Expansion UDTA", " - [UDTA]"},
    {3, 1, "Default UGRD", " - [UGRD]"},
    {4, 192, "PUD Level  1 (Humans)", " - [PUD]"},
    {31, 219, "PUD Level 14 (Orcs)", " - [PUD]"},
    {32, 220, "PUD \"Gold separates East from West\"", " - [PUD]"},
    {59, 247, "PUD \"River Fork\"", " - [PUD]"},
    {60, 248, "PUD Opening Demo 1", " - [PUD]"},
    {63, 251, "PUD Opening Demo 4", " - [PUD]"},
    {64, 446, "PUD Level  1X (Humans)", " - [PUD]"},
    {87, 469, "PUD Level 12X (Orcs)", " - [PUD]"},
};

// Every menu item and toolbar button: whether it is enabled and shown.
// Every named command's enabled and visible state; the recent-files list is no document state
// (only a file opened from disk joins it).
QMap<QString, QPair<bool, bool>> commandStates(const ui::MainWindow& window) {
    QMap<QString, QPair<bool, bool>> states;
    for (const QAction* action : window.findChildren<QAction*>()) {
        if (!action->objectName().isEmpty() &&
            !action->objectName().contains("recent", Qt::CaseInsensitive)) {
            states[action->objectName()] = {action->isEnabled(), action->isVisible()};
        }
    }
    return states;
}

// A click on the row as a user aims at it.
void clickRow(QListWidget& list, int row) {
    QListWidgetItem* item = list.item(row);
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
    QCOMPARE(list.currentRow(), row);
}

void clickButton(const QWidget& dialog, const char* name) {
    QTest::mouseClick(control<QPushButton>(dialog, name), Qt::LeftButton);
}

// Names and listings of a folder and what lies below it.
QStringList listing(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        names << it.next();
    }
    names.sort();
    return names;
}

}  // namespace

class DirectArchiveTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        for (const char* folder : {"current", "temporary", "files"}) {
            QVERIFY(QDir(root_.path()).mkpath(folder));
        }
        // Whatever the commands write goes through the system's temporary folder or the current
        // one; both are watched.
        qputenv("TMPDIR", root_.filePath("temporary").toUtf8());
        QVERIFY(QDir::setCurrent(root_.filePath("current")));
    }

    void init() {
        game_ = root_.filePath(QString("game-%1").arg(++games_));
        demo::writeDemoGameDirectory(game_);
        watched_ = {listing(root_.filePath("current")), listing(root_.filePath("temporary"))};
        h_ = startOn(game_);
    }

    void cleanup() {
        h_.reset();
        QCOMPARE(listing(root_.filePath("current")), watched_.first);
        QCOMPARE(listing(root_.filePath("temporary")), watched_.second);
    }

    void everyRowOpensItsEntryAsAFileOfTheSameBytesWould() {
        const std::unique_ptr<MainWindowHarness> fromFiles = startOn(game_);
        const demo::Bytes mainArchive = archiveNow();
        const archive::ArchiveView archive(mainArchive);
        for (const RowCase& c : kRows) {
            QVERIFY(directOpen([&](QDialog& dialog) {
                auto* list = control<QListWidget>(dialog, "archiveSlotList");
                QCOMPARE(list->count(), 87);
                QCOMPARE(list->item(c.row - 1)->text(), c.caption);
                clickRow(*list, c.row - 1);
                if (c.row == 87) {  // a double click on the row extracts it too
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                       list->visualItemRect(list->item(c.row - 1)).center());
                } else {
                    clickButton(dialog, "extractButton");
                }
            }));
            const QString file =
                saveFile(QString("entry-%1").arg(c.entry), archive.extract(c.entry));
            fromFiles->window.openFile(file);

            QVERIFY2(h_->prompts.shown.empty(), qPrintable(h_->prompts.texts().join('\n')));
            QCOMPARE(h_->document.kind, fromFiles->document.kind);
            QCOMPARE(files::writeDocument(h_->document), files::writeDocument(fromFiles->document));
            QVERIFY(h_->document.fileName.empty());
            QCOMPARE(h_->window.windowTitle(), "Tarnwick v3.0" + c.kindMark);
            QVERIFY(fromFiles->window.windowTitle().endsWith(c.kindMark));
            QCOMPARE(commandStates(h_->window), commandStates(fromFiles->window));
            QCOMPARE(list()->currentRow(), 0);
        }
        // A document from the archive has no file: Save asks where it goes.
        h_->prompts.filesToSave = {QString()};
        h_->window.menus().save->trigger();
        QCOMPARE(h_->prompts.saveChoosers.size(), std::size_t{1});
    }

    void extractWithoutARowOrFromADamagedEntryChangesNothing() {
        const QString opened = saveFile("mine.pud", files::writeScenario(demo::demoScenario()));
        h_->window.openFile(opened);
        const auto before = files::writeDocument(h_->document);
        const QString title = h_->window.windowTitle();

        QVERIFY(directOpen([&](QDialog& dialog) {
            clickButton(dialog, "extractButton");
            QVERIFY(dialog.isVisible());
            clickButton(dialog, "cancelButton");
        }));
        QVERIFY(h_->prompts.shown.empty());

        // Entry 219 claims 5000 bytes and holds three.
        const QString archivePath = QDir(game_).filePath("DATA/MAINDAT.WAR");
        NoProgress quiet;
        platform::saveWholeFile(archivePath,
                                archive::insertEntry(platform::readWholeFile(archivePath), 219,
                                                     archive::entryHeader(5000, true),
                                                     demo::Bytes{0xFF, 'a', 'b'}, quiet));
        QVERIFY(directOpen([&](QDialog& dialog) {
            clickRow(*control<QListWidget>(dialog, "archiveSlotList"), 30);
            clickButton(dialog, "extractButton");
        }));
        QCOMPARE(
            h_->prompts.texts(),
            QStringList{kFatalExtraction + "The compressed data ends before its declared length"});
        QVERIFY(h_->document.isLoaded);
        QCOMPARE(files::writeDocument(h_->document), before);
        QCOMPARE(h_->document.fileName, opened.toStdString());
        QCOMPARE(h_->window.windowTitle(), title);
    }

    void importPutsEachKindIntoItsSlotCompressedOrStored() {
        model::Document upgrades = demo::demoScenario();
        for (std::size_t upgrade = 0; upgrade < model::kUpgradeCount; ++upgrade) {
            upgrades.upgrades.set(model::upgradefields::gold, upgrade,
                                  static_cast<std::uint32_t>(7 + upgrade));
        }
        const auto upgradeFile = files::writeUpgradeFile(upgrades);
        QCOMPARE(upgradeFile.size(), std::size_t{780});
        const auto before = archiveNow();

        const QString opened = saveFile("mine.ugd", upgradeFile);
        h_->window.openFile(opened);
        const QString title = h_->window.windowTitle();
        directSave(3, true);
        QVERIFY(h_->prompts.shown.empty());
        QCOMPARE(h_->window.statusBar()->currentMessage(),
                 "Wrote mine.ugd into slot 3 of MAINDAT.WAR");
        QVERIFY(!h_->window.findChild<QWidget*>("progressWindow")->isVisible());
        expectEntry(1, true, upgradeFile);

        // The document is still the user's file: the title stays and Save writes there.
        QCOMPARE(h_->window.windowTitle(), title);
        h_->document.upgrades.set(model::upgradefields::gold, 0, 999);
        h_->window.menus().save->trigger();
        QVERIFY(h_->prompts.saveChoosers.empty());
        QCOMPARE(platform::readWholeFile(opened), files::writeUpgradeFile(h_->document));

        for (const bool swamp : {true, false}) {
            model::Document units = demo::demoSlotScenario(450);
            units.hasExpansionGfx = swamp;
            const auto unitFile = files::writeUnitDataFile(units);
            QCOMPARE(unitFile.size(), std::size_t{swamp ? 5948u : 5694u});
            h_->window.openFile(saveFile("units.udt", unitFile));
            // Stored as is with the swamp array, compressed without it.
            directSave(2, !swamp);
            QVERIFY(h_->prompts.shown.empty());
            expectEntry(472, !swamp, unitFile);
        }
        // Every other entry is where it was.
        const archive::ArchiveView old(before);
        const archive::ArchiveView now(archiveNow());
        for (const std::int64_t entry : {0, 2, 192, 278, 446, 469}) {
            QCOMPARE(now.extract(entry), old.extract(entry));
        }
    }

    void refusalsSayWhyAndLeaveTheArchiveAsItWas() {
        const auto before = archiveNow();
        // Before any row was chosen, "Import" does nothing and the dialog stays.
        h_->window.openFile(saveFile("mine.pud", files::writeScenario(demo::demoScenario())));
        QVERIFY(runModal(h_->window.menus().directSave, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Direct Save"));
            QVERIFY(control<QCheckBox>(dialog, "compressBox")->isChecked());
            clickButton(dialog, "importButton");
            QVERIFY(dialog.isVisible());
            clickButton(dialog, "cancelButton");
        }));
        QVERIFY(h_->prompts.shown.empty());
        h_->window.menus().closeData->trigger();

        const auto refused = [&](int row, const QString& text) {
            h_->prompts.shown.clear();
            directSave(row, true);
            QCOMPARE(h_->prompts.texts(), QStringList{text});
            QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
            QCOMPARE(h_->prompts.shown[0].icon, ui::MessageIcon::None);
            QVERIFY(archiveNow() == before);
        };
        refused(4, "Error importing.. Could not save data!");
        h_->window.openFile(saveFile("mine.pud", files::writeScenario(demo::demoScenario())));
        const QString title = h_->window.windowTitle();
        refused(1, "Cant import a PUD or a UGRD into a UDTA slot");
        refused(3, "Cant import a UDTA or PUD into a UGRD slot");
        QCOMPARE(h_->window.windowTitle(), title);
        h_->window.openFile(saveFile("units.udt", files::writeUnitDataFile(demo::demoScenario())));
        refused(64, "Cant import a UDTA or UGRD into a PUD slot");

        // More than a 24-bit length can say.
        h_->window.openFile(saveFile("mine.pud", files::writeScenario(demo::demoScenario())));
        h_->document.blob(model::SectionId::Units).assign(std::size_t{1} << 24, 0);
        const std::size_t length = files::writeScenario(h_->document).size();
        refused(40, QString("An entry of %1 bytes is longer than an archive can hold").arg(length));
    }

    void aFailedArchiveWriteKeepsTheOldArchive() {
        const QString data = QDir(game_).filePath("DATA");
        if (QProcess::execute("chattr", {"+i", data}) != 0) {
            QSKIP("the game folder cannot be made unwritable here (chattr +i)");
        }
        const auto before = archiveNow();
        h_->window.openFile(
            saveFile("mine.pud", files::writeScenario(demo::demoSlotScenario(300))));
        directSave(50, true);
        QProcess::execute("chattr", {"-i", data});
        QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
        QVERIFY(h_->prompts.texts()[0].startsWith("A fatal error has occured during insertion!"));
        QCOMPARE(h_->prompts.shown[0].caption, QString("Error"));
        QVERIFY(archiveNow() == before);
        QVERIFY(!h_->window.findChild<QWidget*>("progressWindow")->isVisible());
    }

  private:
    static std::unique_ptr<MainWindowHarness> startOn(const QString& game) {
        auto harness = std::make_unique<MainWindowHarness>();
        harness->startWithGame(game);
        harness->window.show();
        return harness;
    }

    bool directOpen(const std::function<void(QDialog&)>& whileOpen) {
        return runModal(h_->window.menus().directOpen, whileOpen);
    }

    // "Direct Save" of the document into `row`, with "Compress" as given.
    void directSave(int row, bool compress) {
        QVERIFY(runModal(h_->window.menus().directSave, [&](QDialog& dialog) {
            // The box keeps its state from one showing to the next, ticked at first.
            auto* box = control<QCheckBox>(dialog, "compressBox");
            if (box->isChecked() != compress) {
                QStyleOptionButton option;
                option.initFrom(box);
                QTest::mouseClick(box, Qt::LeftButton, {},
                                  box->style()
                                      ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)
                                      .center());
                QCOMPARE(box->isChecked(), compress);
            }
            clickRow(*control<QListWidget>(dialog, "archiveSlotList"), row - 1);
            clickButton(dialog, "importButton");
        }));
    }

    demo::Bytes archiveNow() const {
        return platform::readWholeFile(QDir(game_).filePath("DATA/MAINDAT.WAR"));
    }

    // The entry as the reader gives it back, stored as said.
    void expectEntry(std::int64_t entry, bool compressed, const demo::Bytes& expected) const {
        const demo::Bytes bytes = archiveNow();
        const archive::ArchiveView view(bytes);
        QCOMPARE(view.info(entry).compressed, compressed);
        QCOMPARE(view.extract(entry), expected);
    }

    QString saveFile(const QString& name, const demo::Bytes& bytes) const {
        const QString path = QDir(root_.filePath("files")).filePath(name);
        platform::saveWholeFile(path, bytes);
        return path;
    }

    QTemporaryDir root_;
    QString game_;
    int games_ = 0;
    QPair<QStringList, QStringList> watched_;
};

TARNWICK_UI_TEST_MAIN(DirectArchiveTest)
#include "DirectArchiveTest.moc"
