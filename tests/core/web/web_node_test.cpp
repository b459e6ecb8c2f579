#include <gtest/gtest.h>

#include <QStringList>

#include "core/web/web_node.h"

namespace {

// top
//   A (folder)
//     a1 (entry)
//     A2 (folder)
//       x (entry)
//   b (entry)
//   C (folder)
struct TTree {
    std::unique_ptr<TWebNode> Top = std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("top"));
    TWebNode* A = Top->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("A")));
    TWebNode* a1 = A->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("a1")));
    TWebNode* A2 = A->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("A2")));
    TWebNode* x = A2->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("x")));
    TWebNode* b = Top->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("b")));
    TWebNode* C = Top->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("C")));

    TWebNode* Named(const char* name) {
        for (TWebNode* n : {Top.get(), A, a1, A2, x, b, C})
            if (n->Title == QLatin1String(name))
                return n;
        return nullptr;
    }
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
    const quint64 x = tree.x->Id();
    EXPECT_EQ(tree.Top->Find(x), tree.x);
    EXPECT_FALSE(tree.Top->Remove());
    EXPECT_TRUE(tree.A->Remove());
    EXPECT_EQ(tree.Top->Find(x), nullptr);
    EXPECT_EQ(Shape(*tree.Top), QStringLiteral("top(b,C)"));
}

}  // namespace
