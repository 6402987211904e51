#include "core/exchange/ChangesMerge.h"

#include <map>
#include <tuple>

#include "core/ShortList.h"

namespace tarnwick::exchange {

namespace {

// Where a difference stands in a table's order: the useDefault word before the rows, the rows in
// order, a row's columns in the record's order.
using Place = std::tuple<Table, std::size_t, std::size_t>;

Place placeOf(const Difference& difference) {
    if (!difference.row) {
        return {difference.table, 0, 0};
    }
    const TableSchema& schema = schemaOf(difference.table);
    const Column* column = schema.find(difference.field);
    const auto index = column == nullptr ? schema.columns.size()
                                         : static_cast<std::size_t>(column - schema.columns.data());
    return {difference.table, *difference.row + 1, index};
}

}  // namespace

Merge mergeChanges(const std::vector<Difference>& a, const std::vector<Difference>& b,
                   Prefer prefer) {
    std::map<Place, Difference> taken;
    for (const Difference& change : a) {
        taken.emplace(placeOf(change), change);
    }
    Merge merge;
    for (const Difference& change : b) {
        const auto [found, isNew] = taken.emplace(placeOf(change), change);
        if (isNew || found->second.after == change.after) {
            continue;
        }
        merge.conflicts.push_back({found->second, change.after.value_or(0)});
        if (prefer == Prefer::B) {
            found->second.after = change.after;
        }
    }
    for (auto& [place, change] : taken) {
        merge.taken.push_back(std::move(change));
    }
    return merge;
}

std::string conflictLines(const Merge& merge, Prefer prefer, const RowNamer& nameOf) {
    std::vector<std::string> lines;
    for (const Conflict& conflict : merge.conflicts) {
        const Difference& a = conflict.a;
        const TableSchema& schema = schemaOf(a.table);
        std::string line =
            a.row ? std::string(schema.key) + ' ' + std::to_string(schema.keyOf(*a.row))
                  : std::string(schema.title);
        const std::string name = a.row ? nameOf(a.table, *a.row) : "";
        line += (name.empty() ? "" : ' ' + name) + ' ' + a.field + ": ";
        if (a.before) {
            line += "base " + std::to_string(*a.before) + ", ";
        }
        line +=
            "A " + (a.after ? std::to_string(*a.after) : "-") + ", B " + std::to_string(conflict.b);
        if (prefer != Prefer::Neither) {
            line += prefer == Prefer::A ? "; settled: A" : "; settled: B";
        }
        lines.push_back(std::move(line));
    }
    return lines.empty() ? "" : shortList(lines) + '\n';
}

}  // namespace tarnwick::exchange
