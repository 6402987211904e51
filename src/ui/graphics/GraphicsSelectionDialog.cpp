#include "ui/graphics/GraphicsSelectionDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/Error.h"
#include "core/archive/Archive.h"
#include "core/files/StandaloneFiles.h"
#include "core/model/GraphicsEntry.h"
#include "core/model/TypedNumber.h"
#include "platform/FileStore.h"
#include "ui/prompts/CommandFailed.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace uf = model::unitfields;
using model::GraphicsEntry;

namespace {

constexpr std::array<int, 4> kPaletteEntries = {2, 18, 10, 438};  // summer, winter, waste, swamp
constexpr std::array<const model::FieldDescriptor*, 3> kTerrainFields = {
    &uf::gfxSummer, &uf::gfxWinter, &uf::gfxWasteland};
constexpr int kDefaultBoxSize = 32;
constexpr std::array<const char*, 4> kModeButtonNames = {"currentDataButton", "defaultDataButton",
                                                         "expansionDataButton", "gfxFileButton"};
const QString kNoGraphics = "FATAL ERROR: Unit has *NO* GFX!";

int numberOr(const QLineEdit* box, int fallback) {
    try {
        return model::parseTypedInteger(box->text().toStdString());
    } catch (const Error&) {
        return fallback;
    }
}

}  // namespace

GraphicsSelectionDialog::GraphicsSelectionDialog(model::Document& document, Prompts& prompts,
                                                 EntryExtractor& extractor, BoxSizerDialog& sizer,
                                                 UnitPage unitPage, QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      extractor_(extractor),
      sizer_(sizer),
      unitPage_(unitPage) {
    setObjectName("graphicsSelection");
    setWindowTitle("GFX Selection");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
}

void GraphicsSelectionDialog::build() {
    auto* outer = new QVBoxLayout(this);
    auto* modeBox = new QGroupBox("Mode: ");
    auto* modeLayout = new QVBoxLayout(modeBox);
    const std::array<const char*, 4> modeTexts = {
        "As Specified by current unit data", "As Specified by Default udta",
        "As Specified by Default Expansion UDTA", "View a standalone .GFX file"};
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        modes_[i] = new QRadioButton(modeTexts[i]);
        modes_[i]->setObjectName(kModeButtonNames[i]);
        modeLayout->addWidget(modes_[i]);
        connect(modes_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                applyMode(static_cast<Mode>(i));
            }
        });
    }
    outer->addWidget(modeBox);

    auto* terrainBox = new QGroupBox("Select which palette/Unit image to use: ");
    auto* terrainLayout = new QHBoxLayout(terrainBox);
    const std::array<std::pair<const char*, const char*>, 4> terrainTexts = {
        {{"summerButton", "Summer"},
         {"winterButton", "Winter"},
         {"wastelandButton", "Wasteland"},
         {"swampButton", "Orc Swamp"}}};
    for (std::size_t i = 0; i < terrains_.size(); ++i) {
        terrains_[i] = new QRadioButton(terrainTexts[i].second);
        terrains_[i]->setObjectName(terrainTexts[i].first);
        terrainLayout->addWidget(terrains_[i]);
    }
    terrains_[Summer]->setChecked(true);
    outer->addWidget(terrainBox);

    auto* buttons = new QHBoxLayout;
    auto* continueButton = new QPushButton("Continue");
    continueButton->setObjectName("continueButton");
    auto* abortButton = new QPushButton("Abort");
    abortButton->setObjectName("abortButton");
    buttons->addStretch();
    buttons->addWidget(continueButton);
    buttons->addWidget(abortButton);
    outer->addLayout(buttons);
    connect(continueButton, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { continueToSizer(); }));
    connect(abortButton, &QPushButton::clicked, this, &QDialog::reject);
    modes_[CurrentData]->setChecked(true);
}

void GraphicsSelectionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    applyMode(mode());
}

void GraphicsSelectionDialog::applyMode(Mode chosen) {
    bool swamp = terrains_[Swamp]->isEnabled();
    switch (chosen) {
        case CurrentData:
            swamp = document_.hasExpansionGfx;
            break;
        case DefaultData:
            swamp = false;
            break;
        case DefaultExpansionData:
            swamp = true;
            break;
        case StandaloneFile:
            break;
    }
    // A terrain that cannot be chosen is not left chosen.
    if (!swamp && terrains_[Swamp]->isChecked()) {
        terrains_[Summer]->setChecked(true);
    }
    terrains_[Swamp]->setEnabled(swamp);
}

