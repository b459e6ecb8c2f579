#include <gtest/gtest.h>

#include <map>

#include <QStringList>

#include "core/web/web_node.h"

namespace {

// top(A(a1, A2(x)), b, C): capitals are folders.
struct TTree {
    std::unique_ptr<TWebNode> Top = std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("top"));
    std::map<QString, TWebNode*> Nodes{{QStringLiteral("top"), Top.get()}};
    TTree() {
        for (const auto& [parent, name] : {std::pair{"top", "A"}, {"A", "a1"}, {"A", "A2"}, {"A2", "x"}, {"top", "b"},
                                           {"top", "C"}}) {
            const TWebNodeKind kind = QChar(*name).isUpper() ? TWebNodeKind::Folder : TWebNodeKind::Bookmark;
            Nodes[name] = Nodes[parent]->Append(std::make_unique<TWebNode>(kind, QString::fromLatin1(name)));
        }
    }
    TWebNode* Named(const char* name) { return Nodes.at(QLatin1String(name)); }
};

QString Shape(const TWebNode& node) {
    QString text = node.Title;
    if (node.ChildCount()) {
        QStringList children;
        for (const auto& c : node.Children())
            children << Shape(*c);
        text += u'(' + children.join(u',') + u')';
    }
    return text;
}

TEST(WebNode, MoveNode) {
    struct TRow {
        const char* Dragged;
        const char* Target;  // null: no target
        bool Moved;
        const char* After;
    };
    const char* unchanged = "top(A(a1,A2(x)),b,C)";
    const TRow rows[] = {
        {"b", "C", true, "top(A(a1,A2(x)),C(b))"},          // onto a folder: its last child
        {"x", "a1", true, "top(A(x,a1,A2),b,C)"},           // onto the first entry: first in its folder
        {"C", "b", true, "top(A(a1,A2(x)),C,b)"},           // a folder before an entry
        {"A", "A2", false, unchanged},                      // into its own subtree
        {"A", "x", false, unchanged},                       // before an entry of its own subtree
        {"A2", "A2", false, unchanged},                     // onto itself
        {"top", "C", false, unchanged},                     // the top folder never moves
        {"b", nullptr, false, unchanged},                   // no target
        {"a1", "top", true, "top(A(A2(x)),b,C,a1)"},        // onto the top folder
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Dragged) + " -> " + (row.Target ? row.Target : "none"));
        TTree tree;
        EXPECT_EQ(MoveNode(tree.Named(row.Dragged), row.Target ? tree.Named(row.Target) : nullptr), row.Moved);
        EXPECT_EQ(Shape(*tree.Top), QLatin1String(row.After));
    }
}

TEST(WebNode, RemoveAndFindById) {
    TTree tree;
    const quint64 x = tree.Named("x")->Id();
    EXPECT_EQ(tree.Top->Find(x), tree.Named("x"));
    EXPECT_FALSE(tree.Top->Remove());
    EXPECT_TRUE(tree.Named("A")->Remove());
    EXPECT_EQ(tree.Top->Find(x), nullptr);
    EXPECT_EQ(Shape(*tree.Top), QStringLiteral("top(b,C)"));
}

}  // namespace
