#include "library/ltr_file.h"

#include "core/archive.h"
#include "core/text.h"

#include <gtest/gtest.h>

using namespace dravo;
using namespace dravo::library;
using namespace dravo::literals;

namespace {

struct Rec {
    Rec(int i, std::string n, std::vector<Rec> c = {}, int has = -1)
        : image(i), name(std::move(n)), children(std::move(c)), hasChildren(has) {}
    int image;
    std::string name;
    std::vector<Rec> children;
    int hasChildren; // -1: from children
};

void Chain(ArchiveWriter &out, const std::vector<Rec> &level) {
    out.I32(static_cast<std::int32_t>(level.size()));
    for (const Rec &r : level) {
        out.I32(0x7F00AA01); // any handle
        out.I32(r.image);
        out.Text(r.name);
        out.Text(r.name + " desc");
        out.Text("C:\\");
        const int has = r.hasChildren >= 0 ? r.hasChildren : !r.children.empty();
        out.I32(has);
        if (has)
            Chain(out, r.children);
    }
}

std::string File(const std::vector<Rec> &root, bool selected = true) {
    ArchiveWriter out;
    Chain(out, root);
    if (selected)
        out.I32(12345);
    return out.Take();
}

std::string Outline(const LibraryTree &tree) {
    std::string s;
    for (const auto &v : tree.InTreeOrder()) {
        const LibraryTree::Node &n = tree.Get(v.id);
        s += std::to_string(v.depth) + ":" + std::to_string(n.element.image) + ":" +
             n.element.name + (n.expanded ? "+" : "") + ";";
    }
    return s;
}

const std::vector<Rec> kSample = {
    {kFolderOpen, "Договоры", {{kTemplate, "Купля"}, {kFolderClosed, "Старые", {{kCase, "Дело"}}}}},
    {kJournal, "Журнал документов"},
    {kFolderClosed, "Пустая"},
};

TEST(LibraryFile, ReadsTheTreeAndStoresTheSameLayout) {
    const std::string bytes = File(kSample);
    LibraryTree tree;
    ASSERT_TRUE(ReadLibrary(bytes, tree));
    EXPECT_EQ(Outline(tree), "0:3:Договоры+;1:6:Купля;1:0:Старые;2:12:Дело;0:9:Журнал "
                             "документов;0:0:Пустая;");
    EXPECT_EQ(tree.Get(tree.FindByName("Дело")).element.description, "Дело desc");
    EXPECT_EQ(tree.Get(tree.FindByName("Дело")).element.location, "C:\\");
    EXPECT_EQ(tree.Selected(), 0);

    // Handles and the selected item are opaque: everything else comes back byte for byte.
    const std::string again = StoreLibrary(tree);
    LibraryTree second;
    ASSERT_TRUE(ReadLibrary(again, second));
    EXPECT_EQ(StoreLibrary(second), again);
    EXPECT_EQ(again.size(), bytes.size());
    EXPECT_EQ(again.substr(8, 4), bytes.substr(8, 4)); // first record's image
}

TEST(LibraryFile, AnEmptyLibraryIsTwoZeroIntegers) {
    EXPECT_EQ(StoreLibrary(LibraryTree()), std::string(8, '\0'));
    LibraryTree tree;
    EXPECT_TRUE(ReadLibrary(std::string(8, '\0'), tree));
    EXPECT_TRUE(tree.Empty());
}

TEST(LibraryFile, RecordsWithEmptyTextsTakeFifteenBytesEach) {
    ArchiveWriter out;
    out.I32(2);
    for (int i = 0; i < 2; ++i) {
        out.I32(i);
        out.I32(kTemplate);
        out.Text("");
        out.Text("");
        out.Text("");
        out.I32(0);
    }
    out.I32(0);
    ASSERT_EQ(out.Bytes().size(), 4u + 2 * 15 + 4);
    LibraryTree tree;
    ASSERT_TRUE(ReadLibrary(out.Bytes(), tree));
    EXPECT_EQ(tree.Size(), 2u);
}

struct Damage {
    const char *what;
    std::string bytes;
};

class DamagedLibrary : public testing::TestWithParam<Damage> {};

TEST_P(DamagedLibrary, LeavesAnEmptyTree) {
    LibraryTree tree;
    tree.Append(0, Element{kTemplate, "left over", "", kDefaultLocation});
    EXPECT_FALSE(ReadLibrary(GetParam().bytes, tree));
    EXPECT_TRUE(tree.Empty());
}

std::string WithCount(std::int32_t n) {
    ArchiveWriter out;
    out.I32(n);
    return out.Take() + std::string(64, '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DamagedLibrary,
    testing::Values(Damage{"empty", ""}, Damage{"two billion items", WithCount(2000000000)},
                    Damage{"negative count", WithCount(-1)},
                    Damage{"no selected item", File(kSample, false)},
                    Damage{"unknown image", File({{5, "x"}})},
                    Damage{"has-children of 2", File({{kFolderClosed, "x", {}, 2}})},
                    Damage{"children promised, none there",
                           File({{kFolderClosed, "x", {}, 1}}).substr(0, 24)}),
    [](const auto &info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(LibraryFile, EveryCutOfAFileFails) {
    const std::string bytes = File(kSample);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        LibraryTree tree;
        EXPECT_FALSE(ReadLibrary(bytes.substr(0, n), tree)) << n;
        EXPECT_TRUE(tree.Empty()) << n;
    }
}

TEST(LibraryFile, AVeryDeepChainNeitherRecursesNorOverflows) {
    // 200,000 nested folders: a reader that recursed per level would run out of stack.
    constexpr int kDepth = 200000;
    ArchiveWriter out;
    for (int i = 0; i < kDepth; ++i) {
        out.I32(1);
        out.I32(i);
        out.I32(kFolderOpen);
        out.Text("a");
        out.Text("");
        out.Text("");
        out.I32(i + 1 < kDepth ? 1 : 0);
    }
    out.I32(0);
    LibraryTree tree;
    ASSERT_TRUE(ReadLibrary(out.Bytes(), tree));
    EXPECT_EQ(tree.Size(), std::size_t(kDepth));
    EXPECT_EQ(StoreLibrary(tree).size(), out.Bytes().size());
}

} // namespace
