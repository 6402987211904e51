#pragma once

#include <string>

#include <QByteArray>
#include <QString>

namespace tarnwick::platform {

// To the system a file name is bytes, and a name need not be UTF-8 ("caf\xE9.pud" from a Latin-1
// system). Qt decodes such bytes to U+FFFD and cannot give them back, so every name this program
// hands to the system goes through these two instead: a byte that is no part of a UTF-8
// character rides in the QString as a lone surrogate U+DC80 to U+DCFF, which no UTF-8 name
// decodes to, and goes back as the same byte.

QString fileNameFromBytes(const QByteArray& bytes);
QByteArray bytesOfFileName(const QString& name);
// The document's name, which core keeps as the bytes.
QString fileNameFromBytes(const std::string& bytes);

// The name as Qt's own listing decoded it (a file chooser's answer), where every byte that is no
// UTF-8 became U+FFFD: each such part is found again among its folder's entries, decoded the
// same way, and when one entry alone matches it gives the bytes. Any other name comes back as is.
QString fileNameFromListing(const QString& listed);

bool fileExists(const QString& name);

// The name as a message shows it: UTF-8 as it is, other bytes as "\xE9".
std::string shownFileName(const QString& name);

}  // namespace tarnwick::platform
