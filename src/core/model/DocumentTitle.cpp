#include "core/model/DocumentTitle.h"

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
    return std::string("Tarnwick v3.0 - ") + name + mark;
}

}  // namespace tarnwick::model
