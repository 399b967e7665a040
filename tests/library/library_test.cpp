#include "library/library.h"
#include "library/ltr_file.h"

#include "core/fileio.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using namespace dravo;
using namespace dravo::library;
using namespace dravo::literals;
namespace fs = std::filesystem;

namespace {

// Journal tables as a set of names, with a record of what was asked.
struct FakeTables : JournalTables {
    std::set<std::string> names;
    std::vector<std::string> calls;
    bool Exists(const std::string &n) override { return names.count(n) > 0; }
    bool Copy(const std::string &a, const std::string &b, std::string &) override {
        calls.push_back("copy " + a + ">" + b);
        names.insert(b);
        return true;
    }
    bool Rename(const std::string &a, const std::string &b, std::string &) override {
        calls.push_back("rename " + a + ">" + b);
        names.erase(a);
        names.insert(b);
        return true;
    }
    bool Drop(const std::string &n, std::string &) override {
        calls.push_back("drop " + n);
        names.erase(n);
        return true;
    }
};

class LibraryTest : public testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("dravo-library-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        for (const char *sub : {"Data", "Templates", "Registers"})
            fs::create_directories(root / sub);
        Write("Data/ltr.dat", StoreLibrary(LibraryTree()));
        store = std::make_unique<FolderStore>(root.string(), &tables);
        lib = std::make_unique<Library>(*store);
        ASSERT_EQ(lib->Load(), "");
    }
    void TearDown() override { fs::remove_all(root); }

    void Write(const std::string &relative, const std::string &bytes) {
        std::string error;
        ASSERT_TRUE(WriteFileAtomically((root / relative).string(), bytes, error)) << error;
    }
    std::string Read(const std::string &relative) {
        std::string bytes, error;
        ReadWholeFile((root / relative).string(), bytes, error);
        return bytes;
    }
    bool Exists(const std::string &relative) { return fs::exists(root / relative); }
    // A template file named in windows-1251, as the library names it.
    std::string TemplateFile(std::string_view name) { return "Templates/" + ToUtf8(name) + ".adf"; }
    std::string RegisterFile(std::string_view name) { return "Registers/" + ToUtf8(name) + ".adf"; }

    NodeId Add(std::string_view name, int image = kTemplate, bool inside = true) {
        Library::NewElement e{std::string(name), "", image, inside};
        EXPECT_TRUE(lib->Add(e).done) << name;
        return lib->Tree().Selected();
    }

    // depth:image:name of every item, as the list command prints them.
    std::string Outline() {
        std::string s;
        for (const auto &v : lib->Tree().InTreeOrder()) {
            const Element &e = lib->Tree().Get(v.id).element;
            s += std::to_string(v.depth) + ":" + std::to_string(e.image) + ":" + ToUtf8(e.name) +
                 ";";
        }
        return s;
    }

    fs::path root;
    FakeTables tables;
    std::unique_ptr<FolderStore> store;
    std::unique_ptr<Library> lib;
};

// The name rules, one row per rule: what is typed, the name kept, and the message.
struct NameCase {
    std::string typed;
    std::string kept;
    std::string_view message;
};

TEST(LibraryNames, Rules) {
    std::vector<NameCase> cases;
    for (char c : std::string(".:!?|*'\"[]\\/<>"))
        cases.push_back(
            {std::string("Договор"_w) + std::string(1, c) + "1", "", BadCharactersMessage()});
    ASSERT_EQ(cases.size(), 14u);
    const std::string n64(64, 'x');
    cases.push_back({n64, n64, {}});
    cases.push_back({n64 + "y", "", TooLongMessage()});
    cases.push_back({"  \t" + n64, n64, {}});                  // trimmed before counting
    cases.push_back({n64 + "y.", "", BadCharactersMessage()}); // characters first
    cases.push_back({std::string(64, '\xC4'), std::string(64, '\xC4'), {}}); // 64 Cyrillic letters
    cases.push_back({"   ", "", {}});                                        // empty: default name
    for (const NameCase &c : cases) {
        std::string name = c.typed;
        const std::string_view message = CheckName(name);
        EXPECT_EQ(message, c.message) << ToUtf8(c.typed);
        if (message.empty()) {
            EXPECT_EQ(name, c.kept) << ToUtf8(c.typed);
        }
    }
}

