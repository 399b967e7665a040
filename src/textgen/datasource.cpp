#include "textgen/datasource.h"

#include "core/text.h"

namespace dravo::textgen {

namespace {

bool SameColumn(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1251::Lower(static_cast<unsigned char>(a[i])) !=
            cp1251::Lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string PartyRow::Get(std::string_view column) const {
    const auto exact = columns.find(std::string(column));
    if (exact != columns.end())
        return exact->second;
    for (const auto &[name, value] : columns)
        if (SameColumn(name, column))
            return value;
    return {};
}

bool PartyRow::Flag(std::string_view column) const {
    const std::string v = ToLower(Get(column));
    return v == "true" || v == "yes" || v == "1" || v == "-1";
}

void PartyRow::Set(std::string_view column, std::string_view value) {
    for (auto &[name, stored] : columns)
        if (SameColumn(name, column)) {
            stored = std::string(value);
            return;
        }
    columns.emplace(std::string(column), std::string(value));
}

} // namespace dravo::textgen
