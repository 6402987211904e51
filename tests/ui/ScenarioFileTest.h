#pragma once

#include <optional>
#include <string>

#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "core/files/SectionChain.h"
#include "platform/FileStore.h"

namespace tarnwick::testsupport {

// Window tests on one scenario file that the editor opens and saves from its menus.
class ScenarioFileTest : public WindowTestBase {
  protected:
    void open(const Bytes& file) {
        platform::saveWholeFile(path_, file);
        openDroppingEdits(*h_, path_);
    }
    void save() { h_->window.menus().save->trigger(); }
    // The file as the editor writes it straight after opening it.
    Bytes openAndSave(const Bytes& file) {
        open(file);
        save();
        return saved();
    }
    Bytes saved() const { return platform::readWholeFile(path_); }
    // The body of `tag` in the saved file; nothing when the file has no such section.
    std::optional<Bytes> savedSection(const std::string& tag) const {
        const Bytes file = saved();
        files::SectionChainReader chain(file);
        while (const auto header = chain.nextHeader()) {
            const auto body = chain.takeBody();
            if (header->tag == tag) {
                return Bytes(body.begin(), body.end());
            }
        }
        return std::nullopt;
    }
    void type(const QString& name, const QString& text) const {
        QLineEdit* edit = box(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("scenario.pud");
};

inline Bytes littleEndian(std::initializer_list<std::uint16_t> words) {
    Bytes out;
    for (const std::uint16_t word : words) {
        out.push_back(static_cast<std::uint8_t>(word));
        out.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return out;
}

}  // namespace tarnwick::testsupport
