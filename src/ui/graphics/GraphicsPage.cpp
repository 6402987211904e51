#include "ui/graphics/GraphicsPage.h"

#include <algorithm>

#include <QSignalBlocker>

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/model/GraphicsEntry.h"
#include "core/model/TypedNumber.h"
#include "ui/prompts/CommandFailed.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

using model::GraphicsEntry;
namespace uf = model::unitfields;

namespace {
constexpr std::array<const char*, 5> kTerrainNames = {"General", "Summer", "Winter", "Wasteland",
                                                      "Orc Swamp"};
constexpr std::array<const model::FieldDescriptor*, 4> kTerrainFields = {
    &uf::gfxGeneral, &uf::gfxSummer, &uf::gfxWinter, &uf::gfxWasteland};
constexpr std::size_t kSwampTerrain = 4;
constexpr std::array<const char*, 5> kTerrainButtonNames = {
    "generalTerrainButton", "summerTerrainButton", "winterTerrainButton", "wastelandTerrainButton",
    "swampTerrainButton"};
constexpr std::array<const char*, 3> kFlagBoxNames = {"repeatBox", "graphicsFlag1Box",
                                                      "graphicsFlag2Box"};
constexpr std::array<std::uint16_t, 3> kFlagBits = {
    GraphicsEntry::kRepeatBit, GraphicsEntry::kFlag1Bit, GraphicsEntry::kFlag2Bit};
constexpr int kHighestEntry = 999;
constexpr int kNumberBoxWidth = 90;
// MAINDAT.WAR palettes by terrain: general and summer, summer, winter, wasteland, swamp.
constexpr std::array<int, 5> kTerrainPalettes = {2, 2, 18, 10, 438};
}  // namespace

GraphicsPage::GraphicsPage(model::Document& document, Prompts& prompts, DocumentHistory& history,
                           EntryExtractor& extractor, Progress& progress, QWidget* page)
    : QObject(page),
      document_(document),
      prompts_(prompts),
      history_(history),
      extractor_(extractor),
      conversion_(progress) {
    build(page);
    connectRules();
    forgetRow();
}

void GraphicsPage::build(QWidget* page) {
    auto* outer = new QVBoxLayout(page);
    content_ = new QWidget(page);
    content_->setObjectName("graphicsContent");
    outer->addWidget(content_);
    auto* columns = new QHBoxLayout(content_);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    columns->addStretch(1);  // room beyond the controls stays empty at the right

    auto* terrainBox = new QGroupBox("Terrain: ");
    auto* terrainLayout = new QVBoxLayout(terrainBox);
    for (std::size_t i = 0; i < terrains_.size(); ++i) {
        terrains_[i] = new QRadioButton(kTerrainNames[i]);
        terrains_[i]->setObjectName(kTerrainButtonNames[i]);
        terrainLayout->addWidget(terrains_[i]);
    }
    terrains_[0]->setChecked(true);
    left->addWidget(terrainBox);

    auto* archiveBox = new QGroupBox("War Archive: ");
    auto* archiveLayout = new QVBoxLayout(archiveBox);
    for (std::size_t i = 0; i < archives_.size(); ++i) {
        archives_[i] = new QRadioButton(
            QString::fromUtf8(model::kGraphicsArchiveNames[i].data(),
                              static_cast<qsizetype>(model::kGraphicsArchiveNames[i].size())));
        archives_[i]->setObjectName(QString("archive%1Button").arg(i + 1));
        archiveLayout->addWidget(archives_[i]);
    }
    noGraphics_ = new QRadioButton("No GFX");
    noGraphics_->setObjectName("noGraphicsButton");
    archiveLayout->addWidget(noGraphics_);
    right->addWidget(archiveBox);

    entryBox_ = new QGroupBox("Unit Terrain GFX Entry and group: ");
    entryBox_->setObjectName("entryGroup");
    auto* entryLayout = new QFormLayout(entryBox_);
    entryNumber_ = new QLineEdit("0");
    entryNumber_->setObjectName("entryBox");
    entryNumber_->setMaximumWidth(kNumberBoxWidth);
    entryLayout->addRow("Entry #", entryNumber_);
    const std::array<const char*, 3> flagCaptions = {"Repeat", "Flag #1", "Flag #2"};
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i) {
        flagBoxes_[i] = new QCheckBox(flagCaptions[i]);
        flagBoxes_[i]->setObjectName(kFlagBoxNames[i]);
        entryLayout->addRow(flagBoxes_[i]);
    }
    group_ = new QLineEdit("0");
    group_->setObjectName("groupNumberBox");
    group_->setMaximumWidth(kNumberBoxWidth);
    entryLayout->addRow("Group:", group_);
    left->addWidget(entryBox_);
    left->addStretch();
    buildPreview(right);
    right->addStretch();
}

