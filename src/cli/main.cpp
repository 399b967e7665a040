#include "command.h"

#include "core/text.h"

#include <algorithm>
#include <charconv>
#include <iostream>

namespace dravo::cli {

namespace {
std::vector<Command> &Table() {
    static std::vector<Command> table;
    return table;
}
} // namespace

bool Register(const Command &command) {
    Table().push_back(command);
    return true;
}

int Fail(std::string_view message) {
    std::cerr << "dravo-cli: " << message << '\n';
    return 1;
}

int FailText(std::string_view cp1251) {
    return Fail(ToUtf8(cp1251));
}

bool EngineText(const std::string &utf8, std::string &out, std::string_view what) {
    char32_t refused = 0;
    if (FromUtf8Exact(utf8, out, refused))
        return true;
    Fail(std::string(what) + ": " + RefusedCharacterMessage(refused));
    return false;
}

const std::string *Option(const Args &args, std::string_view name) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name)
            return &args[i + 1];
    return nullptr;
}

std::optional<int> WholeNumber(const std::string &text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<Date> IsoDate(const std::string &text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto y = WholeNumber(text.substr(0, 4));
    const auto m = WholeNumber(text.substr(5, 2));
    const auto d = WholeNumber(text.substr(8, 2));
    if (!y || !m || !d)
        return std::nullopt;
    const Date date = DateFromCalendar(*y, *m, *d);
    if (!date.valid)
        return std::nullopt;
    return date;
}

bool Flag(const Args &args, std::string_view name) {
    return std::find(args.begin(), args.end(), name) != args.end();
}

std::vector<std::string> Positional(const Args &args,
                                    const std::vector<std::string_view> &valueOptions) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            if (std::find(valueOptions.begin(), valueOptions.end(), a) != valueOptions.end())
                ++i;
            continue;
        }
        out.push_back(a);
    }
    return out;
}

} // namespace dravo::cli

int main(int argc, char **argv) {
    using namespace dravo::cli;
    auto &table = Table();
    std::sort(table.begin(), table.end(),
              [](const Command &a, const Command &b) { return a.name < b.name; });
    const std::string name = argc > 1 ? argv[1] : "";
    for (const Command &command : table)
        if (command.name == name)
            return command.run(Args(argv + 2, argv + argc));
    std::ostream &out =
        (name.empty() || name == "--help" || name == "help") ? std::cout : std::cerr;
    if (!name.empty() && name != "--help" && name != "help")
        out << "dravo-cli: unknown command '" << name << "'\n";
    out << "usage: dravo-cli COMMAND [ARGS]\n";
    for (const Command &command : table)
        out << "  dravo-cli " << command.name << ' ' << command.usage << '\n';
    return (out.rdbuf() == std::cout.rdbuf()) ? 0 : 1;
}
