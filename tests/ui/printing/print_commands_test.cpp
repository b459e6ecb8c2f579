#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTimer>

#include "core/printing/report_composer.h"
#include "core/settings/fonts.h"
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
        InstallFontSubstitutions();
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("肉じゃが"),
                                .Foodstuff = QStringLiteral("じゃがいも 3個"),
                                .How = QStringLiteral("1. 切る\n2. 煮る"),
                                .StatusLines = QStringList{"Kind=和食", "Calorie=350"},
                                .Photo = true});
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("A&Bサラダ"), .StatusLines = QStringList{"Kind=洋食"}});
        Open();
    }
    void Change(const std::function<void(TSettings&)>& change) {
        TSettings settings = Form->SettingsStore().Settings();
        change(settings);
        Form->SettingsStore().SetSettings(settings);
    }
    // The lines of a box over all pages.
    static QStringList Lines(const TComposedJob& job, const QString& box) {
        QStringList lines;
        for (const TComposedPage& page : job.Pages)
            for (const TPlacedItem& item : page.Items)
                if (item.Box == box)
                    lines += item.Lines;
        return lines;
    }

    std::vector<TCaptured> Jobs;
    TPrintCapture Capture{[this](const TComposedJob& job, bool preview) { Jobs.push_back({job, preview}); }};
};

}  // namespace

TEST_F(PrintCommandsTest, RecipePrintsWhatThePanesShow) {
    EXPECT_FALSE(Find<QAction>("miPrint")->isEnabled());  // nothing selected yet
    EXPECT_TRUE(Find<QAction>("B3")->isEnabled());
    ClickRow(QStringLiteral("肉じゃが"));
    ASSERT_TRUE(Find<QAction>("miPrint")->isEnabled());
    EXPECT_EQ(Find<QAction>("miPrint")->shortcut(), QKeySequence("Ctrl+P"));
    TypeInto(Find<QTextEdit>("MemoHow"), QStringLiteral("\n3. 盛り付ける"));  // not saved

    Trigger("PrintPreview1");
    EXPECT_TRUE(Answers.Calls().empty());  // a preview asks nothing
    ASSERT_EQ(Jobs.size(), 1u);
    EXPECT_TRUE(Jobs[0].Preview);
    EXPECT_EQ(Lines(Jobs[0].Job, "QRLabel1"), QStringList{"肉じゃが"});
    EXPECT_EQ(Lines(Jobs[0].Job, "QRRichText1"), QStringList{"じゃがいも 3個"});
    EXPECT_EQ(Lines(Jobs[0].Job, "QRRichText2"), (QStringList{"1. 切る", "2. 煮る", "3. 盛り付ける"}));

    struct TRow {
        TMsgResult Answer;
        size_t Jobs;
    };
    for (const TRow& row : {TRow{TMsgResult::No, 1}, TRow{TMsgResult::Yes, 2}}) {
        Answers.ClearLog();
        Answers.Answer(row.Answer);
        Trigger("miPrint");
        ASSERT_EQ(Answers.Calls().size(), 1u);
        EXPECT_EQ(Answers.Calls()[0].Text, QStringLiteral("用紙サイズ : A4\r\n\r\n印刷してもよろしいですか？"));
        EXPECT_EQ(Answers.Calls()[0].Buttons, TMsgButtons::YesNo);
        EXPECT_EQ(Jobs.size(), row.Jobs);
    }
    EXPECT_FALSE(Jobs.back().Preview);
}

TEST_F(PrintCommandsTest, SettingsThatPrintNothingOrFail) {
    ClickRow(QStringLiteral("A&Bサラダ"));
    struct TRow {
        QString Paper;
        int Type, Margin;
        bool Error;
    };
    const std::vector<TRow> rows{
        {"Letter", 1, 10, false},  // unknown paper: nothing, no message
        {"A4", 7, 10, false},       // unknown style
        {"ハガキ", 3, 10, false},   // postcard style C prints
        {"ハガキ", 1, 60, true},    // margins leave no width
    };
    for (const TRow& row : rows) {
        Change([&](TSettings& s) {
            s.PaperSize = row.Paper;
            s.PrintType = row.Type;
            s.LeftMargin = s.RightMargin = row.Margin;
        });
        Jobs.clear();
        Answers.ClearLog();
        Trigger("PrintPreview1");
        const bool printable = row.Paper == "ハガキ" && !row.Error;
        EXPECT_EQ(Jobs.size(), printable ? 1u : 0u) << row.Paper.toStdString();
        ASSERT_EQ(Answers.Calls().size(), row.Error ? 1u : 0u);
        if (row.Error) {
            EXPECT_TRUE(Answers.Calls()[0].Text.startsWith("Print Error. msg=")) << Answers.Calls()[0].Text.toStdString();
            EXPECT_EQ(Answers.Calls()[0].Buttons, TMsgButtons::Abort);
        }
        if (printable) {
            EXPECT_EQ(Lines(Jobs[0].Job, "QRLabel1"), QStringList{"A&Bサラダ"});
        }
    }
}

TEST_F(PrintCommandsTest, ListPrintsTheShownRowsWithoutAsking) {
    Change([](TSettings& s) { s.ContentsType = 1; });
    for (const char* command : {"B3", "A3"}) {
        Jobs.clear();
        Trigger(command);
        ASSERT_EQ(Jobs.size(), 1u);
        EXPECT_EQ(Jobs[0].Preview, QString(command) == "A3");
        EXPECT_EQ(Lines(Jobs[0].Job, "QRRichText1"),
                  (QStringList{"―洋食―", "     A&Bサラダ", "", "―和食―", "     肉じゃが"}));  // kanji in Japanese order
    }
    EXPECT_TRUE(Answers.Calls().empty());
}

TEST_F(PrintCommandsTest, NoPrinterIsAnErrorNotASuccess) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    const TPrintCapture off{nullptr};  // to the printer itself
    ClickRow(QStringLiteral("肉じゃが"));
    for (const char* command : {"miPrint", "B3"}) {
        Answers.ClearLog();
        if (QString(command) == "miPrint")
            Answers.Answer(TMsgResult::Yes);
        Trigger(command);
        ASSERT_FALSE(Answers.Calls().empty());
        EXPECT_EQ(Answers.Calls().back().Text, QStringLiteral("Print Error. msg=プリンターがインストールされていません"));
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
        if (const QString png = qEnvironmentVariable("SAPORIA_PRINT_PNG"); !png.isEmpty())
            dialog->grab().save(png + "/preview.png");
        dialog->reject();
    });
    Trigger("PrintPreview1");
    EXPECT_EQ(pages, 1);
    EXPECT_NEAR(paper.width(), 100, 0.5);
    EXPECT_NEAR(paper.height(), 148, 0.5);
    EXPECT_TRUE(Answers.Calls().empty());
}
