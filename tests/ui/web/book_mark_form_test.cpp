#include <gtest/gtest.h>

#include <QMenu>

#include "core/web/shell_error.h"
#include "ui/web/bookmark_menu.h"
#include "web_fixture.h"
#include "core/web/web_node.h"

namespace {

const std::initializer_list<const char*> Buttons = {"BitBtn1", "BitBtn3", "BitBtn2", "BitBtn4"};

// The drop-down as the user reads it: entries joined by " ", a submenu in
// brackets, a disabled entry in braces.
QString MenuText(const QMenu& menu) {
    QStringList parts;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            parts << QStringLiteral("-");
        else if (action->menu())
            parts << u'[' + action->text() + u':' + MenuText(*action->menu()) + u']';
        else if (!action->isEnabled())
            parts << u'{' + action->text() + u'}';
        else
            parts << action->text();
    }
    return parts.join(u' ');
}

struct TOrganiser : TWebWindows {
    TBookMarkForm& Form() { return *BookMarks; }
    TWebTreeView* Tree() { return BookMarks->Tree(); }
    TWebNode& Top() { return BookMarks->Store().Top(); }
    TOrganiser() { BookMarks->show(); }
    void Select(TWebNode* node) { Tree()->SelectNode(node); }
    void Press(TWebNode* on, const char* button) {
        Select(on);
        Click(BookMarks.get(), button);
    }
};

TEST(BookMarkForm, ButtonsFollowTheSelection) {
    TOrganiser o;
    TWebNode* folder = o.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("F")));
    TWebNode* mark = folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("m")));
    TWebNode* named = folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("BOOKMARK")));
    o.BookMarks->hide();
    o.BookMarks->show();  // rebuilt from the store
    // An entry captioned like the top is protected too.
    const std::pair<TWebNode*, const char*> rows[] = {
        {&o.Top(), "1100"}, {folder, "1111"}, {mark, "0011"}, {named, "0000"}, {nullptr, "0000"}};
    for (const auto& [node, enabled] : rows) {
        o.Select(node);
        EXPECT_EQ(TWebWindows::Enabled(&o.Form(), Buttons), QLatin1String(enabled)) << (node ? "" : "none");
    }
}

TEST(BookMarkForm, AddEditDeleteAndDrag) {
    TOrganiser o;
    for (const char* name : {"和食", "洋食"}) {
        o.NextFolderName(QString::fromUtf8(name));
        o.Press(&o.Top(), "BitBtn1");
    }
    ASSERT_EQ(o.Top().ChildCount(), 2);
    TWebNode* washoku = o.Top().Child(0);
    TWebNode* yoshoku = o.Top().Child(1);
    EXPECT_EQ(washoku->Title + yoshoku->Title, QStringLiteral("和食洋食"));  // each last among the top's children
    o.NextEntry(QStringLiteral("だし"), QStringLiteral("http://dashi.example/"));
    o.Press(washoku, "BitBtn3");
    o.NextFolderName(QStringLiteral("x"), false);  // a cancelled dialog adds nothing
    o.Press(washoku, "BitBtn1");
    ASSERT_EQ(washoku->ChildCount(), 1);
    EXPECT_EQ(washoku->Child(0)->URL, QStringLiteral("http://dashi.example/"));

    // Renamed to the top's name, a folder is protected.
    o.NextFolderName(QStringLiteral("BOOKMARK"));
    o.Press(yoshoku, "BitBtn2");
    EXPECT_EQ(TWebWindows::Enabled(&o.Form(), Buttons), QStringLiteral("1100"));

    // Drags: a folder dropped into its own subtree stays.
    o.Select(washoku);
    EXPECT_FALSE(o.Tree()->DropOn(washoku->Child(0)));
    EXPECT_TRUE(o.Tree()->DropOn(yoshoku));
    EXPECT_EQ(washoku->Parent(), yoshoku);

    // Deleting a folder asks once, with its caption, and takes its subtree.
    o.Answers.Answer(TMsgResult::No);
    o.Press(washoku, "BitBtn4");
    EXPECT_EQ(o.Top().Count(), 4);
    o.Answers.Answer(TMsgResult::Yes);
    o.Press(washoku, "BitBtn4");
    EXPECT_EQ(o.Top().Count(), 2);
    EXPECT_EQ(o.Answers.Texts(), QStringList(2, QStringLiteral("和食を削除してもよろしいですか？")));
}