GraphicsSelectionDialog::Mode GraphicsSelectionDialog::mode() const {
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        if (modes_[i]->isChecked()) {
            return static_cast<Mode>(i);
        }
    }
    return CurrentData;
}

GraphicsSelectionDialog::Terrain GraphicsSelectionDialog::terrain() const {
    for (std::size_t i = 0; i < terrains_.size(); ++i) {
        if (terrains_[i]->isChecked()) {
            return static_cast<Terrain>(i);
        }
    }
    return Summer;
}

std::uint16_t GraphicsSelectionDialog::graphicsWord(std::size_t row) {
    const auto word = [](std::uint32_t value) { return static_cast<std::uint16_t>(value); };
    if (mode() == CurrentData) {
        const std::uint16_t general = word(document_.unitData.get(uf::gfxGeneral, row));
        if (GraphicsEntry::decode(general).hasGraphics()) {
            return general;
        }
        if (terrain() == Swamp) {
            return word(model::readField(document_.gfxSwamp, model::kSwampGraphicsField, row));
        }
        return word(document_.unitData.get(*kTerrainFields[terrain()], row));
    }
    const bool expansion = mode() == DefaultExpansionData;
    const auto defaults = extractor_.extractEntry(expansion ? 472 : 0, "MAINDAT.WAR");
    const std::size_t needed =
        expansion ? files::kUnitDataFileWithSwampSize : files::kUnitDataFileSize;
    if (defaults.size() < needed) {
        throw CommandFailed(plainMessage("ERROR! Default Expansion UDTA corrupted!"));
    }
    model::Document table;
    files::readUnitDataFile(table, defaults);
    const std::uint16_t general = word(table.unitData.get(uf::gfxGeneral, row));
    if (GraphicsEntry::decode(general).hasGraphics()) {
        return general;
    }
    if (terrain() == Swamp) {
        return word(model::readField(table.gfxSwamp, model::kSwampGraphicsField, row));
    }
    return word(table.unitData.get(*kTerrainFields[terrain()], row));
}

void GraphicsSelectionDialog::continueToSizer() {
    // The dialog closes on every path, a failed one included.
    const auto closeAfterwards = qScopeGuard([this] { accept(); });
    sizer_.setPalette(graphics::paletteFromGame(
        extractor_.extractEntry(kPaletteEntries[terrain()], "MAINDAT.WAR")));

    if (mode() == StandaloneFile) {
        const FileChoice choice{"Open GFX...", "GFX Files(*.GFX)|*.gfx", 1, {}, {}, {}};
        if (const auto chosen = prompts_.chooseFileToOpen(choice)) {
            openSizer(platform::readWholeFile(*chosen, archive::kLargestEntry));
        }
        return;
    }
    const int row = unitPage_.unitList->currentRow();
    const GraphicsEntry entry = GraphicsEntry::decode(
        row < 0 ? GraphicsEntry::kNoGraphics : graphicsWord(static_cast<std::size_t>(row)));
    if (!entry.hasGraphics()) {
        prompts_.plain(kNoGraphics);
        return;
    }
    openSizer(extractor_.extractEntry(
        entry.entry(), QString::fromUtf8(entry.archiveName().data(),
                                         static_cast<qsizetype>(entry.archiveName().size()))));
}

void GraphicsSelectionDialog::openSizer(std::span<const std::uint8_t> sprite) {
    if (sizer_.isVisible()) {
        sizer_.close();
    }
    sizer_.onSizeChange = [this](int width, int height) { boxSizeChanged(width, height); };
    sizer_.loadSprite(sprite);
    sizer_.setBoxSize(numberOr(unitPage_.boxWidth, kDefaultBoxSize),
                      numberOr(unitPage_.boxHeight, kDefaultBoxSize));
    sizer_.show();
}

void GraphicsSelectionDialog::boxSizeChanged(int width, int height) {
    // The boxes' own rules store the numbers, and only for a unit row.
    unitPage_.boxWidth->setText(QString::number(width));
    unitPage_.boxHeight->setText(QString::number(height));
}

}  // namespace tarnwick::ui
