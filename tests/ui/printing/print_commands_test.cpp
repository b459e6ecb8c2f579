#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTimer>

#include "core/printing/print_test_support.h"
#include "core/settings/settings_store.h"
#include "support/main_form_fixture.h"
#include "ui/printing/print_output.h"

namespace {

struct TCaptured {
    TComposedJob Job;
    bool Preview = false;
};

class PrintCommandsTest : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        UseJapaneseFonts();
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("肉じゃが"), .Foodstuff = QStringLiteral("じゃがいも 3個"),
                                .How = QStringLiteral("1. 切る\n2. 煮る"), .StatusLines = QStringList{"Kind=和食"},
                                .Photo = true});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("A&Bサラダ"), .StatusLines = QStringList{"Kind=洋食"}});
        Open();
    }
    void Change(const std::function<void(TSettings&)>& change) {
        TSettings settings = Form->SettingsStore().Settings();
        change(settings);
        Form->SettingsStore().SetSettings(settings);
    }

    std::vector<TCaptured> Jobs;
    TPrintCapture Capture{[this](const TComposedJob& job, bool preview) { Jobs.push_back({job, preview}); }};
};

}  // namespace

TEST_F(PrintCommandsTest, RecipePrintsWhatThePanesShow) {
    ClickRow(QStringLiteral("肉じゃが"));
    TypeInto(Find<QTextEdit>("MemoHow"), QStringLiteral("\n3. 盛り付ける"));  // not saved
    Trigger("PrintPreview1");
    EXPECT_TRUE(Answers.Calls().empty());  // a preview asks nothing
    ASSERT_EQ(Jobs.size(), 1u);
    EXPECT_TRUE(Jobs[0].Preview);
    EXPECT_EQ(LinesOf(Jobs[0].Job, "QRLabel1"), QStringList{"肉じゃが"});
    EXPECT_EQ(LinesOf(Jobs[0].Job, "QRRichText1"), QStringList{"じゃがいも 3個"});
    EXPECT_EQ(LinesOf(Jobs[0].Job, "QRRichText2"), (QStringList{"1. 切る", "2. 煮る", "3. 盛り付ける"}));
    for (const auto& [answer, jobs] : {std::pair{TMsgResult::No, 1u}, std::pair{TMsgResult::Yes, 2u}}) {
        Answers.ClearLog();
        Answers.Answer(answer);
        Trigger("miPrint");
        ASSERT_EQ(Answers.Calls().size(), 1u);
        EXPECT_EQ(Answers.Calls()[0].Text, QStringLiteral("用紙サイズ : A4\r\n\r\n印刷してもよろしいですか？"));
        EXPECT_EQ(Jobs.size(), jobs);
    }
    EXPECT_FALSE(Jobs.back().Preview);
}

TEST_F(PrintCommandsTest, UnknownPaperPrintsNothingAndNoRoomIsAnError) {
    ClickRow(QStringLiteral("A&Bサラダ"));
    for (const auto& [paper, margin] : {std::pair{"Letter", 10}, std::pair{"ハガキ", 60}}) {
        Change([&](TSettings& s) {
            s.PaperSize = QString::fromUtf8(paper);
            s.LeftMargin = s.RightMargin = margin;
        });
        Answers.ClearLog();
        Trigger("PrintPreview1");
        EXPECT_TRUE(Jobs.empty()) << paper;
        ASSERT_EQ(Answers.Calls().size(), margin == 60 ? 1u : 0u) << paper;
    }
    EXPECT_TRUE(Answers.Calls()[0].Text.startsWith("Print Error. msg=")) << Answers.Calls()[0].Text.toStdString();
}

TEST_F(PrintCommandsTest, ListPrintsTheShownRowsWithoutAsking) {
    Change([](TSettings& s) { s.ContentsType = 1; });
    for (const char* command : {"B3", "A3"}) {
        Jobs.clear();
        Trigger(command);
        ASSERT_EQ(Jobs.size(), 1u);
        EXPECT_EQ(Jobs[0].Preview, QString(command) == "A3");
        EXPECT_EQ(LinesOf(Jobs[0].Job, "QRRichText1"),
                  (QStringList{"―洋食―", "     A&Bサラダ", "", "―和食―", "     肉じゃが"}));  // kanji in Japanese order
    }
    EXPECT_TRUE(Answers.Calls().empty());
}

TEST_F(PrintCommandsTest, NoPrinterIsAnErrorNotASuccess) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    const TPrintCapture off{nullptr};  // to the printer itself
    ClickRow(QStringLiteral("肉じゃが"));
    for (const QString command : {"miPrint", "B3"}) {  // the error at once: no question before it
        Answers.ClearLog();
        Trigger(command);
        EXPECT_EQ(Answers.Texts(), QStringList{QStringLiteral("Print Error. msg=プリンターがインストールされていません")});
    }
}

TEST_F(PrintCommandsTest, PreviewShowsThePagesInQtsPreviewWindow) {
    const TPrintCapture off{nullptr};
    Change([](TSettings& s) { s.PaperSize = QStringLiteral("ハガキ"); });
    ClickRow(QStringLiteral("肉じゃが"));
    int pages = -1;
    QSizeF paper;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        paper = dialog->printer()->pageLayout().pageSize().size(QPageSize::Millimeter);
        dialog->reject();
    });
    Trigger("PrintPreview1");
    EXPECT_EQ(pages, 1);
    EXPECT_NEAR(paper.width(), 100, 0.5);
    EXPECT_NEAR(paper.height(), 148, 0.5);
}
