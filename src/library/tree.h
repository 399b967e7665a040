// The library tree: folders, templates, journals and cases, each with a name, a description and
// a location, kept as nodes numbered by a counter that grows with every insertion. The number
// of a node never changes while the tree lives; a removed node's number is never reused.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace dravo::library {

// The element type is the image number of its tree item, as the library file stores it.
enum Image : int {
    kFolderClosed = 0,
    kFolderOpen = 3,
    kTemplate = 6,
    kJournal = 9,
    kCase = 12,
};

bool IsKnownImage(int image);
inline bool IsFolder(int image) {
    return image == kFolderClosed || image == kFolderOpen;
}

// The location every element made by the program gets.
inline constexpr const char *kDefaultLocation = "C:\\";

using NodeId = int; // 0 stands for "none" and, as a parent, for the root level

struct Element {
    int image = kTemplate;
    std::string name;
    std::string description;
    std::string location = kDefaultLocation;
};

class LibraryTree {
  public:
    struct Node {
        Element element;
        NodeId parent = 0;
        std::vector<NodeId> children;
        bool alive = false;
        bool expanded = false; // shown open (a view state: not stored, but kept across moves)
    };

    LibraryTree();

    // Inserts at position (clamped) among parent's children; parent 0 is the root level.
    NodeId Insert(NodeId parent, std::size_t position, Element element);
    NodeId InsertAfter(NodeId sibling, Element element);
    NodeId InsertFirstChild(NodeId parent, Element element);
    NodeId Append(NodeId parent, Element element);
    // Removes the node and everything under it.
    void Remove(NodeId id);
    // Move the node with its subtree; the caller makes sure the new place is not inside it.
    void MoveAfter(NodeId id, NodeId sibling);
    void MoveFirstChild(NodeId id, NodeId parent);
    void Clear();

    bool Contains(NodeId id) const;
    const Node &Get(NodeId id) const { return m_nodes[static_cast<std::size_t>(id)]; }
    Element &Edit(NodeId id) { return m_nodes[static_cast<std::size_t>(id)].element; }
    void SetExpanded(NodeId id, bool on) { m_nodes[static_cast<std::size_t>(id)].expanded = on; }
    const std::vector<NodeId> &Children(NodeId parent) const;
    NodeId Parent(NodeId id) const { return Get(id).parent; }
    std::size_t IndexInParent(NodeId id) const;
    // True when node lies under (or is) ancestor.
    bool IsWithin(NodeId node, NodeId ancestor) const;
    std::size_t Size() const { return m_count; }
    bool Empty() const { return m_count == 0; }

    // Every live node in tree order (a parent before its children), with its depth.
    struct Visit {
        NodeId id;
        int depth;
    };
    std::vector<Visit> InTreeOrder() const;
    // The first node in tree order with this exact name, or 0.
    NodeId FindByName(const std::string &name) const;
    // How many templates, journals and cases carry this exact name.
    std::size_t CountElementsNamed(const std::string &name) const;

    NodeId Selected() const { return m_selected; }
    void Select(NodeId id) { m_selected = Contains(id) ? id : 0; }

  private:
    std::vector<NodeId> &ChildList(NodeId parent);
    void Detach(NodeId id);
    std::vector<Node> m_nodes; // index = number; index 0 is the root level
    std::size_t m_count = 0;
    NodeId m_selected = 0;
};

} // namespace dravo::library
