#include "cli/var_pairs.h"

#include "core/text.h"
#include "vardata/entry_form.h"
#include "vardata/items.h"

namespace dravo::cli {

bool TakeValuePairs(const Args &args, Args &rest, ValuePairs &pairs, std::string &error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--set") {
            rest.push_back(args[i]);
            continue;
        }
        std::size_t taken = 0;
        // The pairs run up to the next option or the first argument without "=".
        while (i + 1 < args.size() && args[i + 1].rfind("-", 0) != 0 &&
               args[i + 1].find('=') != std::string::npos) {
            const std::string &pair = args[++i];
            const std::size_t eq = pair.find('=');
            std::string word, value;
            char32_t refused = 0;
            if (!FromUtf8Exact(pair.substr(0, eq), word, refused) ||
                !FromUtf8Exact(pair.substr(eq + 1), value, refused)) {
                error = "'" + pair + "': " + RefusedCharacterMessage(refused);
                return false;
            }
            if (vardata::NormalizeCommandWord(word).empty()) {
                error = "--set wants WORD=VALUE with a command word, not '" + pair + "'";
                return false;
            }
            pairs.emplace_back(word, value);
            ++taken;
        }
        if (taken == 0) {
            error = "--set wants one or more WORD=VALUE pairs";
            return false;
        }
    }
    return true;
}

bool ApplyValuePairs(CBody &body, const ValuePairs &pairs, std::string &error) {
    std::vector<std::pair<std::size_t, std::string>> found;
    for (const auto &[word, value] : pairs) {
        const auto k = vardata::FindItem(body, word);
        const std::string named = std::string("'").append(ToUtf8(word)).append("'");
        if (!k) {
            error = "no variable-data item has the command word " + named;
            return false;
        }
        if (vardata::IsSeparator(body.Variable(std::uint16_t(*k)))) {
            error = named + " is a separator and takes no value";
            return false;
        }
        if (value.size() > vardata::kFieldLimit) {
            error = "the value of " + named + " has " + std::to_string(value.size()) +
                    " characters; at most " + std::to_string(vardata::kFieldLimit) + " are kept";
            return false;
        }
        found.emplace_back(*k, value);
    }
    for (auto &[k, value] : found)
        body.Variable(std::uint16_t(k)).m_strText = std::move(value);
    return true;
}

} // namespace dravo::cli
