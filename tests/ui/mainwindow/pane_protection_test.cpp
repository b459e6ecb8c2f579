// A recipe that failed to load: the user dismisses the error, types and
// presses Ctrl+S; nothing the user never saw is replaced.
#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTextEdit>

#include "support/main_form_fixture.h"

namespace {

struct PaneProtection : ::testing::Test, TMainFormFixture {};

QByteArray OversizedText() { return QByteArray("0123456789abcdef\r\n").repeated(MaxRecipeTextBytes / 18 + 1); }

struct TRow {
    const char* Case;
    TRecipeDraft Draft;
    QString BadFile;  // written over the draft's file
    QByteArray BadBytes;
    const char* Pane;  // typed into
    QString File;      // that pane's file
    bool ReadOnly;
    QString Saved;  // that file's text after the save, when the pane is editable
    bool PhotoLocked;
};

}  // namespace

TEST_F(PaneProtection, TypingAndSavingNeverReplacesAFileThatWasNotRead) {
    const TRow rows[] = {
        {"method without ingredients",
         {.Name = QStringLiteral("方法だけ"), .Foodstuff = std::nullopt, .How = QStringLiteral("昔の作り方")},
         QString(), {}, "MemoHow", HowFileName, false, QStringLiteral("昔の作り方追記"), false},
        {"truncated photo",
         {.Name = QStringLiteral("写真が壊れた"), .Comment = QStringLiteral("大事なコメント"), .Photo = true,
          .Memo = true},
         PhotoFileName, QByteArray("\xff\xd8\xff\xe0 cut", 7), "RichEditComment", CommentFileName, false,
         QStringLiteral("大事なコメント追記"), true},
        {"oversized method", {.Name = QStringLiteral("長い作り方")}, HowFileName, OversizedText(), "MemoHow",
         HowFileName, true, QString(), false},
        {"oversized comment", {.Name = QStringLiteral("長いコメント"), .Comment = QStringLiteral("c")}, CommentFileName,
         OversizedText(), "RichEditComment", CommentFileName, true, QString(), false},
    };
    for (const TRow& row : rows) {
        const QString folder = MakeRecipe(DataRoot(), row.Draft);
        if (!row.BadFile.isEmpty())
            WriteRaw(folder + row.BadFile, row.BadBytes);
    }
    Open();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Case);
        const QString folder = DataRoot() + QLatin1Char('/') + row.Draft.Name + QLatin1Char('/');
        const auto before = FolderSnapshot(folder);
        const size_t boxes = Answers.Calls().size();
        ClickRow(row.Draft.Name);
        // One box for the load, however many files failed.
        EXPECT_EQ(Answers.Calls().size(), boxes + 1);
        EXPECT_TRUE(Answers.Calls().back().Text.startsWith(QStringLiteral("Load File Error. Msg=")));

        // Removing a photo that was never shown does nothing.
        Trigger(QStringLiteral("D1"));
        EXPECT_EQ(Marker().isEmpty(), row.PhotoLocked);

        auto* pane = Find<QTextEdit>(QString::fromLatin1(row.Pane));
        EXPECT_EQ(pane->isReadOnly(), row.ReadOnly);
        TypeInto(pane, QStringLiteral("追記"));
        QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(Answers.Calls().size(), boxes + 1) << Answers.Texts().join(QLatin1Char('|')).toStdString();

        const auto after = FolderSnapshot(folder);
        for (auto file = before.begin(); file != before.end(); ++file) {
            if (row.ReadOnly || file.key() != row.File) {
                EXPECT_EQ(after.value(file.key()), file.value()) << qPrintable(file.key());
            }
        }
        if (!row.ReadOnly) {
            EXPECT_EQ(after.value(row.File), RecipeFileBytes(row.Saved));
        }

        // A tab whose file is there shows it, read or not.
        auto* tabs = Find<QTabWidget>(QStringLiteral("PageControl1"));
        const int comment = tabs->indexOf(Find<QWidget>(QStringLiteral("TabSheetComment")));
        EXPECT_EQ(tabs->tabIcon(comment).pixmap(12, 12).toImage().pixelColor(6, 6).alpha() > 200,
                  row.Draft.Comment.has_value());
    }
}
