#pragma once

#include <array>

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "core/model/Document.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/graphics/BoxSizerDialog.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "GFX Selection": finds the sprite of the selected unit (in the loaded data, in the game's
// default data, or in a stand-alone .GFX file) and opens the box sizer on it, whose changes go
// to the unit's box-size boxes.
class GraphicsSelectionDialog : public QDialog {
    Q_OBJECT

  public:
    // The box-size boxes of the unit page and the unit list whose selected row is used.
    struct UnitPage {
        QListWidget* unitList;
        QLineEdit* boxWidth;
        QLineEdit* boxHeight;
    };

    GraphicsSelectionDialog(model::Document& document, Prompts& prompts, EntryExtractor& extractor,
                            BoxSizerDialog& sizer, UnitPage unitPage, QWidget* parent = nullptr);

    void continueToSizer();  // "Continue"

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    enum Mode { CurrentData, DefaultData, DefaultExpansionData, StandaloneFile };
    enum Terrain { Summer, Winter, Wasteland, Swamp };

    void build();
    void applyMode(Mode mode);
    Mode mode() const;
    Terrain terrain() const;
    // The graphics entry word of the selected row for the mode and terrain; throws when the
    // default data cannot be read.
    std::uint16_t graphicsWord(std::size_t row);
    void openSizer(std::span<const std::uint8_t> sprite);
    void boxSizeChanged(int width, int height);

    model::Document& document_;
    Prompts& prompts_;
    EntryExtractor& extractor_;
    BoxSizerDialog& sizer_;
    UnitPage unitPage_;
    std::array<QRadioButton*, 4> modes_{};
    std::array<QRadioButton*, 4> terrains_{};
};

}  // namespace tarnwick::ui
