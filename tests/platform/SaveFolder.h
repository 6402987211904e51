#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "platform/FileStore.h"

namespace tarnwick::testsupport {

// A folder of its own for each test of the atomic save, with its files by name.
class SaveFolder : public ::testing::Test {
  protected:
    using Bytes = std::vector<std::uint8_t>;

    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    std::string path(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }
    void save(const std::string& name, const Bytes& bytes,
              platform::OtherLinks otherLinks = platform::OtherLinks::Refuse) const {
        platform::saveWholeFile(QString::fromStdString(path(name)), bytes, otherLinks);
    }
    Bytes read(const std::string& name) const {
        return platform::readWholeFile(QString::fromStdString(path(name)));
    }
    // Sorted; links are not followed.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry :
             std::filesystem::directory_iterator(folder_.path().toStdString())) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    QTemporaryDir folder_;
    const Bytes old_ = {1, 2, 3, 4};
    const Bytes new_ = {9, 8, 7};
};

}  // namespace tarnwick::testsupport
