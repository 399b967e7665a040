// dravo-cli library: the template library of a templates root, listed and changed by the same
// logic as the library dialog.
#include "command.h"

#include "core/fileio.h"
#include "core/text.h"
#include "import/library_import.h"
#include "library/library.h"
#include "library/ltr_file.h"
#include "refdata/library_tables.h"
#include "refdata/schema.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace dravo::cli {

namespace {

using namespace dravo::library;

const std::vector<std::string_view> kValueOptions = {"--root", "--description", "--kind", "--at",
                                                     "--name"};

constexpr std::string_view kUsage =
    "list | create | add NAME [--kind template|folder|journal|case] [--description TEXT] "
    "[--at ITEM] [--inside] | rename ITEM NEWNAME [--description TEXT] | remove ITEM [--delete] "
    "| move ITEM TARGET | import FILE.txt --at ITEM [--name NAME]  [--root DIR]";

std::string RootOf(const Args &args) {
    const std::string *root = Option(args, "--root");
    return root ? *root : std::string(".");
}

// The library of the root, loaded; false (with the message printed) when it cannot be read.
struct Session {
    explicit Session(const std::string &root)
        : tables(refdata::RegPath(QString::fromStdString(root))), store(root, &tables),
          library(store) {}
    refdata::LibraryJournalTables tables;
    FolderStore store;
    Library library;
};

bool Load(Session &s) {
    const std::string message = s.library.Load();
    if (message.empty())
        return true;
    FailText(message);
    return false;
}

int Save(Session &s) {
    const std::string message = s.library.Save();
    return message.empty() ? 0 : FailText(message);
}

// The first item in tree order with the name (UTF-8), or 0 with a message.
NodeId Find(Session &s, const std::string &name) {
    const NodeId id = s.library.Tree().FindByName(FromUtf8(name));
    if (id == 0)
        Fail("no element named '" + name + "' in the library");
    return id;
}

// Selects the element --at names (UTF-8), or the top of the tree without --at; false with a
// message when no element has that name.
bool SelectAt(Session &s, const Args &args) {
    NodeId id = 0;
    if (const std::string *at = Option(args, "--at")) {
        id = Find(s, *at);
        if (id == 0)
            return false;
    }
    s.library.Tree().Select(id);
    return true;
}

int List(Session &s) {
    const LibraryTree &tree = s.library.Tree();
    std::string out;
    for (const LibraryTree::Visit &v : tree.InTreeOrder()) {
        const Element &e = tree.Get(v.id).element;
        out += std::to_string(v.depth) + '\t' + std::to_string(e.image) + '\t' + ToUtf8(e.name) +
               '\t' + ToUtf8(e.description) + '\t' + ToUtf8(e.location) + '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the output");
}

int Add(Session &s, const Args &args, const std::vector<std::string> &names) {
    Library::NewElement e;
    if (!EngineText(names.at(0), e.name, "name"))
        return 1;
    if (const std::string *d = Option(args, "--description"))
        if (!EngineText(*d, e.description, "--description"))
            return 1;
    const std::string *kind = Option(args, "--kind");
    const std::string k = kind ? *kind : "template";
    if (k == "template")
        e.image = kTemplate;
    else if (k == "folder")
        e.image = kFolderClosed;
    else if (k == "journal")
        e.image = kJournal;
    else if (k == "case")
        e.image = kCase;
    else
        return Fail("unknown kind '" + k + "' (template, folder, journal or case)");
    e.inside = Flag(args, "--inside");
    if (!SelectAt(s, args))
        return 1;
    const Outcome o = s.library.Add(std::move(e));
    if (!o.done)
        return FailText(o.message);
    return Save(s);
}

int Rename(Session &s, const Args &args, const std::vector<std::string> &names) {
    const NodeId id = Find(s, names.at(0));
    if (id == 0)
        return 1;
    const std::string *d = Option(args, "--description");
    std::string name, description = s.library.Tree().Get(id).element.description;
    if (!EngineText(names.at(1), name, "name") ||
        (d && !EngineText(*d, description, "--description")))
        return 1;
    const Outcome o = s.library.Change(id, name, description);
    if (!o.done)
        return FailText(o.message);
    return Save(s);
}

int Remove(Session &s, const Args &args, const std::vector<std::string> &names) {
    const NodeId id = Find(s, names.at(0));
    if (id == 0)
        return 1;
    Outcome o;
    o.done = true;
    if (Flag(args, "--delete"))
        o = s.library.Delete(id);
    else
        s.library.Exclude(id);
    const int saved = Save(s);
    if (!o.done)
        return FailText(o.message);
    return saved;
}

int Move(Session &s, const std::vector<std::string> &names) {
    const NodeId source = Find(s, names.at(0));
    const NodeId target = source ? Find(s, names.at(1)) : 0;
    if (source == 0 || target == 0)
        return 1;
    if (!s.library.Drop(source, target))
        return Fail("'" + names.at(0) + "' cannot be moved onto '" + names.at(1) + "'");
    return Save(s);
}

// The library's "Импорт...": the text file becomes a template placed at ITEM.
int Import(Session &s, const Args &args, const std::string &file) {
    if (!SelectAt(s, args))
        return 1;
    const std::string *name = Option(args, "--name");
    const std::string title =
        name ? *name
             : std::filesystem::path(reinterpret_cast<const char8_t *>(file.c_str()))
                   .stem()
                   .string();
    const ImportConverter convert = import::LibraryImportConverter(
        s.store, std::string(), [](std::string_view m) { FailText(m); });
    const Outcome o = s.library.Import(FromUtf8(title), file, convert);
    if (!o.done) {
        if (!o.message.empty())
            FailText(o.message);
        return 1;
    }
    return Save(s);
}

int Create(const std::string &root) {
    Session s(root);
    if (s.store.LibraryFileExists())
        return Fail(s.store.LibraryPath() + " exists already");
    std::string error;
    if (!WriteFileAtomically(s.store.LibraryPath(), StoreLibrary(LibraryTree()), error))
        return Fail(error);
    return 0;
}

int Run(const Args &args) {
    const std::vector<std::string> p = Positional(args, kValueOptions);
    const std::string verb = p.empty() ? "" : p[0];
    const std::vector<std::string> names(p.begin() + (p.empty() ? 0 : 1), p.end());
    const std::string root = RootOf(args);
    const std::size_t wanted = verb == "add" || verb == "remove" || verb == "import" ? 1
                               : verb == "rename" || verb == "move"                  ? 2
                                                                                     : 0;
    if ((verb != "list" && verb != "create" && wanted == 0) || names.size() != wanted)
        return Fail("usage: dravo-cli library " + std::string(kUsage));
    if (verb == "create")
        return Create(root);
    Session s(root);
    if (!Load(s))
        return 1;
    if (verb == "list")
        return List(s);
    if (verb == "add")
        return Add(s, args, names);
    if (verb == "rename")
        return Rename(s, args, names);
    if (verb == "remove")
        return Remove(s, args, names);
    if (verb == "import")
        return Import(s, args, names.at(0));
    return Move(s, names);
}

const bool registered = Register({"library", kUsage, &Run});

} // namespace

} // namespace dravo::cli
