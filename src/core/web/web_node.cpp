#include "core/web/web_node.h"

#include <atomic>

namespace {

quint64 NextNodeId() {
    static std::atomic<quint64> next{1};
    return next++;
}

}  // namespace

TWebNode::TWebNode(TWebNodeKind kind, const QString& title, const QString& url)
    : Kind(kind), Title(title), URL(url), NodeId(NextNodeId()) {}

int TWebNode::IndexOf(const TWebNode* child) const {
    for (size_t i = 0; i < ChildNodes.size(); ++i)
        if (ChildNodes[i].get() == child)
            return static_cast<int>(i);
    return -1;
}

TWebNode* TWebNode::Insert(std::unique_ptr<TWebNode> node, int index) {
    TWebNode* raw = node.get();
    raw->ParentNode = this;
    if (index < 0 || index > ChildCount())
        index = ChildCount();
    ChildNodes.insert(ChildNodes.begin() + index, std::move(node));
    return raw;
}

std::unique_ptr<TWebNode> TWebNode::Take(TWebNode* child) {
    const int index = IndexOf(child);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TWebNode> taken = std::move(ChildNodes[static_cast<size_t>(index)]);
    ChildNodes.erase(ChildNodes.begin() + index);
    taken->ParentNode = nullptr;
    return taken;
}

bool TWebNode::Remove() {
    if (!ParentNode)
        return false;
    ParentNode->Take(this);  // the returned owner deletes this node
    return true;
}

bool TWebNode::Contains(const TWebNode* node) const {
    for (const TWebNode* p = node; p; p = p->ParentNode)
        if (p == this)
            return true;
    return false;
}

TWebNode* TWebNode::Find(quint64 id) {
    if (NodeId == id)
        return this;
    for (const auto& child : ChildNodes)
        if (TWebNode* found = child->Find(id))
            return found;
    return nullptr;
}

int TWebNode::Count() const {
    int count = 1;
    for (const auto& child : ChildNodes)
        count += child->Count();
    return count;
}

bool CanDragNode(const TWebNode* dragged) { return dragged && dragged->Parent(); }

bool MoveNode(TWebNode* dragged, TWebNode* target) {
    if (!CanDragNode(dragged) || !target || dragged->Contains(target))
        return false;
    if (target->IsFolder()) {
        target->Append(dragged->Parent()->Take(dragged));
        return true;
    }
    TWebNode* parent = target->Parent();
    if (!parent)
        return false;
    std::unique_ptr<TWebNode> moving = dragged->Parent()->Take(dragged);
    parent->Insert(std::move(moving), parent->IndexOf(target));
    return true;
}