TEST_F(LibraryTest, AnEmptyNameAndDescriptionTakeTheDefaults) {
    ASSERT_TRUE(lib->Add({"", " ", kTemplate, true}).done);
    ASSERT_TRUE(lib->Add({"", "", kFolderClosed, false}).done);
    EXPECT_EQ(Outline(), "0:6:Новый договор;0:0:Новая папка;");
    const Element &folder = lib->Tree().Get(lib->Tree().Selected()).element;
    EXPECT_EQ(folder.description, "Новая папка"_w);
    EXPECT_EQ(folder.location, "C:\\");
    // A refused name adds nothing and asks to keep the dialog open.
    const Outcome o = lib->Add({"a/b", "", kTemplate, true});
    EXPECT_TRUE(o.nameRefused);
    EXPECT_EQ(lib->Tree().Size(), 2u);
}

TEST_F(LibraryTest, Placement) {
    Add("A"); // no selection: last root item
    lib->Tree().Select(0);
    const NodeId f = Add("F", kFolderClosed);
    Add("inside");                 // selected is the folder: first child, folder shown open
    Add("after", kTemplate, true); // selected is a template: right after it
    lib->Tree().Select(f);
    Add("next to folder", kTemplate, false);
    EXPECT_EQ(Outline(), "0:6:A;0:3:F;1:6:inside;1:6:after;0:6:next to folder;");
    EXPECT_TRUE(lib->Tree().Get(f).expanded);
}

TEST_F(LibraryTest, ANameInUseWithAFileGetsACopyNeverOverwritten) {
    Write(TemplateFile("Купля"_w), "original");
    Add("Купля"_w);
    EXPECT_EQ(Outline(), "0:6:Купля;"); // the first element of the name reuses its file
    Add("Купля"_w);
    EXPECT_EQ(Read(TemplateFile("Купля (копия)"_w)), "original");
    Write(TemplateFile("Купля (копия)"_w), "edited copy");
    Add("Купля"_w);
    EXPECT_EQ(Outline(), "0:6:Купля;0:6:Купля (копия);0:6:Купля (копия);");
    EXPECT_EQ(Read(TemplateFile("Купля (копия)"_w)), "edited copy");
    // A folder is no document: its name never makes a copy.
    Add("Купля"_w, kFolderClosed);
    EXPECT_EQ(lib->Tree().Get(lib->Tree().Selected()).element.name, "Купля"_w);
}

TEST_F(LibraryTest, ImportNamesPlacesAndKeepsItsFileWithoutAPlace) {
    std::vector<std::string> converted;
    const ImportConverter ok = [&](const std::string &, const std::string &name) {
        converted.push_back(name);
        Write(TemplateFile(name), "imported");
        return Conversion::Done;
    };
    const ImportConverter refuse = [](const std::string &, const std::string &) {
        return Conversion::NotRecognised;
    };
    // A converter that has told the user why leaves the library nothing to add.
    const ImportConverter told = [](const std::string &, const std::string &) {
        return Conversion::Refused;
    };

    EXPECT_EQ(lib->Import(std::string("Аренда"_w), "/x.txt", ok).message, ImportPlaceMessage());
    EXPECT_TRUE(Exists(TemplateFile("Аренда"_w)));
    EXPECT_TRUE(lib->Tree().Empty());

    const NodeId folder = Add("F", kFolderClosed);
    Add("child");
    lib->Tree().Select(folder);
    EXPECT_EQ(lib->Import("x", "/x.txt", refuse).message, ImportFailedMessage());
    const Outcome quiet = lib->Import("x", "/x.txt", told);
    EXPECT_FALSE(quiet.done);
    EXPECT_EQ(quiet.message, "");
    // The file of the name is there: the import never overwrites it.
    ASSERT_TRUE(lib->Import(std::string("Аренда"_w), "/x.txt", ok).done);
    EXPECT_EQ(converted.back(), "Аренда (копия)"_w);
    const Element &e = lib->Tree().Get(lib->Tree().Selected()).element;
    EXPECT_EQ(e.description, "Аренда"_w);
    EXPECT_EQ(Outline(), "0:3:F;1:6:Аренда (копия);1:6:child;");
    // No children: right after the selected item; the name is cut to 55 characters.
    ASSERT_TRUE(lib->Import(std::string(70, 'z'), "/y.txt", ok).done);
    EXPECT_EQ(converted.back(), std::string(55, 'z'));
    EXPECT_EQ(lib->Tree().IndexInParent(lib->Tree().Selected()), 1u);
}