TEST(BookMarkForm, MenuFollowsTheStore) {
    TOrganiser o;
    QMenu b1(QStringLiteral("ﾌﾞｯｸﾏｰｸ(&B)"));
    TBookmarkMenu menu(&b1, [&o] { return &o.Top(); }, [] {});
    TWebNode* folder = o.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("料理")));
    folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Folder, QStringLiteral("空")));
    folder->Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("A&B"),
                                              QStringLiteral("http://h/?a=1&b=%20")));
    o.Top().Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("top"), QStringLiteral("http://t/")));
    menu.Rebuild();
    menu.Rebuild();  // the second replaces the first
    EXPECT_EQ(MenuText(b1), QStringLiteral("ﾌﾞｯｸﾏｰｸの編集(&E)... - [料理:[空:{(なし)}] A&&B] top"));
    // Old submenus go with each rebuild.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(b1.findChildren<QMenu*>().size(), 2);
    EXPECT_EQ(b1.actions().at(2)->menu()->actions().at(1)->data().toString(), QStringLiteral("http://h/?a=1&b=%20"));

    // A bookmark added in the organiser shows at the next opening, after a restart too.
    o.Tree()->Refresh(nullptr);
    o.NextEntry(QStringLiteral("新しい"), QStringLiteral("https://new.example/"));
    o.Press(folder, "BitBtn3");
    o.Restart();
    TBookmarkMenu again(&b1, [&o] { return &o.Top(); }, [] {});
    again.Rebuild();
    EXPECT_EQ(MenuText(b1), QStringLiteral("ﾌﾞｯｸﾏｰｸの編集(&E)... - [料理:[空:{(なし)}] A&&B 新しい] top"));
}

TEST(BookMarkForm, ShellErrorTexts) {
    const std::pair<int, const char*> rows[] = {
        {0, "メモリまたはリソースが不足しています。 (0)"}, {2, "指定されたファイルが見つかりません。 (2)"},
        {3, "指定されたパスが見つかりません。 (3)"},       {11, "指定されたExeファイルが無効です。 (11)"},
        {5, "Exec Error 5"},
    };
    for (const auto& [code, text] : rows)
        EXPECT_EQ(ShellErrorText(code), QString::fromUtf8(text));
}

TEST(BookMarkForm, ABookmarkThatCannotOpenIsReportedByItsCause) {
    TTempAppDir dir;
    dir.WriteBytes("memo.txt", "x");
    const QString base = dir.AppDir();
    struct TRow {
        QString Address;
        bool OpenerSucceeds;
        const char* Error;  // empty: opened without a word
        bool Opened;
    };
    const TRow rows[] = {
        {base + "memo.txt", true, "", true},
        {base + "memo.txt", false, "Exec Error 31", true},  // nothing to open it with
        {base + "none.txt", true, "指定されたファイルが見つかりません。 (2)", false},
        {"file://" + base + "none.txt", true, "指定されたファイルが見つかりません。 (2)", false},
        {base + "gone/none.txt", true, "指定されたパスが見つかりません。 (3)", false},
        {base + "gone/", true, "指定されたパスが見つかりません。 (3)", false},
        {"http://example.invalid/", false, "Exec Error 31", true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Address.toStdString());
        TDialogAnswerer answers;
        TWebNode top(TWebNodeKind::Folder, QStringLiteral("BOOKMARK"));
        top.Append(std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("b"), row.Address));
        QMenu b1;
        TBookmarkMenu menu(&b1, [&top] { return &top; }, [] {});
        QStringList opened;
        menu.OpenAddress = [&](const QString& address) {
            opened << address;
            return row.OpenerSucceeds;
        };
        menu.Rebuild();
        b1.actions().at(2)->trigger();
        EXPECT_EQ(answers.Texts(), *row.Error ? QStringList{QString::fromUtf8(row.Error)} : QStringList());
        EXPECT_EQ(opened, row.Opened ? QStringList{row.Address} : QStringList());
    }
}

}  // namespace

#include "support/main_form_fixture.h"

namespace {

TEST(WebCommands, MainWindowOpensTheReaderAndBuildsTheBookmarkMenu) {
    TMainFormFixture main;
    TWebWindows web;
    main.Windows.RSSForm = web.Rss.get();
    main.Windows.BookMarkForm = web.BookMarks.get();
    main.Open();
    EXPECT_TRUE(main.Find<QAction>(QStringLiteral("miRSS"))->isEnabled());
    main.Trigger(QStringLiteral("miRSS"));
    EXPECT_TRUE(web.Rss->isVisible());

    web.BookMarks->Store().Top().Append(
        std::make_unique<TWebNode>(TWebNodeKind::Bookmark, QStringLiteral("だし"), QStringLiteral("http://d/")));
    QMenu* b1 = main.Find<QMenu>(QStringLiteral("B1"));
    ASSERT_NE(b1, nullptr);
    EXPECT_EQ(b1->title(), QStringLiteral("ﾌﾞｯｸﾏｰｸ(&B)"));
    emit b1->aboutToShow();
    EXPECT_EQ(MenuText(*b1), QStringLiteral("ﾌﾞｯｸﾏｰｸの編集(&E)... - だし"));
    main.Close();
}

}  // namespace
