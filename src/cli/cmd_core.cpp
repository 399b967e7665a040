// Template files from the command line: a new template, a file as JSON, and a file from JSON.
#include "body_json.h"
#include "command.h"

#include "core/body_io.h"
#include "core/defaults.h"
#include "core/fileio.h"
#include "core/styles.h"
#include "core/text.h"
#include "core/user.h"

#include <filesystem>

#include <cstdio>

namespace dravo::cli {

namespace {

int New(const Args &args) {
    const std::vector<std::string> files = Positional(args, {"--place"});
    if (files.size() != 1)
        return Fail("usage: dravo-cli new OUT.adf [--place TEXT]");
    const std::string *place = Option(args, "--place");
    std::string placeText;
    if (place && !EngineText(*place, placeText, "--place"))
        return 1;
    CBody body;
    FillNewTemplate(body, placeText);
    std::string error;
    if (!SaveBodyFile(files[0], body, error))
        return Fail(error);
    return 0;
}

int Dump(const Args &args) {
    const std::vector<std::string> files = Positional(args, {});
    if (files.size() != 1)
        return Fail("usage: dravo-cli dump FILE.adf");
    std::string bytes, error;
    if (!ReadWholeFile(files[0], bytes, error))
        return Fail(error);
    // The body as the file holds it: an older file shows its own version and sections.
    CBody body;
    {
        ArchiveReader in(bytes);
        if (!ReadBodyAsStored(in, body))
            return Fail(files[0] + ": " + std::string(kUnexpectedFileFormat));
    }
    std::string().swap(bytes); // the body holds the texts now
    if (!WriteBodyJson(body, stdout) || std::fflush(stdout) != 0)
        return Fail("cannot write the output");
    return 0;
}

int Build(const Args &args) {
    const std::vector<std::string> files = Positional(args, {});
    if (files.size() != 2)
        return Fail("usage: dravo-cli build FILE.json OUT.adf");
    std::string json, error;
    if (!ReadWholeFile(files[0], json, error))
        return Fail(error);
    CBody body;
    if (!BodyFromJson(QByteArray::fromStdString(json), body, error))
        return Fail(files[0] + ": " + error);
    // What loading the dumped file would have done, then the same store.
    UpgradeIfOlder(body);
    if (!SaveBodyFile(files[1], body, error))
        return Fail(error);
    return 0;
}

// The user's data files as a new installation ships them: empty requisites and empty lists. The
// program itself never creates them; existing files are left alone.
int InitData(const Args &args) {
    const std::vector<std::string> dirs = Positional(args, {});
    if (dirs.size() != 1)
        return Fail("usage: dravo-cli init-data DIR");
    const std::filesystem::path dir(dirs[0]);
    CBody lists = NewListsBody();
    StyleFile styles = ShippedStyleFile();
    const std::pair<std::string_view, std::string> files[] = {
        {kUserFileName, StoreUserRequisites(CUser{})},
        {kListsFileName, StoreBody(lists)},
        {kStyleFileName, StoreStyleBytes(styles)},
    };
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const auto &[name, bytes] : files) {
        const std::string path = (dir / name).string();
        std::string error;
        if (!std::filesystem::exists(path, ec) && !WriteFileAtomically(path, bytes, error))
            return Fail(error);
    }
    return 0;
}

const bool registered =
    Register({"new", "OUT.adf [--place TEXT]", &New}) && Register({"dump", "FILE.adf", &Dump}) &&
    Register({"build", "FILE.json OUT.adf", &Build}) && Register({"init-data", "DIR", &InitData});

} // namespace

} // namespace dravo::cli
