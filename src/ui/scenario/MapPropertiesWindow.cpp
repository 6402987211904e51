#include "ui/scenario/MapPropertiesWindow.h"

#include <algorithm>

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/Error.h"
#include "core/model/MapProperties.h"
#include "ui/prompts/CommandFailed.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

using model::SectionId;

namespace {

const QString kToNormal = "Convert -> Normal";
const QString kToExpansion = "Convert -> 1.33";

// Checks the button of `code`, or none for a code without a button; runs no handler.
template <std::size_t N>
void showCode(const std::array<QRadioButton*, N>& buttons, std::optional<std::uint16_t> code) {
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(code == i);
        buttons[i]->setAutoExclusive(true);
    }
}

QGroupBox* terrainGroup(const QString& title, const QString& name,
                        std::initializer_list<std::pair<const char*, QRadioButton*&>> buttons) {
    auto* group = new QGroupBox(title);
    group->setObjectName(name);
    auto* column = new QVBoxLayout(group);
    for (auto& [caption, button] : buttons) {
        button = new QRadioButton(caption);
        column->addWidget(button);
    }
    column->addStretch(1);
    return group;
}

QString latin1Refusal(QChar character) {
    return QString(
               "The description can only hold the game's single-byte characters (Latin-1); "
               "\"%1\" is not one of them")
        .arg(character);
}

}  // namespace

MapPropertiesWindow::MapPropertiesWindow(model::Document& document, Prompts& prompts,
                                         DocumentHistory& history, QWidget* parent)
    : QDialog(parent), document_(document), prompts_(prompts), history_(history) {
    setObjectName("mapPropertiesWindow");
    setWindowTitle("PUD Properties");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
}

void MapPropertiesWindow::build() {
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    description_ = new QLineEdit;
    description_->setObjectName("descriptionBox");
    description_->setMaxLength(static_cast<int>(model::kDescriptionMaximumLength));
    // A 32-character description read without NUL is shown whole; the first edit brings back
    // the limit that "OK" holds the text to.
    connect(description_, &QLineEdit::textEdited, this, [this] {
        description_->setMaxLength(static_cast<int>(model::kDescriptionMaximumLength));
    });
    form->addRow("Description:", description_);
    dimensions_ = new QLabel;
    dimensions_->setObjectName("dimensionsLabel");
    form->addRow("Dimensions:", dimensions_);
    outer->addLayout(form);

    auto& x = expansionButtons_;
    expansionGroup_ =
        terrainGroup("If User has expansion pack then:", "expansionTerrainGroup",
                     {{"Forest", x[0]}, {"Winter", x[1]}, {"Swamp", x[3]}, {"Wasteland", x[2]}});
    auto& b = baseButtons_;
    baseGroup_ = terrainGroup("If User does not have expansion pack then:", "baseTerrainGroup",
                              {{"Forest", b[0]}, {"Winter", b[1]}, {"Wasteland", b[2]}});
    const std::array<const char*, 4> names = {"Forest", "Winter", "Wasteland", "Swamp"};
    for (std::size_t code = 0; code < x.size(); ++code) {
        x[code]->setObjectName(QString("expansion%1Button").arg(names[code]));
        connect(x[code], &QRadioButton::toggled, this, guardedSlot(prompts_, [this, code](bool on) {
                    terrainClick(SectionId::EraExpansion, code, on);
                }));
    }
    for (std::size_t code = 0; code < b.size(); ++code) {
        b[code]->setObjectName(QString("base%1Button").arg(names[code]));
        connect(b[code], &QRadioButton::toggled, this, guardedSlot(prompts_, [this, code](bool on) {
                    terrainClick(SectionId::Era, code, on);
                }));
    }
    auto* groups = new QHBoxLayout;
    groups->addWidget(expansionGroup_);
    groups->addWidget(baseGroup_);
    groups->addStretch(1);
    outer->addLayout(groups);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    conversion_ = new QPushButton(kToExpansion);
    conversion_->setObjectName("conversionButton");
    auto* ok = new QPushButton("OK");
    ok->setObjectName("mapPropertiesOkButton");
    ok->setDefault(true);
    buttons->addWidget(conversion_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    outer->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { storeDescription(); }));
    connect(conversion_, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { convertTerrain(); }));
}

// Every showing, also of a window that is open already, shows the document afresh.
void MapPropertiesWindow::setVisible(bool visible) {
    if (visible) {
        runGuarded(prompts_, [this] { showDocument(); });
    }
    QDialog::setVisible(visible);
}

bool MapPropertiesWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // Coming back to the window loses no typing, unless the description changed meanwhile.
        runGuarded(prompts_, [this] { showDocument(TypedText::KeepUnlessStoredOneChanged); });
    }
    return QDialog::event(event);
}

void MapPropertiesWindow::showDocument(TypedText typed) {
    const bool holdsDescription = document_.holds(SectionId::Description);
    const std::string text = holdsDescription ? model::descriptionText(document_) : std::string();
    if (typed == TypedText::Replace || text != shownDescription_) {
        // A description read without NUL is 32 characters long: it is shown whole.
        description_->setMaxLength(
            static_cast<int>(std::max(model::kDescriptionMaximumLength, text.size())));
        description_->setText(
            QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        shownDescription_ = text;
    }
    description_->setEnabled(holdsDescription);

    const auto size = model::mapSize(document_);
    dimensions_->setText(size ? QString("%1x%2").arg(size->width).arg(size->height) : QString());
    showTerrains();
}

void MapPropertiesWindow::showTerrains() {
    filling_ = true;
    const bool locked = model::applyWastelandOnlyRule(document_);
    const bool expansion = document_.hasExpansionTerrain();
    showCode(expansionButtons_, model::terrainWord(document_, SectionId::EraExpansion));
    expansionGroup_->setEnabled(expansion && !locked);
    conversion_->setText(expansion ? kToNormal : kToExpansion);

    const bool holdsEra = document_.holds(SectionId::Era);
    showCode(baseButtons_, holdsEra ? std::optional(model::terrainWord(document_, SectionId::Era))
                                    : std::nullopt);
    baseGroup_->setEnabled(holdsEra);
    filling_ = false;
}

void MapPropertiesWindow::terrainClick(SectionId era, std::size_t button, bool checked) {
    if (checked && !filling_) {
        history_.record("Change Terrain", [&] {
            model::setTerrainWord(document_, era, static_cast<model::Terrain>(button));
        });
    }
}

void MapPropertiesWindow::convertTerrain() {
    history_.record(conversion_->text().remove('&'), [this] {
        if (document_.hasExpansionTerrain()) {
            model::convertToNormal(document_);
        } else {
            model::convertToExpansion(document_);
        }
    });
    showTerrains();
}

void MapPropertiesWindow::storeDescription() {
    if (!document_.holds(SectionId::Description)) {
        hide();
        return;
    }
    const QString text = description_->text();
    try {
        for (const QChar character : text) {
            if (character.unicode() > 0xFF) {
                throw Error(latin1Refusal(character).toStdString());
            }
        }
        const QByteArray latin1 = text.toLatin1();
        history_.record("Change Description", [&] {
            model::storeDescription(document_,
                                    {latin1.constData(), static_cast<std::size_t>(latin1.size())});
        });
        shownDescription_ = latin1.toStdString();
    } catch (const Error& refusal) {
        // Nothing is stored and the window stays open on the text to mend.
        description_->setFocus();
        throw CommandFailed(errorMessage(QString::fromStdString(refusal.what()) + "."));
    }
    hide();
}

}  // namespace tarnwick::ui
