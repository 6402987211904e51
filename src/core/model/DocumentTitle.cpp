#include "core/model/DocumentTitle.h"

#include "core/bytes/Printable.h"

namespace tarnwick::model {

namespace {
const char* kindMark(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Scenario:
            return " - [PUD]";
        case DocumentKind::UnitData:
            return " - [UDTA]";
        case DocumentKind::UpgradeData:
            return " - [UGRD]";
        case DocumentKind::None:
            break;
    }
    return nullptr;
}
}  // namespace

std::string documentTitle(const Document& document, TitleMoment moment) {
    const char* mark = kindMark(document.kind);
    if (!document.isLoaded || mark == nullptr) {
        return kTitleNothingHeld;
    }
    // A document taken from the game's archive has no file of its own yet.
    if (document.fileName.empty()) {
        return std::string(kTitleAtStart) + mark;
    }
    std::string name = document.fileName;
    const auto slash = name.find_last_of("/\\");
    const bool wholePath =
        document.kind == DocumentKind::UnitData && moment == TitleMoment::AfterRead;
    if (!wholePath && slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    // A name that is no UTF-8 shows its other bytes as "\xE9", as messages show it.
    return std::string("Tarnwick v3.0 - ") + bytes::printableName(name) + mark;
}

}  // namespace tarnwick::model
