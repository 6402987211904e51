#pragma once

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tarnwick::ui {

// A slim bar above the pages, in the colours of a tooltip: a text about the document and the
// buttons that do something about it. Hidden until its owner shows it.
class NoticeBar : public QFrame {
    Q_OBJECT

  public:
    // The bar is named `name`, its text `name` + "Text".
    NoticeBar(const QString& name, QWidget* parent);

  protected:
    QLabel* text() const { return text_; }
    QPushButton* addButton(const QString& label, const QString& name);

  private:
    QHBoxLayout* row_ = nullptr;
    QLabel* text_ = nullptr;
};

}  // namespace tarnwick::ui
