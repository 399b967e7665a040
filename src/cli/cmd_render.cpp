// dravo-cli render: the contract page of a template, exactly as the document window loads it.
#include "cli/command.h"
#include "cli/var_pairs.h"
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/text.h"
#include "core/user.h"
#include "refdata/document_database.h"
#include "russian/dates.h"
#include "textgen/page.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <future>
#include <iostream>
#include <malloc.h>
#include <memory>
#include <optional>
#include <thread>

namespace dravo::cli {
namespace {

constexpr std::string_view kUsage =
    "FILE.adf [--root DIR] [--number TEXT] [--date YYYY-MM-DD] [--no-date] [--highlight on|off] "
    "[--kind N] [--counterparty ID] [--third ID] [--set WORD=VALUE ...] [--utf8] [-o OUT]";

// What the command line asks for, before anything is read.
struct RenderRequest {
    std::string file;
    std::string root;
    std::string output;
    bool utf8 = false;
    std::optional<int> kind;
};

// The page as a browser reads a UTF-8 file: converted, with the encoding declared. Handed to
// put a slice at a time through one reused buffer, so a large page is never held converted whole.
bool ForReading(std::string_view page, const std::function<bool(std::string_view)> &put) {
    constexpr std::string_view kMeta =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">";
    constexpr std::size_t kSlice = std::size_t(1) << 20;
    const std::size_t head = page.find("<HEAD>");
    const std::size_t split = head == std::string_view::npos ? page.size() : head + 6;
    std::string out;
    out.reserve(3 * std::min(page.size(), kSlice) + kMeta.size());
    auto convert = [&](std::string_view text) {
        for (std::size_t at = 0; at < text.size(); at += kSlice) {
            out.clear();
            AppendUtf8(out, text.substr(at, kSlice));
            if (!put(out))
                return false;
        }
        return true;
    };
    if (!convert(page.substr(0, split)))
        return false;
    if (head != std::string_view::npos && !put(kMeta))
        return false;
    return convert(page.substr(split));
}

int Run(const Args &given) {
    // The values to show on this one page; the file is not changed.
    Args args;
    ValuePairs pairs;
    std::string error;
    if (!TakeValuePairs(given, args, pairs, error))
        return Fail(error);
    static const std::vector<std::string_view> kValueOptions = {
        "--root", "--number", "--date", "--highlight", "--kind", "--counterparty", "--third", "-o"};
    // "-o" has a single dash, which the shared option scan does not take for an option.
    Args named;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            ++i;
        else
            named.push_back(args[i]);
    }
    const std::vector<std::string> positional = Positional(named, kValueOptions);
    if (positional.size() != 1)
        return Fail(std::string("usage: dravo-cli render ") + std::string(kUsage));

    RenderRequest request;
    request.file = positional[0];
    textgen::PageInputs inputs;
    inputs.date = Today();
    if (const std::string *v = Option(args, "--root"))
        request.root = *v;
    if (const std::string *v = Option(args, "-o"))
        request.output = *v;
    request.utf8 = Flag(args, "--utf8");
    if (const std::string *v = Option(args, "--number"))
        if (!EngineText(*v, inputs.number, "--number"))
            return 1;
    if (const std::string *v = Option(args, "--date")) {
        const auto date = IsoDate(*v);
        if (!date)
            return Fail("--date wants a real date as YYYY-MM-DD, not '" + *v + "'");
        inputs.date = *date;
    }
    inputs.dateShown = !Flag(args, "--no-date");
    if (const std::string *v = Option(args, "--highlight")) {
        if (*v != "on" && *v != "off")
            return Fail("--highlight wants on or off, not '" + *v + "'");
        inputs.highlight = *v == "on";
    }
    if (const std::string *v = Option(args, "--kind")) {
        const auto kind = WholeNumber(*v);
        if (!kind || *kind < 0 || *kind > 65535)
            return Fail("--kind wants a document kind code (0..4), not '" + *v + "'");
        request.kind = *kind;
    }

    // The template is read on a second thread while the user's requisites and the database
    // are opened here: both wait on the disk and on loading code, and a large template takes
    // as long as they do together.
    // One malloc arena for the process: a second thread would otherwise start an arena of its
    // own, whose fresh heap cost more in page faults than reading beside the database saved.
    ::mallopt(M_ARENA_MAX, 1);
    auto body = std::make_unique<CBody>();
    std::string loadError;
    std::future<bool> loaded = std::async(
        std::launch::async, [&] { return LoadBodyFile(request.file, *body, loadError); });

    std::string title = request.file;
    if (const std::size_t slash = title.find_last_of("/\\"); slash != std::string::npos)
        title.erase(0, slash + 1);
    inputs.documentTitle = FromUtf8(title);

    CUser user;
    if (!request.root.empty()) {
        const std::string path = request.root + "/Data/" + std::string(kUserFileName);
        if (LoadUserRequisites(path, user, error))
            inputs.user = &user;
        else // the program says so and goes on without the requisites
            std::cerr << "dravo-cli: " << path << ": " << ToUtf8(error) << '\n';
    }

    // The reference database of the root: the selected parties and the stored subject sets. A
    // database that cannot be opened is reported; the parties then print as blank forms.
    refdata::DocumentDatabase database(
        [](const std::string &message) { std::cerr << "dravo-cli: " << ToUtf8(message) << '\n'; });
    if (!request.root.empty()) {
        database.Open(QString::fromStdString(request.root));
        for (const auto &[option, side] :
             {std::pair{"--counterparty", textgen::PartySide::Counterparty},
              std::pair{"--third", textgen::PartySide::ThirdParty}})
            if (const std::string *v = Option(args, option)) {
                const auto id = WholeNumber(*v);
                if (!id)
                    return Fail(std::string(option) + " wants a counterparty id, not '" + *v + "'");
                database.SetPartyId(side, *id);
            }
        inputs.parties = &database;
        inputs.subjects = &database;
    }

    if (!loaded.get()) {
        // The file system's reason names the file in the command line's own (UTF-8) bytes; a
        // format message is windows-1251 text.
        return Fail(loadError.rfind(request.file, 0) == 0
                        ? loadError
                        : request.file + ": " + ToUtf8(loadError));
    }
    if (!ApplyValuePairs(*body, pairs, error))
        return Fail(request.file + ": " + error);
    inputs.body = body.get();
    inputs.kind = request.kind ? *request.kind : body->Paragraph(ParTitle).m_nType;

    const textgen::PageResult page = textgen::BuildPage(inputs);
    // The template is no longer needed: it is freed beside the writing of the page.
    std::thread release([doomed = std::move(body)]() mutable { doomed.reset(); });
    struct Joined {
        std::thread &thread;
        ~Joined() { thread.join(); }
    } joined{release};
    // The windows-1251 page goes out as it was built; the UTF-8 one as it is converted.
    const BytePieces pieces = [&](const std::function<bool(std::string_view)> &put) {
        return request.utf8 ? ForReading(page.html, put) : put(page.html);
    };
    if (request.output.empty()) {
        pieces([](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        });
        return std::fflush(stdout) == 0 && !std::ferror(stdout)
                   ? 0
                   : Fail("cannot write the page to standard output");
    }
    if (!WriteFileAtomically(request.output, pieces, error))
        return Fail(error); // the reason names the file
    return 0;
}

const bool registered = Register({"render", kUsage, &Run});

} // namespace
} // namespace dravo::cli
