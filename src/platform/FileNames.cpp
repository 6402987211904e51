#include "platform/FileNames.h"

#include <string_view>

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

std::string shownFileName(const QString& name) {
    return bytes::printableName(bytesOfFileName(name).toStdString());
}

}  // namespace tarnwick::platform
