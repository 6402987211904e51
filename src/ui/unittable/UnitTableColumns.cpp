#include "ui/unittable/UnitTableColumns.h"

#include <algorithm>

#include "core/Error.h"
#include "core/model/TypedNumber.h"
#include "ui/units/UnitControlTexts.h"
#include "ui/units/UnitFieldRules.h"

namespace tarnwick::ui {

namespace uf = model::unitfields;
using Table = model::UnitDataTable;
using Kind = UnitTableColumn::Kind;

namespace {

QStringList listOf(const auto& names) {
    QStringList list;
    for (const char* name : names) {
        list << name;
    }
    return list;
}

UnitTableColumn numberColumn(const NumberBox& box) {
    const QString label = numberLabel(box);
    QString key =
        QString::fromLatin1(box.field->name.data(), static_cast<qsizetype>(box.field->name.size()));
    if (box.field->parts > 1) {
        key += box.part == 0 ? ".width" : ".height";
    }
    return {Kind::Number,
            label,
            key,
            key,
            label,
            {},
            [&box](const Table& table, std::size_t unit) { return shownNumber(table, box, unit); },
            [&box](Table& table, std::size_t unit, std::int64_t value) {
                storeNumber(table, box, unit, value);
            },
            box.field->minimumShown(),
            box.field->maximumShown(),
            box.field};
}

UnitTableColumn listColumn(const QString& header, const model::FieldDescriptor& field,
                           int firstEntry, QStringList choices, auto read, auto write) {
    const QString key =
        QString::fromLatin1(field.name.data(), static_cast<qsizetype>(field.name.size()));
    const auto last = static_cast<std::int64_t>(choices.size()) - 1;
    return {
        Kind::List,
        header,
        key,
        key,
        header,
        std::move(choices),
        [read](const Table& table, std::size_t unit) -> std::int64_t { return read(table, unit); },
        [write](Table& table, std::size_t unit, std::int64_t value) {
            write(table, unit, static_cast<int>(value));
        },
        0,
        last,
        nullptr,
        field.count,
        [&field, firstEntry](const Table& table, std::size_t unit) -> std::int64_t {
            return unit < field.count ? std::int64_t{table.get(field, unit)} - firstEntry : 0;
        }};
}

UnitTableColumn checkColumn(const QString& caption, const QString& key, const QString& stepName,
                            auto read, auto write) {
    return {Kind::Check,
            caption,
            caption,
            key,
            stepName,
            {},
            [read](const Table& table, std::size_t unit) -> std::int64_t {
                return read(table, unit) ? 1 : 0;
            },
            [write](Table& table, std::size_t unit, std::int64_t value) {
                write(table, unit, value != 0);
            },
            0,
            1};
}

std::vector<UnitTableColumn> buildColumns() {
    std::vector<UnitTableColumn> columns;
    // The "General" page from top to bottom.
    const auto numbers = [&](std::initializer_list<std::size_t> boxes) {
        for (const std::size_t box : boxes) {
            columns.push_back(numberColumn(kNumberBoxes[box]));
        }
    };
    columns.push_back({Kind::Number,
                       "Priority",
                       "priority",
                       "priority",
                       "Priority",
                       {},
                       [](const Table& table, std::size_t unit) -> std::int64_t {
                           return table.get(uf::priority, unit);
                       },
                       [](Table& table, std::size_t unit, std::int64_t value) {
                           table.set(uf::priority, unit,
                                     model::checkedStoredValue(uf::priority, value, "Priority"));
                       },
                       uf::priority.minimumShown(),
                       uf::priority.maximumShown(),
                       &uf::priority});
    numbers({numberBoxIndex("cpuReactRangeBox"), numberBoxIndex("annoyFactorBox"),
             numberBoxIndex("pointValueBox"), numberBoxIndex("reactRangeBox"),
             numberBoxIndex("sightRangeBox"), numberBoxIndex("decayRateBox"),
             numberBoxIndex("armorBox"), numberBoxIndex("hitPointsBox")});
    columns.push_back(listColumn(
        "Type", uf::unitType, 0, listOf(kDomainNames),
        [](const Table& table, std::size_t unit) {
            const auto type = static_cast<std::int64_t>(table.get(uf::unitType, unit));
            return type < static_cast<std::int64_t>(kDomainNames.size()) ? type : -1;
        },
        storeUnitType));
    numbers({numberBoxIndex("attackRangeBox"), numberBoxIndex("basicDamageBox"),
             numberBoxIndex("piercingDamageBox")});
    columns.push_back(listColumn("Missile Type", uf::missile, 0, listOf(kMissileNames),
                                 missilePosition, storeMissile));
    columns.push_back(listColumn("Right Mouse button", uf::rightClickAction, 1,
                                 listOf(kRightClickNames), rightClickPosition, storeRightClick));
    numbers({numberBoxIndex("tileHeightBox"), numberBoxIndex("tileWidthBox"),
             numberBoxIndex("boxHeightBox"), numberBoxIndex("boxWidthBox"),
             numberBoxIndex("goldBox"), numberBoxIndex("lumberBox"), numberBoxIndex("oilBox"),
             numberBoxIndex("buildTimeBox")});

    // The "Flags" page: every flag bit, then the extra check boxes.
    for (unsigned bit = 0; bit < kFlagTexts.size(); ++bit) {
        const QString caption = kFlagTexts[bit].caption;
        columns.push_back(checkColumn(
            caption, QString("flags.%1").arg(bit), caption,
            [bit](const Table& table, std::size_t unit) {
                return bitSet(table, uf::flags, unit, bit);
            },
            [bit](Table& table, std::size_t unit, bool set) {
                storeBit(table, uf::flags, unit, bit, set);
            }));
    }
    for (const ByteCheckBox& box : kByteCheckBoxes) {
        columns.push_back(checkColumn(
            box.caption,
            QString::fromLatin1(box.field->name.data(),
                                static_cast<qsizetype>(box.field->name.size())),
            box.caption,
            [&box](const Table& table, std::size_t unit) {
                return table.get(*box.field, unit) != 0;
            },
            [&box](Table& table, std::size_t unit, bool set) {
                storeByteCheck(table, box, unit, set);
            }));
        // "Armor" alone would read as the number column of that name.
        if (box.tooltip == std::string_view(kUpgradeTip)) {
            columns.back().header += " upgrades";
        }
    }
    for (std::size_t i = 0; i < kTargetBoxes.size(); ++i) {
        const unsigned bit = kTargetBoxes[i].bit;
        columns.push_back(checkColumn(
            kTargetBoxes[i].caption, QString("canTarget.%1").arg(bit), "Targets",
            [bit](const Table& table, std::size_t unit) {
                return bitSet(table, uf::canTarget, unit, bit);
            },
            [i](Table& table, std::size_t unit, bool set) {
                // As the page does: the byte rewritten whole from the three boxes.
                std::array<bool, kTargetBoxes.size()> ticked{};
                for (std::size_t t = 0; t < kTargetBoxes.size(); ++t) {
                    ticked[t] =
                        t == i ? set : bitSet(table, uf::canTarget, unit, kTargetBoxes[t].bit);
                }
                storeTargets(table, unit, ticked);
            }));
    }
    return columns;
}

}  // namespace

std::int64_t UnitTableColumn::comparable(const Table& table, std::size_t unit) const {
    return storedNumber ? storedNumber(table, unit) : value(table, unit);
}

QString UnitTableColumn::text(std::int64_t shown) const {
    switch (kind) {
        case Kind::List:
            return shown >= 0 && shown < choices.size() ? choices[static_cast<int>(shown)]
                                                        : QString();
        case Kind::Number:
        case Kind::Check:
            break;
    }
    return QString::number(shown);
}

void UnitTableColumn::check(std::int64_t number) const {
    if (field != nullptr) {
        model::checkedStoredValue(*field, number, header.toStdString());
    } else {
        model::checkFits(number, header.toStdString(), minimum, maximum);
    }
}

std::int64_t UnitTableColumn::parse(const QString& typed, bool written) const {
    switch (kind) {
        case Kind::Number: {
            const std::int64_t number =
                written ? model::parseWrittenInteger(typed.toStdString()) : typedNumber(typed);
            check(number);
            return number;
        }
        case Kind::List: {
            const QString entry = typed.trimmed();
            const auto found = std::find_if(choices.begin(), choices.end(), [&](const QString& c) {
                return c.compare(entry, Qt::CaseInsensitive) == 0;
            });
            if (found == choices.end()) {
                throw Error("'" + typed.toStdString() + "' is not an entry of " +
                            header.toStdString());
            }
            return found - choices.begin();
        }
        case Kind::Check: {
            const QString bit = typed.trimmed();
            if (bit != "0" && bit != "1") {
                throw Error("'" + typed.toStdString() + "' is neither 0 nor 1");
            }
            return bit == "1" ? 1 : 0;
        }
    }
    return 0;
}

const std::vector<UnitTableColumn>& unitTableColumns() {
    static const std::vector<UnitTableColumn> columns = buildColumns();
    return columns;
}

}  // namespace tarnwick::ui
