#include "ltr_file.h"

#include "core/archive.h"

#include <cstdint>
#include <vector>

namespace dravo::library {

namespace {
// The least a record can take: three int32 fields and three empty texts.
constexpr std::size_t kSmallestRecord = 3 * 4 + 3;

struct Level {
    NodeId parent;
    std::int32_t left; // records still to read on this level
};

bool ReadCount(ArchiveReader &in, std::int32_t &count) {
    if (!in.I32(count))
        return false;
    if (count < 0 || static_cast<std::uint64_t>(count) > in.Remaining() / kSmallestRecord)
        return in.Fail();
    return true;
}

bool ReadInto(ArchiveReader &in, LibraryTree &tree) {
    std::vector<Level> levels;
    std::int32_t count = 0;
    if (!ReadCount(in, count))
        return false;
    levels.push_back({0, count});
    while (!levels.empty()) {
        Level &level = levels.back();
        if (level.left == 0) {
            levels.pop_back();
            continue;
        }
        --level.left;
        const NodeId parent = level.parent;
        std::int32_t handle = 0, image = 0, hasChildren = 0;
        Element e;
        if (!in.I32(handle) || !in.I32(image) || !in.Text(e.name) || !in.Text(e.description) ||
            !in.Text(e.location) || !in.I32(hasChildren))
            return false;
        if (!IsKnownImage(image) || (hasChildren != 0 && hasChildren != 1))
            return in.Fail();
        e.image = image;
        const NodeId id = tree.Append(parent, std::move(e));
        tree.SetExpanded(id, image == kFolderOpen);
        if (hasChildren) {
            if (!ReadCount(in, count))
                return false;
            levels.push_back({id, count}); // `level` is not used past this point
        }
    }
    std::int32_t selected = 0;
    return in.I32(selected);
}
} // namespace

bool ReadLibrary(std::string_view bytes, LibraryTree &tree) {
    tree.Clear();
    ArchiveReader in(bytes);
    if (!ReadInto(in, tree)) {
        tree.Clear();
        return false;
    }
    return true;
}

std::string StoreLibrary(const LibraryTree &tree) {
    ArchiveWriter out;
    out.Reserve(tree.Size() * 48 + 8);
    struct Pending {
        NodeId parent;
        std::size_t next;
    };
    std::vector<Pending> stack{{0, 0}};
    out.I32(static_cast<std::int32_t>(tree.Children(0).size()));
    while (!stack.empty()) {
        Pending &top = stack.back();
        const std::vector<NodeId> &list = tree.Children(top.parent);
        if (top.next == list.size()) {
            stack.pop_back();
            continue;
        }
        const NodeId id = list[top.next++];
        const LibraryTree::Node &node = tree.Get(id);
        out.I32(id);
        out.I32(node.element.image);
        out.Text(node.element.name);
        out.Text(node.element.description);
        out.Text(node.element.location);
        out.I32(node.children.empty() ? 0 : 1);
        if (!node.children.empty()) {
            out.I32(static_cast<std::int32_t>(node.children.size()));
            stack.push_back({id, 0});
        }
    }
    out.I32(tree.Selected());
    return out.Take();
}

} // namespace dravo::library
