// The unit table: what the window does on opening, after every edit and after a bulk change,
// each of which should stay well within a frame (opening under 50 ms, one cell edit under 5 ms,
// a bulk change of 110 cells under 20 ms). Run offscreen; times in milliseconds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>

#include "DemoGameData.h"

#include "DemoScenario.h"
#include "core/model/UnitDataTable.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"
#include "ui/unittable/UnitTableWindow.h"

using namespace tarnwick;

namespace {

class SilentPrompts : public ui::Prompts {
  public:
    ui::Answer ask(const ui::Message&, ui::Buttons) override { return ui::Answer::Ok; }
    std::optional<qsizetype> choose(const ui::Message&, const QStringList&) override { return {}; }
    std::optional<QString> chooseFileToOpen(const ui::FileChoice&) override { return {}; }
    std::optional<QString> chooseFileToSave(const ui::FileChoice&) override { return {}; }
};

struct Fixture {
    model::Document document = demo::demoScenario();
    SilentPrompts prompts;
    ui::DocumentHistory history{document};
    // The demo game's defaults, so that every cell is compared as with the game.
    QTemporaryDir gameFolder;
    QString game = gameFolder.path();
    ui::EntryExtractor extractor{game};
    ui::DefaultTables defaults{extractor, game};
    ui::UnitTableModel model{document, history, prompts,
                             [](std::size_t unit) { return QString("Unit %1").arg(unit); }};

    Fixture() {
        demo::writeDemoGameDirectory(game);
        document.isLoaded = true;
        model.compareWith(defaults.units(document.hasExpansionGfx));
    }

    // Every cell as a view asks for it when it paints the whole table.
    void readAll() {
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int column = 0; column < model.columnCount(); ++column) {
                const QModelIndex index = model.index(row, column);
                for (const int role : {int(Qt::DisplayRole), int(Qt::CheckStateRole),
                                       int(Qt::FontRole), int(Qt::ForegroundRole)}) {
                    benchmark::DoNotOptimize(model.data(index, role));
                }
            }
        }
    }
};

// Opening: the window built, filled and laid out with every column fitted to its caption.
void BM_OpenWindow(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        ui::UnitTableWindow window(f.document, f.prompts, f.history, f.defaults,
                                   [](std::size_t unit) { return QString("Unit %1").arg(unit); },
                                   {});
        window.open();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.table().horizontalHeader()->length());
    }
    state.SetLabel("window built and shown");
}

// A refresh: 110 rows x every column read again, with the marks.
void BM_RefreshAllCells(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.model.refresh();
        f.readAll();
    }
    state.SetLabel(
        QString("%1 x %2 cells").arg(f.model.rowCount()).arg(f.model.columnCount()).toStdString());
}

// One typed value: the page's rule, one history step, and the whole table read again.
void BM_OneCellEdit(benchmark::State& state) {
    Fixture f;
    const int hitPoints = 9;
    std::uint32_t value = 1;
    for (auto _ : state) {
        f.model.setData(f.model.index(0, hitPoints), QString::number(++value % 60000),
                        Qt::EditRole);
        f.readAll();
    }
}

// Set Selected over a whole column: 110 values stored as one step, and the table read again.
void BM_BulkChange110(benchmark::State& state) {
    Fixture f;
    const int sight = 6;
    std::vector<ui::UnitTableModel::Assignment> assignments;
    std::vector<std::size_t> units;
    for (std::size_t unit = 0; unit < model::kUnitCount; ++unit) {
        units.push_back(unit);
    }
    std::int64_t value = 0;
    for (auto _ : state) {
        assignments.clear();
        ++value;
        for (const std::size_t unit : units) {
            assignments.push_back({unit, sight, value % 100});
        }
        f.model.assign(assignments, f.model.stepName(sight, units));
        f.readAll();
    }
}

}  // namespace

BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshAllCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneCellEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BulkChange110)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
