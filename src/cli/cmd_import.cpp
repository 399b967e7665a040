// dravo-cli import: a contract kept as plain text turned into a template, as the library's
// "Импорт..." does, with an optional set-up file for what a text cannot say (the starter library
// is built this way).
#include "command.h"

#include "core/body.h"
#include "core/fileio.h"
#include "core/text.h"
#include "import/text_importer.h"

#include <cstdio>
#include <filesystem>

namespace dravo::cli {

namespace {

constexpr std::string_view kUsage =
    "FILE.txt OUT.adf [--name NAME] [--place TEXT] [--setup FILE.tsv]  (set-up lines: "
    "subtitle TEXT | parties FIRST SECOND | variable WORD HINT [KIND 0-3] [VALUE], tab-separated)";

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> out;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        out.emplace_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
        if (tab == std::string_view::npos)
            return out;
        from = tab + 1;
    }
}

// Applies a set-up file (UTF-8) to the imported body; false with the reason.
bool ApplySetup(const std::string &path, CBody &body, std::string &error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    std::size_t number = 0;
    for (std::size_t from = 0; from < bytes.size();) {
        std::size_t to = bytes.find('\n', from);
        if (to == std::string::npos)
            to = bytes.size();
        std::string_view line(bytes.data() + from, to - from);
        from = to + 1;
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::vector<std::string> f = SplitTabs(line);
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (f[0] == "subtitle" && f.size() == 2) {
            body.Paragraph(ParSubtitle).m_strText = FromUtf8(f[1]);
        } else if (f[0] == "parties" && f.size() == 3) {
            body.Paragraph(ParClauseText).m_strName = FromUtf8(f[1]);
            body.Paragraph(ParClauseText).m_strText = FromUtf8(f[2]);
        } else if (f[0] == "variable" && f.size() >= 3 && f.size() <= 5) {
            if (body.VariableCount() >= kMaxVariables) {
                error = where + "more than 50 variables";
                return false;
            }
            CPun item;
            item.m_strName = FromUtf8(f[1]);
            item.m_strFont = FromUtf8(f[2]);
            if (f.size() >= 4) {
                const auto kind = WholeNumber(f[3]);
                if (!kind || *kind < 0 || *kind > 3) {
                    error = where + "the kind is 0, 1, 2 or 3";
                    return false;
                }
                item.m_nType = static_cast<std::uint16_t>(*kind);
            }
            if (f.size() == 5)
                item.m_strText = FromUtf8(f[4]);
            body.m_parVariables.m_arItems.push_back(std::move(item));
        } else {
            error = where + "not a set-up line";
            return false;
        }
    }
    return true;
}

int Run(const Args &args) {
    const std::vector<std::string> files = Positional(args, {"--name", "--place", "--setup"});
    if (files.size() != 2)
        return Fail("usage: dravo-cli import " + std::string(kUsage));
    const std::string *name = Option(args, "--name");
    const std::string *place = Option(args, "--place");
    const std::string *setup = Option(args, "--setup");
    const std::string title =
        name ? *name
             : std::filesystem::path(reinterpret_cast<const char8_t *>(files[0].c_str()))
                   .stem()
                   .string();
    import::TextContractImporter importer(FromUtf8(title),
                                          place ? FromUtf8(*place) : std::string());
    importer.Read(files[0]);
    const bool recognised = importer.Parse();
    for (const std::string &m : importer.Messages())
        FailText(m);
    if (!recognised) // a refused character has been named: the text was not even looked at
        return importer.Refused() ? 1 : FailText(import::NotRecognisedMessage());
    std::string error;
    if (setup && !ApplySetup(*setup, importer.Body(), error))
        return Fail(error);
    if (!importer.Store(files[1]))
        return FailText(importer.Messages().back());
    const CBody &body = importer.Body();
    std::size_t clauses = 0;
    for (const CPar &a : body.m_arArticles)
        clauses += a.m_arItems.size();
    std::printf("%s: %zu articles, %zu clauses\n", title.c_str(), body.ArticleCount(), clauses);
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the output");
}

const bool registered = Register({"import", kUsage, &Run});

} // namespace

} // namespace dravo::cli
