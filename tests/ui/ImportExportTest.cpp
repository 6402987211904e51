#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "core/files/TableFiles.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using model::DocumentKind;

namespace {
const QString kFilter =
    "War2 File|*.un;*.up;*.alo;*.udt*;*.ugr*|All Files(*.*)|*.*|Default UDTAs (*.UDTA)|*.udt*|"
    "Default UGRDs (*.ugrd)|*.ugr*|Unit Sections (*.un)|*.un|Upgrade Sections (*.up)|*.up|"
    "Restrictions (*.alo)|*.alo";
}  // namespace

class ImportExportTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        h_ = std::make_unique<MainWindowHarness>();
        h_->startWithGame();
    }

    void bothNeedALoadedDocument() {
        h_->window.menus().importFile->trigger();
        h_->window.menus().exportUnitSection->trigger();
        QCOMPARE(h_->prompts.texts(), (QStringList{kNothingLoaded, kNothingLoaded}));
        QVERIFY(h_->prompts.openChoosers.empty());
    }

    void exportsWriteTheirFormatAndLeaveTheDocumentAlone() {
        openScenario(true);
        h_->window.menus().addRestrictions->trigger();
        const QString title = h_->window.windowTitle();
        struct Case {
            QAction* action;
            int filterIndex;
            QString extension;
            std::size_t size;
        };
        const auto& m = h_->window.menus();
        const std::vector<Case> cases = {{m.exportUnitData, 3, "UDTA", 5948},
                                         {m.exportUpgradeData, 4, "UGRD", 780},
                                         {m.exportUpgradeSection, 6, "UP", 790},
                                         {m.exportUnitSection, 5, "UN", 5958},
                                         {m.exportRestrictions, 7, "ALO", 392}};
        for (const Case& c : cases) {
            // A save chooser: it asks before it replaces a file.
            h_->prompts.filesToSave = {path("export." + c.extension)};
            c.action->trigger();
            const ui::FileChoice chooser = h_->prompts.lastSaveChooser();
            QCOMPARE(chooser.title, QString("Import/Export Data."));
            QCOMPARE(chooser.filter, kFilter);
            QCOMPARE(chooser.filterIndex, c.filterIndex);
            QCOMPARE(chooser.defaultExtension, c.extension);
            QCOMPARE(chooser.initialDirectory, h_->window.gameDirectory());
            QCOMPARE(platform::readWholeFile(path("export." + c.extension)).size(), c.size);
        }
        QVERIFY(h_->prompts.shown.empty());
        QVERIFY(h_->prompts.openChoosers.empty());
        QCOMPARE(h_->window.windowTitle(), title);
        QCOMPARE(h_->document.kind, DocumentKind::Scenario);
    }

    void importCasesByDocumentKind() {
        // Files made by exporting a patterned document.
        model::Document source;
        const Bytes units = patternBytes(model::UnitDataTable::kSize, 3);
        std::copy(units.begin(), units.end(), source.unitData.bytes.begin());
        source.hasExpansionGfx = true;
        platform::saveWholeFile(path("a.ugrd"),
                                files::exportTable(source, files::ExportFormat::UpgradeData));
        platform::saveWholeFile(path("a.un"),
                                files::exportTable(source, files::ExportFormat::UnitSection));

        // The File menu's rule offers no import into unit data, and it runs at every open,
        // not only when the menu opens.
        load(DocumentKind::UnitData);
        QVERIFY(!h_->window.menus().importFile->isEnabled());

        // Which file goes into which kind is the reader's rule (TableImport in core_tests); here,
        // that its verdict reaches the user and a file that cannot be read is named as unknown.
        const QString ok;
        const QString unknown = "This is an unknown or unsupported format";
        struct Expect {
            QString file;
            QString scenario;
            QString upgradeData;
        };
        const std::vector<Expect> table = {
            {"a.ugrd", ok, ok},
            {"a.un", ok, "Cannot import UDTA data into a UGRD!"},
            {"missing.bin", unknown, unknown},
        };
        for (const Expect& e : table) {
            for (const auto kind : {DocumentKind::Scenario, DocumentKind::UpgradeData}) {
                load(kind);
                h_->prompts.shown.clear();
                const auto before = h_->document.unitData.bytes;
                h_->prompts.filesToOpen = {path(e.file)};
                h_->window.menus().importFile->trigger();
                const QString expected =
                    kind == DocumentKind::Scenario ? e.scenario : e.upgradeData;
                QCOMPARE(h_->prompts.texts(),
                         expected.isEmpty() ? QStringList{} : QStringList{expected});
                if (!expected.isEmpty()) {
                    QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
                    QCOMPARE(h_->document.unitData.bytes, before);
                }
                QCOMPARE(h_->prompts.lastOpenChooser().filterIndex, 1);
            }
        }
    }

    void anExportThatCannotBeWrittenIsReported() {
        openScenario(false);
        h_->prompts.filesToSave = {path("no/such/folder/x.alo")};
        h_->window.menus().exportUpgradeSection->trigger();
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"Error Opening File!\nNo such file or directory."});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
    }

  private:
    QString path(const QString& name) const { return dir_.filePath(name); }

    void openScenario(bool swamp) {
        platform::saveWholeFile(path("s.pud"), chainOf(typicalScenarioSections(swamp)));
        openDroppingEdits(*h_, path("s.pud"));
        QVERIFY(h_->document.isLoaded);
    }

    void load(DocumentKind kind) {
        if (kind == DocumentKind::Scenario) {
            openScenario(false);
            return;
        }
        const std::size_t size = kind == DocumentKind::UnitData ? 5694 : 780;
        platform::saveWholeFile(path("doc.bin"), patternBytes(size, 77));
        openDroppingEdits(*h_, path("doc.bin"));
        QCOMPARE(h_->document.kind, kind);
    }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindowHarness> h_;
};

TARNWICK_UI_TEST_MAIN(ImportExportTest)
#include "ImportExportTest.moc"
