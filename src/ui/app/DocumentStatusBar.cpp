#include "ui/app/DocumentStatusBar.h"

namespace tarnwick::ui {

DocumentStatusBar::DocumentStatusBar(QStatusBar& bar)
    : bar_(bar), modified_(new QLabel("Modified", &bar)) {
    bar_.setObjectName("statusBar");
    modified_->setObjectName("modifiedMark");
    bar_.addPermanentWidget(modified_);
    modified_->hide();
}

void DocumentStatusBar::reportWrite(const QString& text) {
    bar_.showMessage(text, kReportMilliseconds);
}

void DocumentStatusBar::showModified(bool modified) {
    modified_->setVisible(modified);
}

}  // namespace tarnwick::ui