void GraphicsPage::buildPreview(QLayout* column) {
    auto* group = new QGroupBox("GFX Preview: ");
    auto* layout = new QVBoxLayout(group);
    preview_ = new PreviewPicture;
    preview_->setObjectName("previewPicture");
    preview_->setToolTip("GFX preview");
    layout->addWidget(preview_, 0, Qt::AlignHCenter);
    updatePreviewButton_ = new QPushButton("&Update Preview");
    updatePreviewButton_->setObjectName("updatePreviewButton");
    layout->addWidget(updatePreviewButton_);
    column->addWidget(group);
}

void GraphicsPage::connectRules() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    for (QRadioButton* terrain : terrains_) {
        connect(terrain, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen && row_) {
                emit terrainChosen();
            }
        });
    }
    for (std::size_t i = 0; i < archives_.size(); ++i) {
        const int archive = static_cast<int>(i + 1);
        connect(archives_[i], &QRadioButton::toggled, this, guarded([this, archive](bool on) {
                    if (on) {
                        archiveChosen(archive);
                    }
                }));
    }
    connect(noGraphics_, &QRadioButton::toggled, this,
            guarded([this](bool selected) { noGraphicsChosen(selected); }));
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i) {
        const int box = static_cast<int>(i);
        connect(flagBoxes_[i], &QCheckBox::toggled, this,
                guarded([this, box](bool ticked) { flagBoxClick(box, ticked); }));
    }
    connect(entryNumber_, &QLineEdit::textChanged, this,
            guarded([this](const QString&) { entryChange(); }));
    connect(group_, &QLineEdit::textChanged, this,
            guarded([this](const QString&) { groupChange(); }));
    connect(updatePreviewButton_, &QPushButton::clicked, this,
            guarded([this](bool) { updatePreview(); }));
}

std::size_t GraphicsPage::chosenTerrain() const {
    for (std::size_t i = 0; i < kTerrainFields.size(); ++i) {
        if (terrains_[i]->isChecked()) {
            return i;
        }
    }
    return kSwampTerrain;
}

