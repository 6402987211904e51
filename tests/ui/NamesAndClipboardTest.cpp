#include <QListWidget>

#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "core/archive/LzssEncoder.h"
#include "platform/FileStore.h"
#include "ui/graphics/ProgressWindow.h"
#include "ui/prompts/CommandGuard.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

class NamesAndClipboardTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { h_ = std::make_unique<MainWindowHarness>(); }

    void namesComeFromTheGamesStringTable() {
        h_->startWithGame();
        h_->window.show();
        QVERIFY(h_->prompts.shown.empty());
        QCOMPARE(row(0), QString("Pikeman"));
        QCOMPARE(row(20), QString("Pikeman 2"));
        QCOMPARE(row(103), QString("Human Keep"));
        QCOMPARE(row(104), QString("Orc Keep"));
        QCOMPARE(row(105), QString("-Corpse-"));
        const QStringList strategies = {"Land Attack", "Sea Attack", "Air Attack"};
        QCOMPARE(h_->window.strategyNames(), strategies);
        h_->window.hide();
        h_->window.show();
        QCOMPARE(h_->window.strategyNames(), strategies);
    }

    void withoutTheGameEveryRowHasAFallbackNameAndNothingFails() {
        h_.reset();
        removeSettingsStore();
        h_ = std::make_unique<MainWindowHarness>();
        h_->window.startUp({});  // the locate dialog cancelled
        h_->window.show();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{2});  // the warning and the notice
        QCOMPARE(row(0), QString("Unit 0"));
        QCOMPARE(row(104), QString("Unit 104"));
        QCOMPARE(row(105), QString("-Corpse-"));
        // The names work as the game's would.
        QTest::keyClicks(h_->window.findChild<QLineEdit*>("searchBox"), "unit 17x");
        QCOMPARE(list()->currentRow(), 17);
    }

    void aMissingArchiveIsReportedOnceAndRowsKeepTheirFallbackNames() {
        QTemporaryDir game;
        QDir(game.path()).mkpath("data");
        platform::saveWholeFile(game.filePath("data/maindat.war"), {});
        h_->startWithGame(game.path());
        h_->window.show();
        QCOMPARE(h_->prompts.texts(), QStringList{kFatalExtraction + "Error Opening strdat.war"});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Error"));
        QCOMPARE(row(0), QString("Unit 0"));
        QVERIFY(h_->window.strategyNames().isEmpty());
    }

    void extractionGivesTheEntryOrTheFatalBox() {
        h_->startWithGame();
        const auto& extractor = h_->window.extractor();
        QCOMPARE(extractor.extractEntry(2, "maindat.war").size(), std::size_t{768});
        QCOMPARE(extractor.extractEntry(10, "MAINDAT.WAR").size(), std::size_t{768});
        for (const auto& [entry, archive] :
             {std::pair{5, "MAINDAT.WAR"}, std::pair{473, "MAINDAT.WAR"},
              std::pair{0, "NOSUCH.WAR"}}) {
            ui::runGuarded(h_->prompts, [&] { extractor.extractEntry(entry, archive); });
        }
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{kFatalExtraction + "Entry does not exist in opened data file!: 5",
                              kFatalExtraction + "Entry does not exist in opened data file!: 473",
                              kFatalExtraction + "Error Opening NOSUCH.WAR"}));
        QCOMPARE(h_->prompts.shown[0].caption, QString("Error"));
    }

    void copyAndPasteNeedALoadedFileAndACopy() {
        h_->startWithGame();
        h_->window.menus().copyUnit->trigger();
        h_->window.menus().pasteUnit->trigger();
        QCOMPARE(h_->prompts.texts(), (QStringList{kNoFileLoaded, kNoFileLoaded}));
        QCOMPARE(h_->prompts.shown[0].caption, QString("Warning"));
        open("a.pud", 0);
        h_->window.menus().pasteUnit->trigger();
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{kNoFileLoaded, kNoFileLoaded, "Error!  Clipboard is empty."}));
    }

    void pasteCarriesEveryValueEvenIntoAnotherFile() {
        h_->startWithGame();
        h_->window.show();
        open("a.pud", 1);
        list()->setCurrentRow(70);
        h_->window.menus().copyUnit->trigger();
        open("b.pud", 2);
        list()->setCurrentRow(10);
        const auto before = h_->document.unitData;
        h_->window.menus().pasteUnit->trigger();
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 10), 1070u);
        QCOMPARE(h_->document.unitData.get(uf::flags, 10), 0x50000u + 70u);
        QCOMPARE(h_->document.unitData.get(uf::rightClickAction, 10), 0u);
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 11), before.get(uf::hitPoints, 11));
        // The pages show the pasted values.
        QCOMPARE(h_->window.findChild<QLineEdit*>("hitPointsBox")->text(), QString("1070"));
        QCOMPARE(h_->window.findChild<QComboBox*>("rightClickList")->currentIndex(), -1);
        QVERIFY(h_->prompts.shown.empty());
    }

    void groupRowsAreLeftAlone() {
        h_->startWithGame();
        open("a.pud", 1);
        list()->setCurrentRow(5);
        h_->window.menus().copyUnit->trigger();
        list()->setCurrentRow(115);
        const auto before = h_->document.unitData.bytes;
        const auto swamp = h_->document.gfxSwamp;
        h_->window.menus().copyUnit->trigger();
        h_->window.menus().pasteUnit->trigger();
        QCOMPARE(h_->document.unitData.bytes, before);
        QCOMPARE(h_->document.gfxSwamp, swamp);
        QVERIFY(h_->prompts.shown.empty());
    }

    void theProgressWindowFollowsTheWork() {
        ui::ProgressWindow form;
        form.start("Compressing...", 100);
        QVERIFY(form.isVisible());
        QCOMPARE(form.windowTitle(), QString("Compressing..."));
        form.advance(40);
        QCOMPARE(form.bar()->value(), 40);
        form.finish();
        QVERIFY(!form.isVisible());

        // Fed by the compressor itself.
        Bytes input(50000);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = static_cast<std::uint8_t>(i % 251 + i / 1000);
        }
        archive::lzssCompress(input, form);
        QCOMPARE(form.windowTitle(), QString("Compressing..."));
        QVERIFY(form.bar()->value() >= 99);
        QVERIFY(!form.isVisible());
        form.start("Inserting...", 5'000'000'000LL);
        form.advance(2'500'000'000LL);
        QCOMPARE(form.bar()->value(), form.bar()->maximum() / 2);
    }

  private:
    QString row(int index) const { return list()->item(index)->text(); }
    QListWidget* list() const { return h_->window.findChild<QListWidget*>("unitList"); }

    // A scenario whose unit u has hit points 1000 * seed + u and flags seed * 0x50000 + u.
    void open(const QString& name, std::uint32_t seed) {
        model::UnitDataTable units;
        for (std::size_t u = 0; u < model::kUnitCount; ++u) {
            units.set(uf::hitPoints, u, 1000 * seed + static_cast<std::uint32_t>(u));
            units.set(uf::flags, u, seed * 0x50000 + static_cast<std::uint32_t>(u));
        }
        for (std::size_t u = 0; u < model::kRightClickUnitCount; ++u) {
            units.set(uf::rightClickAction, u, 4);
        }
        const QString path = dir_.filePath(name);
        platform::saveWholeFile(path, scenarioWithUnits(units));
        h_->window.openFile(path);
    }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindowHarness> h_;
};

TARNWICK_UI_TEST_MAIN(NamesAndClipboardTest)
#include "NamesAndClipboardTest.moc"
