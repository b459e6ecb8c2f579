#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "core/exchange/web_recipe_loader.h"
#include "core/platform/sjis.h"
#include "support/dialog_driver.h"
#include "support/loopback_http_server.h"
#include "support/main_form_fixture.h"
#include "support/small_disk.h"
#include "ui/exchange/import_from_cook_pad_form.h"
#include "ui/mainwindow/recipe_panes.h"

namespace {

// "Curry" (photo, coded characters, attributes) is open, "Stew" beside it.
class ExchangeCommandsTest : public ::testing::Test, public TMainFormWithDialogs {
protected:
    QTemporaryDir Out;

    void SetUp() override {
        MakeRecipe(DataRoot(), {.Name = "Curry", .Foodstuff = "玉ねぎ\t1個\n肉 & 豆 <多め> [A]", .How = "炒める\n煮る 20分",
                                .Comment = "辛口", .StatusLines = QStringList{"Icon=2", "Kind=主菜", "Group=カレー"},
                                .Photo = true});
        MakeRecipe(DataRoot(), {.Name = "Stew", .StatusLines = QStringList{"Kind=汁物", "Date=2020/01/02"}});
        Open();
        ClickRow("Curry");
    }
    QString OutPath(const QString& name) const { return Out.path() + QLatin1Char('/') + name; }
    QStringList OutEntries() const { return QDir(Out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

}  // namespace

TEST_F(ExchangeCommandsTest, ExportDeleteImportGivesBackEveryFile) {
    const QMap<QString, QByteArray> before = FolderSnapshot(Folder("Curry"));
    Answers.AnswerText(OutPath("Curry"));
    Trigger("miMailExport");
    ASSERT_TRUE(QFile::exists(OutPath("Curry.rpk")));
    Answers.Answer(TMsgResult::Yes);
    Trigger("miRecipeDelete");
    ASSERT_FALSE(QDir(Folder("Curry")).exists());
    for (int time = 0; time < 2; ++time) {  // the second time: the clash box, nothing changed
        Answers.AnswerText(OutPath("Curry.rpk"));
        Trigger("miMailImport");
        EXPECT_EQ(FolderSnapshot(Folder("Curry")), before);
        EXPECT_EQ(RowNames(), QStringList({"Stew", "Curry"}));
    }
    EXPECT_EQ(Answers.Calls().back().Text, QStringLiteral("既に存在する料理名ですので取り込めません。"));
}

TEST_F(ExchangeCommandsTest, ExportTakesThePanesAndImportAsksTheSaveQuestion) {
    Form->findChild<TRecipePanes*>()->FoodstuffPane()->setPlainText(QStringLiteral("編集中"));
    Answers.AnswerText(OutPath("x.txt"));
    Trigger("miMailExport");
    EXPECT_TRUE(FromSjis(ReadRaw(OutPath("x.txt.rpk"))).contains(QStringLiteral("<Material>編集中</Material>")));
    for (const TMsgResult answer : {TMsgResult::Cancel, TMsgResult::No}) {  // cancel: nothing imported
        Answers.AnswerText(OutPath("x.txt.rpk"));
        Answers.Answer(answer);
        Trigger("miMailImport");
        EXPECT_EQ(QFileInfo::exists(Folder("x.txt") + QStringLiteral("/材料.txt")), answer == TMsgResult::No);
    }
    EXPECT_EQ(RowText(SelectedRow()), QStringLiteral("x.txt"));
}

TEST_F(ExchangeCommandsTest, ExportAsksBeforeReplacingTheFileItWrites) {
    // Typed with or without the extension, the same file is at stake.
    const QByteArray old = "old file";
    struct TRow {
        const char* Typed;
        std::optional<TMsgResult> Answer;  // none: nothing to ask
        bool Replaced;
    };
    const TRow rows[] = {
        {"Curry", TMsgResult::No, false}, {"Curry.rpk", TMsgResult::No, false},
        {"Curry", TMsgResult::Yes, true}, {"Other", std::nullopt, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Typed);
        const QString file = OutPath(QString::fromUtf8(row.Typed).remove(".rpk") + ".rpk");
        QFile::remove(file);
        if (row.Answer) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        Answers.ClearLog();
        Answers.AnswerText(OutPath(row.Typed));
        if (row.Answer)
            Answers.Answer(*row.Answer);
        Trigger("miMailExport");
        QStringList asked;
        for (const TDialogCall& call : Answers.Calls())
            if (call.Kind == TDialogKind::Message)
                asked << call.Text;
        EXPECT_EQ(asked, row.Answer ? QStringList{QStringLiteral("同じファイル名が存在します。上書きしてもよろしいですか？")}
                                    : QStringList());
        EXPECT_EQ(ReadRaw(file).startsWith("<?xml"), row.Replaced);
    }
}

TEST_F(ExchangeCommandsTest, HtmlExportsWriteIntoStampedFolders) {
    Answers.AnswerText(Out.path());
    Trigger("miHTMLExport");
    ASSERT_EQ(OutEntries().size(), 1);
    EXPECT_EQ(QDir(OutPath(OutEntries()[0])).entryList(QDir::Files), QStringList({"Image.jpg", "index.html"}));
    QDir(OutPath(OutEntries()[0])).removeRecursively();

    // The list as shown: the group filter leaves Curry only.
    ChooseGroup(QStringLiteral("カレー"));
    Answers.AnswerText(Out.path());
    Trigger("miPSPHtmlExport");
    ASSERT_EQ(OutEntries().size(), 1);
    EXPECT_EQ(QDir(OutPath(OutEntries()[0])).entryList(QDir::Files), QStringList({"0000.html", "0000.jpg", "index.html"}));
    EXPECT_FALSE(Progress.isVisible());
    QDir(OutPath(OutEntries()[0])).removeRecursively();

    // A corrupt photo: the progress window is gone before the error box, which
    // names the recipe, and what the export wrote is gone with it.
    WriteRaw(Folder("Curry") + QStringLiteral("/写真.jpg"), "\xFF\xD8\xFF\xE0" "broken");
    bool progressAtBox = true;
    QStringList entriesAtBox{"not asked"};
    Answers.AnswerText(Out.path());
    Answers.AnswerWith([&](const TDialogCall&) {
        progressAtBox = Progress.isVisible();
        entriesAtBox = OutEntries();
        return TMsgResult::Ok;
    });
    Trigger("miPSPHtmlExport");
    EXPECT_TRUE(Answers.Calls().back().Text.startsWith(QStringLiteral("Export Error. Msg=Curry: 写真.jpg: ")))
        << Answers.Calls().back().Text.toStdString();
    EXPECT_FALSE(progressAtBox);
    EXPECT_EQ(entriesAtBox, QStringList());

    // A folder that does not exist: the creation box, nothing made.
    Answers.AnswerText(OutPath("missing"));
    Trigger("miPSPHtmlExport");
    EXPECT_TRUE(Answers.Calls().back().Text.endsWith(QStringLiteral("フォルダの作成に失敗しました。")));
    EXPECT_FALSE(QFileInfo::exists(OutPath("missing")));

    // Nothing listed: refused before any folder is made.
    Refine(QStringLiteral("存在しない材料"));
    ASSERT_EQ(RowCount(), 0);
    Trigger("miPSPHtmlExport");
    EXPECT_TRUE(OutEntries().isEmpty());
    EXPECT_EQ(Answers.Calls().back().Type, TMsgType::Error);
}

namespace {

// Every file and folder below `root`, folders as "name/" without bytes.
QMap<QString, QByteArray> DiskState(const QString& root) {
    QMap<QString, QByteArray> state = FolderSnapshot(root);
    QDirIterator it(root, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        state.insert(QDir(root).relativeFilePath(it.next()) + QLatin1Char('/'), QByteArray());
    return state;
}

}  // namespace

// An export that fails, on a full disk or at a file of the recipe it cannot
// read, says so in its own words and leaves the disk as it was: nothing half
// made, an existing file untouched.
TEST_F(ExchangeCommandsTest, AFailedExportSaysSoAndLeavesTheDiskAsItWas) {
    const QString html = QStringLiteral("HTMLでの保存に失敗しました。msg=");
    const QString standard = QStringLiteral("Export Error. Msg=");
    const QString curry = Folder("Curry") + QLatin1Char('/');
    const QByteArray bigPhoto = SmallJpeg() + QByteArray(300 * 1024, '\0');
    const QByteArray bigText = RecipeFileBytes(QString(150000, QChar(u'卵')));
    constexpr qint64 Room = 64 * 1024;  // a small file fits, the big ones do not
    constexpr qint64 NotFull = -1;
    struct TRow {
        const char* What;
        const char* Command;
        std::function<void()> Arrange;  // on the recipe, before the disk fills
        qint64 Free;
        QString Prefix;
        const char* Tail;  // the message's end
    };
    const std::vector<TRow> rows{
        {"html: full at the photo", "miHTMLExport", [&] { WriteRaw(curry + "写真.jpg", bigPhoto); }, Room, html,
         "/Image.jpg に書き込めません"},
        {"html: full at the page", "miHTMLExport", [&] { WriteRaw(curry + "方法.txt", bigText); }, Room, html,
         "/index.html に書き込めません"},
        {"html: photo unreadable", "miHTMLExport", [&] { ASSERT_TRUE(MakeUnreadableFile(curry + "写真.jpg")); },
         NotFull, html, "/Curry/写真.jpg を読み込めません"},
        {"html: text unreadable", "miHTMLExport", [&] { ASSERT_TRUE(MakeUnreadableFile(curry + "方法.txt")); },
         NotFull, html, "/Curry/方法.txt を読み込めません"},
        {"handheld: full at the picture", "miPSPHtmlExport", {}, 0, standard, "/0000.jpg に書き込めません"},
        {"handheld: full at the page", "miPSPHtmlExport", [&] { WriteRaw(curry + "方法.txt", bigText); }, Room, html,
         "/0000.html に書き込めません"},
        {"handheld: full at the index", "miPSPHtmlExport",
         [&] {
             WriteRaw(curry + "Status.txt", ToSjis("Group=カレー\r\nKind=" + QString(150000, QChar(u'主')) + "\r\n"));
         },
         Room, standard, "/index.html に書き込めません"},
        {"handheld: text unreadable", "miPSPHtmlExport", [&] { ASSERT_TRUE(MakeUnreadableFile(curry + "コメント.txt")); },
         NotFull, standard, "/Curry/コメント.txt を読み込めません"},
        {"rpk: full", "miMailExport", [&] { WriteRaw(curry + "写真.jpg", bigPhoto); }, 0, standard,
         "/Curry.rpk に書き込めません"},
        {"rpk: full, replacing a file", "miMailExport", [&] { WriteRaw(curry + "写真.jpg", bigPhoto); }, 0, standard,
         "/Curry.rpk に書き込めません"},
        {"rpk: photo unreadable", "miMailExport", [&] { ASSERT_TRUE(MakeUnreadableFile(curry + "写真.jpg")); },
         NotFull, standard, "/Curry/写真.jpg を読み込めません"},
    };
    const QMap<QString, QByteArray> recipe = FolderSnapshot(curry);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.What);
        TSmallDisk disk(1024);
        if (!disk.Available())
            GTEST_SKIP() << "no small file system here";
        const bool replacing = QByteArray(row.What).contains("replacing");
        if (replacing)
            WriteRaw(disk.Root() + "Curry.rpk", "the file sent last week");
        if (row.Arrange)
            row.Arrange();
        Trigger("miUpdate");
        ChooseGroup(QStringLiteral("カレー"));  // the handheld pages of Curry alone
        ClickRow("Curry");
        if (row.Free != NotFull)
            disk.Fill(row.Free);
        const QMap<QString, QByteArray> before = DiskState(disk.Root());

        Answers.ClearLog();
        Answers.AnswerText(row.Command == QByteArray("miMailExport") ? disk.Root() + "Curry" : disk.Root());
        if (replacing)
            Answers.Answer(TMsgResult::Yes);
        Trigger(row.Command);
        EXPECT_EQ(Answers.Pending(), 0);  // the command ran to its chooser
        std::vector<TDialogCall> errors;
        for (const TDialogCall& call : Answers.Calls())
            if (call.Kind == TDialogKind::Message && call.Type == TMsgType::Error)
                errors.push_back(call);
        ASSERT_EQ(errors.size(), 1u);
        const QString& text = errors[0].Text;
        EXPECT_TRUE(text.startsWith(row.Prefix) && text.endsWith(QString::fromUtf8(row.Tail)))
            << text.left(200).toStdString();
        // The HTML export's own box has one button, Abort; the rest the standard box.
        EXPECT_EQ(errors[0].Buttons, row.Prefix == html ? TMsgButtons::Abort : TMsgButtons::Ok);
        const QMap<QString, QByteArray> after = DiskState(disk.Root());
        EXPECT_EQ(QStringList(after.keys()).join(' ').toStdString(),
                  QStringList(before.keys()).join(' ').toStdString());
        EXPECT_TRUE(after == before);

        for (const QString& name : QDir(curry).entryList(QDir::Files))
            QFile::remove(curry + name);
        for (auto file = recipe.cbegin(); file != recipe.cend(); ++file)
            WriteRaw(curry + file.key(), file.value());
    }
}

TEST_F(ExchangeCommandsTest, WebImportDialogLoadsReviewsAndRegisters) {
    QFile fixture(QStringLiteral(SAPORIA_SOURCE_DIR "/tests/core/exchange/data/recipe_plain_form.html"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    TLoopbackHttpServer server;
    server.Route("/recipe/1", TLoopbackRoute::Page(fixture.readAll(), "text/html; charset=utf-8"));
    server.Route("/photos/nikujaga.jpg", TLoopbackRoute::Page(SmallJpeg(160, 120), "image/jpeg"));
    TImportFromCookPadForm dialog(DataRoot(), Form.get());
    dialog.ResetForm();
    dialog.show();
    auto load = [&](const char* button, const QString& address) {
        Child<QLineEdit>(&dialog, "edtURL")->setText(address);
        QSignalSpy done(&dialog.Loader(), &TWebRecipeLoader::Finished);
        QTest::mouseClick(Child<QPushButton>(&dialog, button), Qt::LeftButton);
        EXPECT_FALSE(Child<QPushButton>(&dialog, "bbtnOk")->isEnabled());
        ASSERT_TRUE(done.wait(10000));
        for (const char* other : {"btnGetWebData", "bbtnOk", "bbtnCancel"})  // every outcome gives them back
            EXPECT_TRUE(Child<QPushButton>(&dialog, other)->isEnabled()) << other;
    };
    load("btnGetWebData", server.Url("/missing").toString());
    EXPECT_EQ(Answers.Calls().back().Type, TMsgType::Error);
    EXPECT_TRUE(Child<QLineEdit>(&dialog, "edtTitle")->text().isEmpty());

    load("btnGetWebData", server.Url("/recipe/1").toString());
    EXPECT_EQ(Child<QLineEdit>(&dialog, "edtTitle")->text(), QStringLiteral("肉じゃが"));
    EXPECT_EQ(Child<QLineEdit>(&dialog, "edtAmount")->text(), QStringLiteral("2人分"));
    // The page text edited by hand and scanned again by Button1.
    auto* memo = Child<QPlainTextEdit>(&dialog, "Memo1");
    memo->setPlainText(memo->toPlainText().replace(QStringLiteral("肉じゃが </H1>"), QStringLiteral("豚じゃが </H1>")));
    load("Button1", server.Url("/recipe/1").toString());
    EXPECT_EQ(Child<QLineEdit>(&dialog, "edtTitle")->text(), QStringLiteral("豚じゃが"));

    QTest::mouseClick(Child<QPushButton>(&dialog, "bbtnOk"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(ReadRaw(Folder("豚じゃが") + QStringLiteral("/写真.jpg")), SmallJpeg(160, 120));
    EXPECT_EQ(FromSjis(ReadRaw(Folder("豚じゃが") + QStringLiteral("/材料.txt"))).left(7), QStringLiteral("（2人分）\r\n"));
    // The same title again: refused, the dialog stays open.
    dialog.show();
    QTest::mouseClick(Child<QPushButton>(&dialog, "bbtnOKNext"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Answers.Calls().back().Text.contains(QStringLiteral("既に存在する料理名ですので取り込めません。")));
}

TEST_F(ExchangeCommandsTest, WebImportCommandEndsOnCancel) {
    const QStringList before = RowNames();
    bool shown = false;
    QTimer::singleShot(50, [&shown] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->windowTitle() == QStringLiteral("サイトからレシピの取り込み");
            QTest::mouseClick(Child<QPushButton>(dialog, "bbtnCancel"), Qt::LeftButton);
        }
    });
    Trigger("N4");
    EXPECT_TRUE(shown);
    EXPECT_EQ(RowNames(), before);
}