int GraphicsPage::chosenArchive() const {
    for (std::size_t i = 0; i < archives_.size(); ++i) {
        if (archives_[i]->isChecked()) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

std::span<std::uint8_t> GraphicsPage::terrainArray(const model::FieldDescriptor*& field) {
    const std::size_t terrain = chosenTerrain();
    if (terrain == kSwampTerrain) {
        field = &model::kSwampGraphicsField;
        return document_.gfxSwamp;
    }
    field = kTerrainFields[terrain];
    return document_.unitData.bytes;
}

void GraphicsPage::loadEntry() {
    if (!row_) {
        return;
    }
    const model::FieldDescriptor* field = nullptr;
    const auto array = terrainArray(field);
    entry_ = static_cast<std::uint16_t>(model::readField(array, *field, *row_));
}

void GraphicsPage::storeEntry() {
    if (filling_ || !row_) {
        return;
    }
    const model::FieldDescriptor* field = nullptr;
    const auto array = terrainArray(field);
    history_.record(
        "Change GFX Entry", [&] { model::writeField(array, *field, *row_, entry_); },
        QString("gfxEntry %1 %2").arg(chosenTerrain()).arg(*row_));
}

void GraphicsPage::forgetRow() {
    row_.reset();
    content_->setEnabled(false);
}

void GraphicsPage::showRow(std::size_t row) {
    row_ = row;
    content_->setEnabled(true);
    loadEntry();
    filling_ = true;
    group_->setText(row < uf::gfxGroup.count
                        ? QString::number(document_.unitData.get(uf::gfxGroup, row))
                        : "0");
    const GraphicsEntry entry = GraphicsEntry::decode(entry_);
    if (!entry.hasGraphics()) {
        noGraphics_->setChecked(true);
        entryBox_->setEnabled(false);
        entryNumber_->setText("0");
        for (QCheckBox* box : flagBoxes_) {
            box->setChecked(false);
        }
    } else {
        entryBox_->setEnabled(true);
        flagBoxes_[0]->setChecked(entry.repeat);
        flagBoxes_[1]->setChecked(entry.flag1);
        flagBoxes_[2]->setChecked(entry.flag2);
        archives_[static_cast<std::size_t>(entry.archive() - 1)]->setChecked(true);
        archiveBase_ = entry.archive() * 1000;
        entryNumber_->setText(QString::number(entry.entry()));
    }
    filling_ = false;
}

std::uint16_t GraphicsPage::flagBits() const {
    std::uint16_t bits = 0;
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i) {
        if (flagBoxes_[i]->isChecked()) {
            bits |= kFlagBits[i];
        }
    }
    return bits;
}

void GraphicsPage::archiveChosen(int archive) {
    if (filling_) {
        return;
    }
    loadEntry();
    entryBox_->setEnabled(true);
    const int base = archive * 1000;
    if (GraphicsEntry::decode(entry_).hasGraphics()) {
        entry_ = static_cast<std::uint16_t>(entry_ + base - archiveBase_);
    } else {
        // From "No GFX" the entry is built afresh; moving 65535 by the change of base would
        // point at an unrelated archive and entry.
        const std::int32_t number = model::parseTypedInteger(entryNumber_->text().toStdString());
        entry_ = static_cast<std::uint16_t>(base + number + flagBits());
    }
    archiveBase_ = base;
    storeEntry();
}

void GraphicsPage::noGraphicsChosen(bool selected) {
    if (!selected || filling_) {
        return;
    }
    loadEntry();
    entry_ = GraphicsEntry::kNoGraphics;
    storeEntry();
    entryBox_->setEnabled(false);
}

void GraphicsPage::flagBoxClick(int box, bool ticked) {
    if (filling_) {
        return;
    }
    loadEntry();
    const std::uint16_t bit = kFlagBits[static_cast<std::size_t>(box)];
    entry_ = static_cast<std::uint16_t>(ticked ? entry_ | bit : entry_ & ~bit);
    storeEntry();
}

void GraphicsPage::entryChange() {
    if (filling_) {
        return;
    }
    loadEntry();
    // Entries run from 0 to 999 within the archive's thousand: beyond either end the number
    // would spill into the archive's digits or the flags.
    const std::int32_t typed = model::parseTypedInteger(entryNumber_->text().toStdString());
    const std::int32_t number = std::clamp(typed, 0, kHighestEntry);
    if (number != typed) {
        entryNumber_->setText(QString::number(number));
    }
    entry_ = static_cast<std::uint16_t>(number + archiveBase_ + flagBits());
    storeEntry();
}

void GraphicsPage::groupChange() {
    if (filling_ || !row_ || *row_ >= uf::gfxGroup.count) {
        return;
    }
    const std::int64_t number = model::parseTypedInteger64(group_->text().toStdString());
    const QString typing = QString("gfxGroup %1").arg(*row_);
    history_.recordTyping(
        "Change GFX Group",
        [&] {
            document_.unitData.set(uf::gfxGroup, *row_,
                                   model::checkedStoredValue(uf::gfxGroup, number, "Group"));
        },
        typing,
        [&] {
            const QSignalBlocker quiet(group_);
            group_->setText(QString::number(document_.unitData.get(uf::gfxGroup, *row_)));
        });
}

}  // namespace tarnwick::ui

namespace tarnwick::ui {

void GraphicsPage::updatePreview() {
    updatePreviewButton_->setEnabled(false);
    filling_ = true;
    // The button and the page's rules come back on every path.
    struct Restore {
        GraphicsPage& page;
        ~Restore() {
            page.updatePreviewButton_->setEnabled(true);
            page.filling_ = false;
        }
    } restore{*this};

    const int archive = chosenArchive();
    const std::int32_t entry = model::parseTypedInteger(entryNumber_->text().toStdString());
    if (archive == 0 || entry == 0) {
        return;
    }
    const auto gamePalette =
        extractor_.extractEntry(kTerrainPalettes[chosenTerrain()], "MAINDAT.WAR");
    if (gamePalette.size() < std::tuple_size_v<graphics::Palette>) {
        throw CommandFailed(errorMessage(
            "The palette of this terrain is damaged: " + QString::number(gamePalette.size()) +
            " bytes instead of 768"));
    }
    const auto archiveName = model::kGraphicsArchiveNames[static_cast<std::size_t>(archive - 1)];
    const auto sprite = extractor_.extractEntry(
        entry, QString::fromLatin1(archiveName.data(), static_cast<qsizetype>(archiveName.size())));
    const auto picture = conversion_.convert(sprite, 1, graphics::paletteFromGame(gamePalette));
    preview_->setPicture(picture.image);
}

const QImage& GraphicsPage::previewPicture() const {
    return preview_->picture();
}

}  // namespace tarnwick::ui