TEST_F(LibraryTest, ExcludeKeepsTheFileAndDeleteRemovesItWithTheJournalTable) {
    Write(TemplateFile("T"), "t");
    Write(RegisterFile("J"), "j");
    tables.names = {"J"};
    const NodeId folder = Add("F", kFolderClosed);
    const NodeId t = Add("T");
    lib->Tree().Select(0);
    const NodeId j = Add("J", kJournal);
    EXPECT_EQ(DeleteQuestion(kTemplate),
              "Удалить шаблон или только исключить\nего из библиотеки?"_w);
    EXPECT_EQ(DeleteQuestion(kCase), "Удалить дело или только исключить\nего из библиотеки?"_w);

    lib->Exclude(t);
    EXPECT_TRUE(Exists(TemplateFile("T")));
    // Adding the name again finds the file and reuses it.
    lib->Tree().Select(folder);
    Add("T");
    EXPECT_EQ(lib->PlanOpen(lib->Tree().Selected()).action, OpenPlan::OpenFile);

    EXPECT_TRUE(lib->Delete(j).done);
    EXPECT_FALSE(Exists(RegisterFile("J")));
    EXPECT_EQ(tables.calls, std::vector<std::string>{"drop J"});
    // A folder goes with everything under it; no file is touched.
    lib->Exclude(folder);
    EXPECT_TRUE(lib->Tree().Empty());
    EXPECT_EQ(lib->Tree().Selected(), 0);
    EXPECT_TRUE(Exists(TemplateFile("T")));
}

TEST_F(LibraryTest, ChangeRenamesOrCopiesAndTheOpenDocumentFollows) {
    Write(TemplateFile("A"), "a");
    Write(RegisterFile("J"), "j");
    tables.names = {"J"};
    std::vector<std::string> follows;
    lib->renamed = [&](const std::string &from, const std::string &to, FileFolder) {
        follows.push_back(from + ">" + to);
    };
    const NodeId a = Add("A");
    const NodeId j = Add("J", kJournal);

    ASSERT_TRUE(lib->Change(a, "B", "").done);
    EXPECT_FALSE(Exists(TemplateFile("A")));
    EXPECT_EQ(Read(TemplateFile("B")), "a");
    EXPECT_EQ(lib->Tree().Get(a).element.description, "B");

    ASSERT_TRUE(lib->Change(j, "K", "journal").done);
    EXPECT_TRUE(Exists(RegisterFile("K")));
    EXPECT_EQ(tables.calls, std::vector<std::string>{"rename J>K"});
    EXPECT_EQ(follows, (std::vector<std::string>{"A>B", "J>K"}));

    // A name shared by two elements: the file is copied, the other element keeps its own.
    std::string copy = "B";
    copy += CopySuffix();
    lib->Tree().Select(a);
    Add("B"); // "B (копия)", since B has a file
    const NodeId b2 = Add("B", kTemplate);
    ASSERT_EQ(lib->Tree().Get(b2).element.name, copy);
    lib->Change(b2, "C", "");
    EXPECT_TRUE(Exists(TemplateFile(copy)));
    EXPECT_TRUE(Exists(TemplateFile("C")));
    EXPECT_EQ(follows.size(), 2u);

    // The new name's file exists: the message, and nothing changes.
    const Outcome o = lib->Change(a, "C", "");
    EXPECT_EQ(o.message, AlreadyExistsMessage("C"));
    EXPECT_EQ(lib->Tree().Get(a).element.name, "B");
    EXPECT_TRUE(lib->Change(a, "bad?", "").nameRefused);
    // A folder changes its text only; a new letter case is a new name.
    const NodeId f = Add("f", kFolderClosed);
    ASSERT_TRUE(lib->Change(f, "F", "").done);
    EXPECT_EQ(lib->Tree().Get(f).element.name, "F");
}

