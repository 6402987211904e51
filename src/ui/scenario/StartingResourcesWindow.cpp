#include "ui/scenario/StartingResourcesWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/prompts/CommandFailed.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

using model::Resource;

namespace {

QString textOf(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

StartingResourcesWindow::StartingResourcesWindow(model::Document& document, Prompts& prompts,
                                                 DocumentHistory& history, QWidget* parent)
    : QDialog(parent), document_(document), prompts_(prompts), history_(history) {
    setObjectName("startingResourcesWindow");
    setWindowTitle("Starting Resources");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
}

void StartingResourcesWindow::build() {
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox("Starting Resources");
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Player"), 0, 0);
    const std::array<const char*, 3> names = {"goldBox", "lumberBox", "oilBox"};
    for (const Resource resource : model::kResources) {
        const auto r = static_cast<std::size_t>(resource);
        const int column = static_cast<int>(r) + 1;
        grid->addWidget(new QLabel(textOf(model::kResourceNames[r])), 0, column);
        for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
            auto* box = new QLineEdit;
            box->setObjectName(QString("%1%2").arg(names[r]).arg(slot));
            box->setMaximumWidth(box->fontMetrics().horizontalAdvance("0000000000") + 12);
            grid->addWidget(box, static_cast<int>(slot) + 1, column);
            boxes_[slot][r] = box;
        }
    }
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        auto* label = new QLabel(textOf(model::kPlayerLabels[slot]));
        label->setBuddy(boxes_[slot][0]);
        grid->addWidget(label, static_cast<int>(slot) + 1, 0);
    }
    // A wider window keeps the boxes at the width of their numbers.
    grid->setColumnStretch(static_cast<int>(model::kResources.size()) + 1, 1);
    outer->addWidget(group);
    outer->addStretch(1);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("resourcesOkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("resourcesCancelButton");
    auto* duplicate = new QPushButton("Duplicate");
    duplicate->setObjectName("duplicateButton");
    duplicate->setToolTip("Give players 2 to 8 the values of player 1");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(duplicate);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { storeResources(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(duplicate, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { duplicateFirstPlayer(); }));
}

// Every showing, also of a window that is open already, shows the document afresh.
void StartingResourcesWindow::setVisible(bool visible) {
    if (visible) {
        runGuarded(prompts_, [this] { showDocument(); });
    }
    QDialog::setVisible(visible);
}

void StartingResourcesWindow::showDocument() {
    for (const Resource resource : model::kResources) {
        const bool held = document_.holds(model::sectionOf(resource));
        for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
            QLineEdit* box = boxes_[slot][static_cast<std::size_t>(resource)];
            box->setText(held ? QString::number(model::startingAmount(document_, resource, slot))
                              : QString());
            box->setEnabled(held);
        }
    }
}

void StartingResourcesWindow::storeResources() {
    model::ResourceTexts texts;
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        for (std::size_t r = 0; r < model::kResources.size(); ++r) {
            texts[slot][r] = boxes_[slot][r]->text().toStdString();
        }
    }
    try {
        history_.record("Change Starting Resources",
                        [&] { model::storeStartingResources(document_, texts); });
    } catch (const model::ResourceTextError& error) {
        // Nothing is stored and the window stays open on the box to mend; a number that does
        // not fit is refused as everywhere, the box showing what the scenario holds.
        QLineEdit* box = boxes_[error.slot][static_cast<std::size_t>(error.resource)];
        if (error.doesNotFit) {
            box->setText(
                QString::number(model::startingAmount(document_, error.resource, error.slot)));
        }
        box->setFocus();
        box->selectAll();
        const QString text = QString::fromStdString(error.what()) + ".";
        throw CommandFailed(error.doesNotFit ? warningMessage(text) : errorMessage(text));
    }
    hide();
}

void StartingResourcesWindow::duplicateFirstPlayer() {
    for (std::size_t slot = 1; slot < model::kEditedPlayerCount; ++slot) {
        for (std::size_t r = 0; r < model::kResources.size(); ++r) {
            if (boxes_[slot][r]->isEnabled()) {
                boxes_[slot][r]->setText(boxes_[0][r]->text());
            }
        }
    }
}

}  // namespace tarnwick::ui
