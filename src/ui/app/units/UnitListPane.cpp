#include "ui/app/units/UnitListPane.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/model/UnitRowNames.h"
#include "core/model/UnitSearch.h"

namespace tarnwick::ui {

namespace {
// The list is as wide as its longest name, up to this; a longer name is elided.
constexpr int kListColumnMaximumWidth = 220;
}  // namespace

UnitListPane::UnitListPane(QWidget* parent)
    : QWidget(parent), searchBox_(new QLineEdit(this)), list_(new QListWidget(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    searchBox_->setObjectName("searchBox");
    searchBox_->setToolTip(
        "Type in the unit name, or part of the unit name, and the Unit List will "
        "automatically go to that unit.");
    searchBox_->installEventFilter(this);
    list_->setObjectName("unitList");
    list_->setToolTip("The Unit List");
    for (std::size_t row = 0; row < model::kGraphicsRowCount; ++row) {
        list_->addItem(QString::fromStdString(model::fallbackUnitRowName(row)));
    }
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(searchBox_);
    column->addWidget(list_);
    connect(searchBox_, &QLineEdit::textEdited, this, [this](const QString&) {
        if (const auto before = std::exchange(textBeforeKey_, std::nullopt)) {
            search(*before);
        }
    });
}

void UnitListPane::nameRows(std::span<const std::optional<std::string>> names) {
    const std::size_t rows = std::min(names.size(), static_cast<std::size_t>(list_->count()));
    for (std::size_t row = 0; row < rows; ++row) {
        if (const auto& name = names[row]) {
            list_->item(static_cast<int>(row))
                ->setText(QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size())));
        }
    }
}

int UnitListPane::fittedWidth() const {
    const int width = list_->sizeHintForColumn(0) + 2 * list_->frameWidth() +
                      list_->verticalScrollBar()->sizeHint().width();
    return std::min(width, kListColumnMaximumWidth);
}

bool UnitListPane::eventFilter(QObject* watched, QEvent* event) {
    // The search looks at the text as it was before the key took effect, and only a key that
    // changes the text searches: Tab into the list keeps the unit.
    if (watched == searchBox_ && event->type() == QEvent::KeyPress) {
        textBeforeKey_ = searchBox_->text();
    }
    return QWidget::eventFilter(watched, event);
}

void UnitListPane::search(const QString& text) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list_->count()));
    for (int row = 0; row < list_->count(); ++row) {
        names.push_back(list_->item(row)->text().toStdString());
    }
    const auto found = model::findUnitRow(names, text.toStdString());
    if (!found) {
        return;
    }
    const int row = static_cast<int>(*found);
    list_->scrollToItem(list_->item(row), QAbstractItemView::PositionAtTop);
    emit rowFound(row);
}

}  // namespace tarnwick::ui
