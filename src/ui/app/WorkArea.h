#pragma once

#include <optional>

#include <QSplitter>
#include <QWidget>

#include "platform/SettingsStore.h"
#include "ui/app/DefaultDataNotice.h"
#include "ui/app/FileChangedNotice.h"
#include "ui/app/units/UnitListPane.h"
#include "ui/app/units/UnitPages.h"

namespace tarnwick::ui {

// The main window's central area: the unit list at the left, the notices over the unit pages
// at the right. A wider window widens the pages; the list keeps the width the user gave it.
class WorkArea : public QWidget {
    Q_OBJECT

  public:
    WorkArea(model::Document& document, Prompts& prompts, DocumentHistory& history,
             EntryExtractor& extractor, DefaultTables& defaults, ProgressWindow& progress,
             platform::SettingsStore& settings, QWidget* parent = nullptr);

    UnitListPane& listPane() { return *listPane_; }
    UnitPages& pages() { return *pages_; }
    DefaultDataNotice& notice() { return *notice_; }
    FileChangedNotice& fileChangedNotice() { return *fileChangedNotice_; }

    // At the first showing, once the rows have their names: the list as wide as the user left
    // it, else as its names.
    void placeUnitList();
    // For the next start: the list's width, once the user dragged it.
    void rememberListWidth();

  private:
    platform::SettingsStore& settings_;
    QSplitter* splitter_;
    UnitListPane* listPane_;
    FileChangedNotice* fileChangedNotice_;
    DefaultDataNotice* notice_;
    UnitPages* pages_;
    bool listPlaced_ = false;
    std::optional<int> movedListWidth_;
};

}  // namespace tarnwick::ui
