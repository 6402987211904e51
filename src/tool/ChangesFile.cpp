#include "tool/ChangesFile.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarnwick::tool {

namespace {

bool looksLikeJson(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const auto first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '{';
}

// A number as written, for the one check of every value: a fraction or an exponent stays one,
// and is refused there as no whole number.
std::string numberText(const QJsonValue& value, const std::string& path) {
    if (value.isString()) {
        return value.toString().toStdString();
    }
    if (!value.isDouble()) {
        throw Error(path + ": a number is needed");
    }
    const double number = value.toDouble();
    if (std::trunc(number) == number && std::abs(number) < 9.0e15) {
        return std::to_string(static_cast<std::int64_t>(number));
    }
    return QString::number(number, 'g', 17).toStdString();
}

const exchange::TableSchema& tableNamed(const QString& title) {
    for (const exchange::Table table : exchange::kTables) {
        if (QString::fromUtf8(exchange::schemaOf(table).title.data(),
                              static_cast<qsizetype>(exchange::schemaOf(table).title.size())) ==
            title) {
            return exchange::schemaOf(table);
        }
    }
    throw Error("\"" + title.toStdString() + "\" is no table (units, upgrades or restrictions)");
}

std::vector<exchange::WrittenValue> jsonChanges(std::span<const std::uint8_t> file) {
    QJsonParseError error;
    const QByteArray bytes(reinterpret_cast<const char*>(file.data()),
                           static_cast<qsizetype>(file.size()));
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const auto line = 1 + std::count(bytes.begin(), bytes.begin() + error.offset, '\n');
        throw Error("line " + std::to_string(line) + ": " + error.errorString().toStdString());
    }
    std::vector<exchange::WrittenValue> values;
    const QJsonObject tables = document.object();
    for (auto table = tables.begin(); table != tables.end(); ++table) {
        const exchange::TableSchema& schema = tableNamed(table.key());
        const std::string title(schema.title);
        const QString key =
            QString::fromUtf8(schema.key.data(), static_cast<qsizetype>(schema.key.size()));
        if (!table.value().isArray()) {
            throw Error(title + ": a list of rows is needed");
        }
        const QJsonArray rows = table.value().toArray();
        for (qsizetype index = 0; index < rows.size(); ++index) {
            const std::string path = title + '[' + std::to_string(index) + ']';
            const QJsonObject row = rows[index].toObject();
            if (!rows[index].isObject() || !row.contains(key)) {
                throw Error(path + ": a row needs its \"" + key.toStdString() + "\"");
            }
            const std::string rowKey = numberText(row.value(key), path + '.' + key.toStdString());
            for (auto field = row.begin(); field != row.end(); ++field) {
                if (field.key() == key || field.key() == "name") {
                    continue;
                }
                const std::string name = field.key().toStdString();
                const std::string fieldPath = path + '.' + name;
                if (field.value().isString()) {
                    throw Error(fieldPath + ": a number is needed, not a text");
                }
                values.push_back(
                    {schema.table, rowKey, name, numberText(field.value(), fieldPath), fieldPath});
            }
        }
    }
    return values;
}

}  // namespace

std::vector<exchange::WrittenValue> readChanges(std::span<const std::uint8_t> file) {
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    return looksLikeJson(text) ? jsonChanges(file) : exchange::csvChanges(text);
}

}  // namespace tarnwick::tool
