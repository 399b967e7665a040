#include "textgen/datasource.h"

#include "core/text.h"

namespace dravo::textgen {

std::string PartyRow::Get(std::string_view column) const {
    const auto exact = columns.find(std::string(column));
    if (exact != columns.end())
        return exact->second;
    for (const auto &[name, value] : columns)
        if (EqualsIgnoreCase(name, column))
            return value;
    return {};
}

bool PartyRow::Flag(std::string_view column) const {
    const std::string v = ToLower(Get(column));
    return v == "true" || v == "yes" || v == "1" || v == "-1";
}

void PartyRow::Set(std::string_view column, std::string_view value) {
    for (auto &[name, stored] : columns)
        if (EqualsIgnoreCase(name, column)) {
            stored = std::string(value);
            return;
        }
    columns.emplace(std::string(column), std::string(value));
}

} // namespace dravo::textgen
