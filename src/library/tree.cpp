#include "tree.h"

#include <algorithm>

namespace dravo::library {

bool IsKnownImage(int image) {
    return image == kFolderClosed || image == kFolderOpen || image == kTemplate ||
           image == kJournal || image == kCase;
}

LibraryTree::LibraryTree() {
    Clear();
}

void LibraryTree::Clear() {
    m_nodes.assign(1, Node{});
    m_nodes[0].alive = true;
    m_count = 0;
    m_selected = 0;
}

bool LibraryTree::Contains(NodeId id) const {
    return id > 0 && static_cast<std::size_t>(id) < m_nodes.size() &&
           m_nodes[static_cast<std::size_t>(id)].alive;
}

std::vector<NodeId> &LibraryTree::ChildList(NodeId parent) {
    return m_nodes[static_cast<std::size_t>(parent)].children;
}

const std::vector<NodeId> &LibraryTree::Children(NodeId parent) const {
    return m_nodes[static_cast<std::size_t>(parent)].children;
}

NodeId LibraryTree::Insert(NodeId parent, std::size_t position, Element element) {
    const auto id = static_cast<NodeId>(m_nodes.size());
    Node node;
    node.element = std::move(element);
    node.parent = parent;
    node.alive = true;
    m_nodes.push_back(std::move(node));
    std::vector<NodeId> &list = ChildList(parent);
    position = std::min(position, list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), id);
    ++m_count;
    return id;
}

NodeId LibraryTree::InsertAfter(NodeId sibling, Element element) {
    return Insert(Parent(sibling), IndexInParent(sibling) + 1, std::move(element));
}

NodeId LibraryTree::InsertFirstChild(NodeId parent, Element element) {
    return Insert(parent, 0, std::move(element));
}

NodeId LibraryTree::Append(NodeId parent, Element element) {
    return Insert(parent, Children(parent).size(), std::move(element));
}

std::size_t LibraryTree::IndexInParent(NodeId id) const {
    const std::vector<NodeId> &list = Children(Parent(id));
    return static_cast<std::size_t>(std::find(list.begin(), list.end(), id) - list.begin());
}

bool LibraryTree::IsWithin(NodeId node, NodeId ancestor) const {
    for (NodeId at = node; at != 0; at = Parent(at))
        if (at == ancestor)
            return true;
    return false;
}

void LibraryTree::Remove(NodeId id) {
    if (!Contains(id))
        return;
    std::vector<NodeId> &siblings = ChildList(Parent(id));
    siblings.erase(std::find(siblings.begin(), siblings.end(), id));
    std::vector<NodeId> pending{id};
    while (!pending.empty()) {
        const NodeId at = pending.back();
        pending.pop_back();
        Node &node = m_nodes[static_cast<std::size_t>(at)];
        pending.insert(pending.end(), node.children.begin(), node.children.end());
        node = Node{};
        --m_count;
        if (m_selected == at)
            m_selected = 0;
    }
}

void LibraryTree::Detach(NodeId id) {
    std::vector<NodeId> &from = ChildList(Parent(id));
    from.erase(std::find(from.begin(), from.end(), id));
}

void LibraryTree::MoveAfter(NodeId id, NodeId sibling) {
    Detach(id);
    const NodeId parent = Parent(sibling);
    m_nodes[static_cast<std::size_t>(id)].parent = parent;
    std::vector<NodeId> &to = ChildList(parent);
    to.insert(std::find(to.begin(), to.end(), sibling) + 1, id);
}

void LibraryTree::MoveFirstChild(NodeId id, NodeId parent) {
    Detach(id);
    m_nodes[static_cast<std::size_t>(id)].parent = parent;
    std::vector<NodeId> &to = ChildList(parent);
    to.insert(to.begin(), id);
}

std::vector<LibraryTree::Visit> LibraryTree::InTreeOrder() const {
    std::vector<Visit> out;
    out.reserve(m_count);
    // Children are pushed in reverse so the first child comes off the stack first.
    std::vector<Visit> pending;
    const auto push = [&](NodeId parent, int depth) {
        const std::vector<NodeId> &list = Children(parent);
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            pending.push_back({*it, depth});
    };
    push(0, 0);
    while (!pending.empty()) {
        const Visit v = pending.back();
        pending.pop_back();
        out.push_back(v);
        push(v.id, v.depth + 1);
    }
    return out;
}

NodeId LibraryTree::FindByName(const std::string &name) const {
    for (const Visit &v : InTreeOrder())
        if (Get(v.id).element.name == name)
            return v.id;
    return 0;
}

std::size_t LibraryTree::CountElementsNamed(const std::string &name) const {
    std::size_t n = 0;
    for (std::size_t i = 1; i < m_nodes.size(); ++i)
        if (m_nodes[i].alive && !IsFolder(m_nodes[i].element.image) &&
            m_nodes[i].element.name == name)
            ++n;
    return n;
}

} // namespace dravo::library
