#pragma once

#include <memory>
#include <vector>

#include <QString>

// One news item of a feed site, in the order the store writes its fields.
struct TNewsItem {
    QString lastupdate;
    QString title;
    QString description;
    QString link;
    bool operator==(const TNewsItem&) const = default;
};

// The kinds of node of the two folder trees; the values are the pictures'
// numbers in the menu image list.
enum class TWebNodeKind { Folder = 21, Bookmark = 22, Site = 23 };

// A node of the RSS or the bookmark tree: a folder, a bookmark or a feed site
// with the news of its last good fetch. A node owns its children. Each node
// gets an id of its own, so a fetch that ends after the tree changed finds
// its site again (or learns it is gone).
class TWebNode final {
public:
    explicit TWebNode(TWebNodeKind kind, const QString& title = QString(), const QString& url = QString());
    TWebNode(const TWebNode&) = delete;
    TWebNode& operator=(const TWebNode&) = delete;

    TWebNodeKind Kind = TWebNodeKind::Folder;
    QString Title;       // folder name or entry title, the node's caption
    QString URL;         // empty for a folder
    QString LastUpdate;  // site: time of the last good fetch, empty when never fetched
    std::vector<TNewsItem> News;

    quint64 Id() const { return NodeId; }
    bool IsFolder() const { return Kind == TWebNodeKind::Folder; }
    TWebNode* Parent() const { return ParentNode; }
    const std::vector<std::unique_ptr<TWebNode>>& Children() const { return ChildNodes; }
    int ChildCount() const { return static_cast<int>(ChildNodes.size()); }
    TWebNode* Child(int index) const { return ChildNodes[static_cast<size_t>(index)].get(); }
    int IndexOf(const TWebNode* child) const;

    // Adds `node` as the child at `index` (at the end when index is -1).
    TWebNode* Insert(std::unique_ptr<TWebNode> node, int index = -1);
    TWebNode* Append(std::unique_ptr<TWebNode> node) { return Insert(std::move(node)); }
    // Takes the child out of this node, with everything below it.
    std::unique_ptr<TWebNode> Take(TWebNode* child);
    // Deletes this node and everything below it; false for a node without parent.
    bool Remove();

    // Whether `node` is this node or lies below it.
    bool Contains(const TWebNode* node) const;
    // The node with this id in this subtree, or nullptr.
    TWebNode* Find(quint64 id);
    // Nodes in this subtree, this one included.
    int Count() const;

private:
    quint64 NodeId = 0;
    TWebNode* ParentNode = nullptr;
    std::vector<std::unique_ptr<TWebNode>> ChildNodes;
};

// Whether a node may be dragged: every node but the top one.
bool CanDragNode(const TWebNode* dragged);

// Drops `dragged` on `target`: a folder takes it as its last child, an entry
// gets it just before itself under the same parent. Nothing moves for the top
// node, a missing target, or a target that is the node or lies below it.
// Returns whether the tree changed.
bool MoveNode(TWebNode* dragged, TWebNode* target);
