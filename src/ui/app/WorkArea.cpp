#include "ui/app/WorkArea.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tarnwick::ui {

WorkArea::WorkArea(model::Document& document, Prompts& prompts, DocumentHistory& history,
                   EntryExtractor& extractor, DefaultTables& defaults, ProgressWindow& progress,
                   platform::SettingsStore& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      splitter_(new QSplitter(Qt::Horizontal, this)),
      listPane_(new UnitListPane(splitter_)),
      fileChangedNotice_(new FileChangedNotice(this)),
      notice_(new DefaultDataNotice(this)),
      pages_(new UnitPages(document, prompts, history, extractor, defaults, progress, *listPane_,
                           this)) {
    auto* columns = new QHBoxLayout(this);
    splitter_->setObjectName("workSplitter");
    splitter_->setChildrenCollapsible(false);
    columns->addWidget(splitter_);
    auto* pagePane = new QWidget(splitter_);
    auto* pageColumn = new QVBoxLayout(pagePane);
    pageColumn->setContentsMargins(0, 0, 0, 0);
    pageColumn->addWidget(fileChangedNotice_);
    pageColumn->addWidget(notice_);
    pageColumn->addWidget(pages_, 1);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { movedListWidth_ = splitter_->sizes().constFirst(); });
}

void WorkArea::placeUnitList() {
    if (listPlaced_) {
        return;
    }
    const int remembered = settings_.unitListWidth();
    const int width = remembered > 0 ? remembered : listPane_->fittedWidth();
    splitter_->setSizes(
        {width, std::max(0, splitter_->width() - splitter_->handleWidth() - width)});
    listPlaced_ = true;
}

void WorkArea::rememberListWidth() {
    if (movedListWidth_) {
        settings_.setUnitListWidth(*movedListWidth_);
    }
}

}  // namespace tarnwick::ui
