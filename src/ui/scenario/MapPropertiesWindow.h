#pragma once

#include <array>
#include <optional>

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/model/Document.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "PUD Properties": the scenario's description, map size and terrains, and the conversion
// between a normal and a "1.33" scenario (one that carries "ERAX"). Not modal; every showing and
// every activation shows the document afresh.
class MapPropertiesWindow : public QDialog {
    Q_OBJECT

  public:
    MapPropertiesWindow(model::Document& document, Prompts& prompts, DocumentHistory& history,
                        QWidget* parent = nullptr);

    // What a typed but unconfirmed description becomes when the document is shown again.
    enum class TypedText { Replace, KeepUnlessStoredOneChanged };
    void showDocument(TypedText typed = TypedText::Replace);

    void setVisible(bool visible) override;

  public slots:
    void storeDescription();
    void convertTerrain();

  protected:
    bool event(QEvent* event) override;

  private:
    void build();
    void showTerrains();
    // One handler for every terrain button: `button` is the terrain's code.
    void terrainClick(model::SectionId era, std::size_t button, bool checked);

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    QLineEdit* description_ = nullptr;
    QLabel* dimensions_ = nullptr;
    QGroupBox* expansionGroup_ = nullptr;
    QGroupBox* baseGroup_ = nullptr;
    // In terrain code order: Forest, Winter, Wasteland, Swamp.
    std::array<QRadioButton*, 4> expansionButtons_{};
    std::array<QRadioButton*, 3> baseButtons_{};
    QPushButton* conversion_ = nullptr;
    // The description the box was last filled with.
    std::string shownDescription_;
    bool filling_ = false;
};

}  // namespace tarnwick::ui
