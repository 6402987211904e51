#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "ArchiveBuilder.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"
#include "tool/ToolCommands.h"

namespace tarnwick::testsupport {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

inline ToolRun runCommand(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = tool::runTool(arguments, out, err);
    return {code, out.str(), err.str()};
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Files in a temporary folder of the test's own.
class ToolTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }
    // Names are bytes, as the tool takes them.
    QString systemPath(const std::string& name) const {
        return platform::fileNameFromBytes(QByteArray::fromStdString(path(name)));
    }
    void write(const std::string& name, const Bytes& bytes) const {
        platform::saveWholeFile(systemPath(name), bytes);
    }
    Bytes contents(const std::string& name) const {
        return platform::readWholeFile(systemPath(name));
    }
    bool exists(const std::string& name) const {
        return QFile::exists(QString::fromStdString(path(name)));
    }
    QTemporaryDir dir;
};

}  // namespace tarnwick::testsupport
