#include "ui/app/units/UnitRevertMenus.h"

#include <memory>
#include <utility>

#include <QLineEdit>
#include <QMenu>

#include "core/model/DefaultValues.h"
#include "ui/app/SelectedUnit.h"
#include "ui/defaults/DefaultMark.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

UnitRevertMenus::UnitRevertMenus(model::Document& document, Prompts& prompts,
                                 DocumentHistory& history, DefaultTables& defaults,
                                 const UnitDefaultMarks& marks, UnitListPane& listPane,
                                 std::function<void()> showUnit, QObject* parent)
    : QObject(parent),
      document_(document),
      prompts_(prompts),
      history_(history),
      defaults_(defaults),
      listPane_(listPane),
      showUnit_(std::move(showUnit)) {
    for (const UnitDefaultMarks::Caption& caption : marks.captions()) {
        caption.control->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(caption.control, &QWidget::customContextMenuRequested, this,
                guardedSlot(prompts_, [this, &caption](const QPoint& position) {
                    showValueMenu(caption, position);
                }));
    }
    QListWidget& list = listPane_.list();
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&list, &QWidget::customContextMenuRequested, this,
            guardedSlot(prompts_, [this](const QPoint& position) { showUnitMenu(position); }));
}

const model::UnitDataTable* UnitRevertMenus::defaults() const {
    return defaults_.units(document_.hasExpansionGfx);
}

void UnitRevertMenus::addRevertItem(
    QMenu& menu, const QString& text, bool differs,
    const std::function<void(model::UnitDataTable&, const model::UnitDataTable&)>& change) {
    QAction* item = menu.addAction(text);
    item->setObjectName("revertItem");
    const model::UnitDataTable* fallback = defaults();
    item->setEnabled(fallback != nullptr && differs);
    if (fallback == nullptr) {
        item->setToolTip(kNeedsDefaultDataTip);
        menu.setToolTipsVisible(true);
        return;
    }
    connect(item, &QAction::triggered, this, guardedSlot(prompts_, [this, text, change](bool) {
                const model::UnitDataTable* table = defaults();
                history_.record(text, [&] { change(document_.unitData, *table); });
                showUnit_();
            }));
}

void UnitRevertMenus::showValueMenu(const UnitDefaultMarks::Caption& caption,
                                    const QPoint& position) {
    const auto unit = selectedUnit(listPane_.list());
    if (!unit || !document_.isLoaded) {
        return;
    }
    auto* box = qobject_cast<QLineEdit*>(caption.control);
    const std::unique_ptr<QMenu> menu(box != nullptr ? box->createStandardContextMenu()
                                                     : new QMenu(caption.control));
    if (box != nullptr) {
        menu->addSeparator();
    }
    const model::UnitDataTable* fallback = defaults();
    const std::optional<QString> defaultText =
        fallback != nullptr ? caption.defaultText(document_.unitData, *fallback, *unit)
                            : std::nullopt;
    addRevertItem(*menu,
                  defaultText ? QString("Revert to Default (%1)").arg(*defaultText)
                              : QString("Revert to Default"),
                  defaultText.has_value(),
                  [&caption, unit = *unit](model::UnitDataTable& table,
                                           const model::UnitDataTable& defaults) {
                      caption.revert(table, defaults, unit);
                  });
    menu->exec(caption.control->mapToGlobal(position));
}

void UnitRevertMenus::showUnitMenu(const QPoint& position) {
    QListWidget& list = listPane_.list();
    const int row = list.row(list.itemAt(position));
    if (row < 0 || static_cast<std::size_t>(row) >= model::kUnitCount || !document_.isLoaded ||
        document_.kind == model::DocumentKind::UpgradeData) {
        return;
    }
    const auto unit = static_cast<std::size_t>(row);
    const model::UnitDataTable* fallback = defaults();
    QMenu menu(&list);
    addRevertItem(menu, "Revert Unit to Defaults",
                  fallback != nullptr && model::unitDiffers(document_.unitData, *fallback, unit),
                  [unit](model::UnitDataTable& table, const model::UnitDataTable& defaults) {
                      model::revertUnit(table, defaults, unit);
                  });
    menu.exec(list.viewport()->mapToGlobal(position));
}

}  // namespace tarnwick::ui
