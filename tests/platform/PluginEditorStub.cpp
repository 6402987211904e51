#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include <QCoreApplication>
#include <QString>

#include "core/plugin/PluginDocument.h"
#include "platform/PluginLink.h"

// A stand-in for the editor in plug-in mode, for the end-to-end tests: it uses the platform link
// exactly as the main window does (open, fill the document, set the hit points of unit 3 to
// 4321, "Save and Exit" or leave), steered by the environment since the host passes nothing but
// "-MarrowbyPlugIn":
//   TARNWICK_STUB_SAVE        1 (default): Save and Exit; 0: leave without saving
//   TARNWICK_STUB_MODE        "close" (default), "exit-open" (end without closing the link),
//                             "fail" (end with exit code 3 without closing), "sleep" (never end)
namespace {

using namespace tarnwick;

int number(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

std::string text(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

const char* describe(platform::NotificationResult result) {
    switch (result) {
        case platform::NotificationResult::NotSent:
            return "not sent";
        case platform::NotificationResult::Acknowledged:
            return "acknowledged";
        case platform::NotificationResult::Unanswered:
            return "unanswered";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || QString(argv[1]).compare("-MarrowbyPlugIn", Qt::CaseInsensitive) != 0) {
        std::cerr << "usage: " << argv[0] << " -MarrowbyPlugIn\n";
        return 2;
    }
    platform::PluginLink link;
    try {
        link.open();
    } catch (const plugin::PluginLinkError& error) {
        std::cout << "Error: " << error.what() << std::endl;
        return 1;
    }
    model::Document document;
    plugin::fillDocument(document, link.linkObject());
    constexpr std::size_t unit = 3;
    constexpr std::uint32_t after = 4321;
    const auto before = document.unitData.get(model::unitfields::hitPoints, unit);
    std::cout << "stub: opened; map " << link.linkObject().mapWidth() << " x "
              << link.linkObject().mapHeight() << ", " << link.linkObject().unitCount()
              << " units; 1025 " << describe(link.lastNotification()) << std::endl;

    document.unitData.set(model::unitfields::hitPoints, unit, after);
    std::cout << "stub: unit " << unit << " hit points " << before << " -> " << after << std::endl;

    const std::string mode = text("TARNWICK_STUB_MODE", "close");
    if (mode == "exit-open") {
        return 0;
    }
    if (mode == "fail") {
        return 3;
    }
    if (mode == "sleep") {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    }
    const bool save = number("TARNWICK_STUB_SAVE", 1) != 0;
    try {
        if (save) {
            link.saveAndClose(document);
        } else {
            link.close(false);
        }
    } catch (const plugin::PluginLinkError& error) {
        std::cout << "Error: " << error.what() << std::endl;
        return 1;
    }
    std::cout << "stub: closed with save " << (save ? 1 : 0) << "; 1026 "
              << describe(link.lastNotification()) << std::endl;
    return 0;
}
