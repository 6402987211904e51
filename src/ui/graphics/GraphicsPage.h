#pragma once

#include <array>
#include <optional>
#include <span>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include <QLabel>
#include <QPushButton>

#include "core/model/Document.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/graphics/GfxConversion.h"
#include "ui/graphics/PreviewPicture.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The "GFX" page: the selected row's graphics entry for the chosen terrain, and its group.
class GraphicsPage : public QObject {
    Q_OBJECT

  public:
    GraphicsPage(model::Document& document, Prompts& prompts, DocumentHistory& history,
                 EntryExtractor& extractor, Progress& progress, QWidget* page);

    // Fills the page from `row` (0 to 126) for the chosen terrain.
    void showRow(std::size_t row);
    // No row selected: the page does nothing.
    void forgetRow();

    // The element of the chosen terrain's array for the selected row.
    void loadEntry();
    void storeEntry();

    QWidget* content() const { return content_; }
    const QImage& previewPicture() const;
    std::uint16_t currentEntry() const { return entry_; }

    void archiveChosen(int archive);
    void noGraphicsChosen(bool selected);
    void flagBoxClick(int box, bool ticked);
    void entryChange();
    void groupChange();
    // "&Update Preview": the first frame of the entry shown, in the terrain's colours.
    void updatePreview();

  signals:
    // A terrain button was chosen: the row is to be shown again from the new array.
    void terrainChosen();

  private:
    void build(QWidget* page);
    void connectRules();
    std::span<std::uint8_t> terrainArray(const model::FieldDescriptor*& field);
    std::uint16_t flagBits() const;
    void buildPreview(QLayout* column);
    // Archive number 1 to 6 of the checked archive button; 0 for "No GFX".
    int chosenArchive() const;
    std::size_t chosenTerrain() const;

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    EntryExtractor& extractor_;
    GfxConversion conversion_;
    PreviewPicture* preview_ = nullptr;
    QPushButton* updatePreviewButton_ = nullptr;
    QWidget* content_ = nullptr;
    std::array<QRadioButton*, 5> terrains_{};
    std::array<QRadioButton*, 6> archives_{};
    QRadioButton* noGraphics_ = nullptr;
    QGroupBox* entryBox_ = nullptr;
    QLineEdit* entryNumber_ = nullptr;
    std::array<QCheckBox*, 3> flagBoxes_{};  // Repeat, Flag #1, Flag #2
    QLineEdit* group_ = nullptr;

    std::optional<std::size_t> row_;
    std::uint16_t entry_ = 0;
    int archiveBase_ = 0;
    bool filling_ = false;
};

}  // namespace tarnwick::ui
