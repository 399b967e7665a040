// dravo-cli vars: a template's variable-data items, and new values for them.
#include "cli/command.h"
#include "cli/var_pairs.h"
#include "core/body_io.h"
#include "core/text.h"
#include "vardata/items.h"

#include <cstdio>
#include <iostream>

namespace dravo::cli {
namespace {

constexpr std::string_view kUsage = "FILE.adf [--set WORD=VALUE ...]";

// A field of the listing: escaped as the journal stores variable data, so that every item stays
// one line of four tab-separated fields.
std::string Field(std::string_view text) {
    return ToUtf8(EscapedField(text));
}

std::string LoadError(const std::string &file, const std::string &error) {
    // The file system's reason names the file already (in the command line's own bytes); a
    // format message is windows-1251 text.
    return error.rfind(file, 0) == 0 ? error : file + ": " + ToUtf8(error);
}

int Run(const Args &args) {
    Args rest;
    ValuePairs pairs;
    std::string error;
    if (!TakeValuePairs(args, rest, pairs, error))
        return Fail(error);
    const std::vector<std::string> files = Positional(rest, {});
    if (files.size() != 1 || files.size() != rest.size())
        return Fail(std::string("usage: dravo-cli vars ") + std::string(kUsage));
    const std::string &file = files[0];
    CBody body;
    if (!LoadBodyFile(file, body, error))
        return Fail(LoadError(file, error));

    if (!pairs.empty()) {
        if (!ApplyValuePairs(body, pairs, error))
            return Fail(file + ": " + error);
        if (!SaveBodyFile(file, body, error))
            return Fail(LoadError(file, error));
        return 0;
    }
    std::string out;
    for (const CPun &item : body.m_parVariables.m_arItems)
        out += Field(item.m_strName) + '\t' + std::to_string(vardata::KindOf(item)) + '\t' +
               Field(item.m_strFont) + '\t' + Field(item.m_strText) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the output");
}

const bool registered = Register({"vars", kUsage, &Run});

} // namespace
} // namespace dravo::cli
