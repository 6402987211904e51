#include "platform/FileNames.h"

#include <dirent.h>
#include <unistd.h>

#include <memory>
#include <string_view>

#include <QStringList>

#include "core/bytes/Printable.h"

namespace tarnwick::platform {

namespace {

constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

}  // namespace

QString fileNameFromBytes(const QByteArray& bytes) {
    const std::string_view raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QString name;
    name.reserve(bytes.size());
    for (std::size_t at = 0; at < raw.size();) {
        const auto byte = static_cast<unsigned char>(raw[at]);
        const std::size_t length = byte < 0x80 ? 1 : bytes::utf8SequenceAt(raw, at);
        if (length == 0) {
            name += QChar(static_cast<char16_t>(kFirstEscape + byte - 0x80));
            ++at;
        } else {
            name += QString::fromUtf8(raw.data() + at, static_cast<qsizetype>(length));
            at += length;
        }
    }
    return name;
}

QByteArray bytesOfFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype end) {
        bytes += QStringView(name).sliced(runStart, end - runStart).toUtf8();
        runStart = end + 1;
    };
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t unit = name[at].unicode();
        // A low surrogate after a high one is half of a character above U+FFFF, no byte.
        const bool paired = at > 0 && name[at - 1].isHighSurrogate();
        if (unit >= kFirstEscape && unit <= kLastEscape && !paired) {
            endRun(at);
            bytes += static_cast<char>(unit - kFirstEscape + 0x80);
        }
    }
    endRun(name.size());
    return bytes;
}

QString fileNameFromBytes(const std::string& bytes) {
    return fileNameFromBytes(QByteArray::fromStdString(bytes));
}

QString fileNameFromListing(const QString& listed) {
    if (!listed.contains(QChar::ReplacementCharacter)) {
        return listed;
    }
    const QStringList parts = listed.split('/');
    QString found = parts.constFirst();
    for (qsizetype at = 1; at < parts.size(); ++at) {
        QString part = parts[at];
        if (part.contains(QChar::ReplacementCharacter)) {
            const QByteArray folder = bytesOfFileName(found.isEmpty() ? "/" : found);
            const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(folder.constData()),
                                                              ::closedir);
            int matches = 0;
            QString match;
            while (entries) {
                const dirent* entry = ::readdir(entries.get());
                if (entry == nullptr) {
                    break;
                }
                if (QString::fromUtf8(entry->d_name) == part) {
                    ++matches;
                    match = fileNameFromBytes(QByteArray(entry->d_name));
                }
            }
            if (matches == 1) {
                part = match;
            }
        }
        found += '/' + part;
    }
    return found;
}

bool fileExists(const QString& name) {
    return ::access(bytesOfFileName(name).constData(), F_OK) == 0;
}

std::string shownFileName(const QString& name) {
    return bytes::printableName(bytesOfFileName(name).toStdString());
}

}  // namespace tarnwick::platform