TEST_F(LibraryTest, DragAndDrop) {
    const NodeId f1 = Add("F1", kFolderClosed);
    const NodeId sub = Add("Sub", kFolderClosed);
    const NodeId t = Add("T");
    lib->Tree().Select(0);
    const NodeId f2 = Add("F2", kFolderClosed);
    const NodeId u = Add("U");
    lib->Tree().Select(0);
    const NodeId w = Add("W");
    ASSERT_EQ(Outline(), "0:3:F1;1:3:Sub;2:6:T;0:3:F2;1:6:U;0:6:W;");

    EXPECT_FALSE(lib->Drop(f1, f1));
    EXPECT_FALSE(lib->Drop(f1, sub)); // into itself
    EXPECT_FALSE(lib->Drop(f1, t));
    EXPECT_FALSE(lib->Drop(u, u));

    ASSERT_TRUE(lib->Drop(w, f1)); // an element onto a folder: its first child
    EXPECT_EQ(lib->Tree().Selected(), w);
    ASSERT_TRUE(lib->Drop(t, u));   // an element onto an element: right after it
    ASSERT_TRUE(lib->Drop(sub, u)); // a folder: after the target, with its subtree
    EXPECT_EQ(Outline(), "0:3:F1;1:6:W;0:3:F2;1:6:U;1:0:Sub;1:6:T;"); // emptied Sub shows closed
    ASSERT_TRUE(lib->Drop(f1, t));
    EXPECT_EQ(Outline(), "0:3:F2;1:6:U;1:0:Sub;1:6:T;1:3:F1;2:6:W;");
    (void)f2;
}

TEST_F(LibraryTest, OpeningTheChosenElement) {
    Write(TemplateFile("there"), "x");
    Write(RegisterFile("journal there"), "x");
    struct Row {
        std::string name;
        int image;
        OpenPlan::Action action;
        int kind;
        FileFolder folder;
    };
    const std::vector<Row> rows = {
        {"there", kTemplate, OpenPlan::OpenFile, 1, FileFolder::Templates},
        {"new", kTemplate, OpenPlan::CreateFile, 1, FileFolder::Templates},
        {"journal there", kJournal, OpenPlan::OpenFile, 2, FileFolder::Registers},
        {"new journal", kJournal, OpenPlan::CreateFile, 2, FileFolder::Registers},
        {"new case", kCase, OpenPlan::CreateFile, 4, FileFolder::Registers},
        {"folder", kFolderClosed, OpenPlan::Nothing, 1, FileFolder::Templates},
    };
    for (const Row &r : rows) {
        lib->Tree().Select(0);
        const NodeId id = Add(r.name, r.image);
        const OpenPlan plan = lib->PlanOpen(id);
        EXPECT_EQ(plan.action, r.action) << r.name;
        if (plan.action != OpenPlan::Nothing) {
            EXPECT_EQ(plan.documentKind, r.kind) << r.name;
            EXPECT_EQ(plan.folder, r.folder) << r.name;
            EXPECT_EQ(plan.name, r.name);
        }
    }
    EXPECT_EQ(lib->PlanOpen(0).action, OpenPlan::Nothing);
}

TEST_F(LibraryTest, SavingWritesBackAndNeverCreatesTheFile) {
    const NodeId f = Add("F", kFolderClosed);
    Add("T");
    ASSERT_EQ(lib->Save(), "");
    Library again(*store);
    ASSERT_EQ(again.Load(), "");
    const std::string stored = StoreLibrary(lib->Tree());
    EXPECT_EQ(StoreLibrary(again.Tree()).substr(0, stored.size() - 4),
              stored.substr(0, stored.size() - 4)); // all but the selected item
    EXPECT_EQ(again.Tree().Selected(), again.Tree().Children(0).front());
    EXPECT_TRUE(again.Tree().Get(f).expanded); // stored open, read back open

    fs::remove(root / "Data/ltr.dat");
    EXPECT_EQ(lib->Save(), NotFoundMessage());
    EXPECT_FALSE(Exists("Data/ltr.dat"));
    EXPECT_EQ(again.Load(), NotFoundMessage());
    EXPECT_TRUE(again.Tree().Empty());
}

TEST_F(LibraryTest, ADamagedFileOpensEmptyAndIsKeptWhenReplaced) {
    Write("Data/ltr.dat", std::string("\x05\x00\x00\x00garbage", 11));
    EXPECT_EQ(lib->Load(), DamagedMessage());
    EXPECT_TRUE(lib->Tree().Empty());
    Add("T");
    ASSERT_EQ(lib->Save(), "");
    std::vector<std::string> kept;
    for (const auto &entry : fs::directory_iterator(root / "Data"))
        if (entry.path().filename().string().rfind("ltr.dat.damaged-", 0) == 0)
            kept.push_back(Read("Data/" + entry.path().filename().string()));
    EXPECT_EQ(kept, std::vector<std::string>{std::string("\x05\x00\x00\x00garbage", 11)});
    ASSERT_EQ(lib->Load(), "");
    EXPECT_EQ(Outline(), "0:6:T;");
}

} // namespace
