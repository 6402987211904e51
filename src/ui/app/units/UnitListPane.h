#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

namespace tarnwick::ui {

// The column left of the pages: the search box over the list of the units and graphics rows.
class UnitListPane : public QWidget {
    Q_OBJECT

  public:
    explicit UnitListPane(QWidget* parent = nullptr);

    QListWidget& list() { return *list_; }
    int rowCount() const { return list_->count(); }
    QString rowName(std::size_t row) const { return list_->item(static_cast<int>(row))->text(); }
    // The game's names for the rows; a row the game does not name keeps its name.
    void nameRows(std::span<const std::optional<std::string>> names);
    // The width that shows the longest name, up to a limit.
    int fittedWidth() const;

  signals:
    // The search went to this row.
    void rowFound(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Goes to the first unit whose name begins with `text`.
    void search(const QString& text);

    QLineEdit* searchBox_;
    QListWidget* list_;
    // The search box's text before the key being typed, until the key's edit searched with it.
    std::optional<QString> textBeforeKey_;
};

}  // namespace tarnwick::ui
