#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTimer>

#include "core/printing/print_test_support.h"
#include "core/printing/recipe_list_print.h"
#include "core/settings/settings_store.h"
#include "support/main_form_fixture.h"
#include "ui/dialogs/progress_form.h"
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

namespace {

// A few hundred recipes and the progress window, for the index of a list
// that runs over several pages.
class PrintListTest : public ::testing::Test, public TMainFormFixture {
protected:
    void SetUp() override {
        UseJapaneseFonts();
        MakeRecipeCollection(DataRoot(), 240);
        MakeRecipe(DataRoot(), {.Name = QStringLiteral("あじフライ"), .StatusLines = QStringList{"Kind=主菜", "Group=和食"}});
        Windows.ProgressForm = &Progress;
        Open();
    }
    void Change(const std::function<void(TSettings&)>& change) {
        TSettings settings = Form->SettingsStore().Settings();
        change(settings);
        Form->SettingsStore().SetSettings(settings);
    }
    // The job composed here, on the window's thread, from the shown rows.
    TComposedJob ComposedHere() const {
        const TSettings& settings = Form->SettingsStore().Settings();
        QList<int> rows;
        for (const QString& name : RowNames())
            for (int record = 0; record < Book().CookItems.size(); ++record)
                if (Book().CookItems[record].Name == name)
                    rows.append(record);
        TReport layout = MakePrintLayout(ListLayoutFor(settings));
        FillListLayout(layout, settings, RecipeIndexText(Book().CookItems, rows, settings.ContentsType));
        return Compose(layout);
    }

    TProgressForm Progress;
};

// Waits up to 20 s for `flag`, so a window thread that never answers fails
// the test instead of hanging it.
bool WaitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 2000 && !flag; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return flag;
}

}  // namespace

// The index is sorted, broken into lines and paged on another thread while
// the window's thread answers, with the progress window up; the pages are
// those the window's thread would make, for every grouping and paper.
TEST_F(PrintListTest, IndexIsComposedOffTheWindowThreadWithTheSamePages) {
    std::vector<TCaptured> jobs;
    std::thread::id workThread;
    bool answered = false, progressShown = false;
    QString progressText;
    const TPrintCapture capture(
        [&](const TComposedJob& job, bool preview) { jobs.push_back({job, preview}); },
        [&] {
            // Runs on the worker: the window's thread must take this event while the work waits.
            workThread = std::this_thread::get_id();
            std::atomic<bool> taken = false;
            QMetaObject::invokeMethod(
                Form.get(),
                [&] {
                    progressShown = Progress.isVisible();
                    progressText = Progress.Text();
                    taken = true;
                },
                Qt::QueuedConnection);
            answered = WaitFor(taken);
        });
    const std::vector<std::pair<int, QString>> rows{{0, "A4"}, {1, "ハガキ"}, {2, "A5"}, {3, "B5"}};
    for (const auto& [type, paper] : rows) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(type).arg(paper).toStdString());
        Change([&](TSettings& s) {
            s.ContentsType = type;
            s.PaperSize = paper;
        });
        jobs.clear();
        answered = progressShown = false;
        Trigger("A3");
        EXPECT_TRUE(answered);
        EXPECT_NE(workThread, std::this_thread::get_id());
        EXPECT_TRUE(progressShown);
        EXPECT_EQ(progressText, QStringLiteral("目次作成中..."));
        EXPECT_FALSE(Progress.isVisible());  // down again once the job is handed over
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_TRUE(jobs[0].Preview);
        ASSERT_GE(jobs[0].Job.Pages.size(), 2u);
        EXPECT_EQ(JobDigest(jobs[0].Job), JobDigest(ComposedHere()));
    }
    EXPECT_TRUE(Answers.Calls().empty());
}

// The real preview: its pages are drawn off the window's thread behind the
// progress window, and Qt's preview shows every one of them.
TEST_F(PrintListTest, PreviewShowsEveryPageOfTheIndex) {
    const TPrintCapture through{nullptr, [&] {
                                    std::atomic<bool> taken = false;
                                    QMetaObject::invokeMethod(Form.get(), [&] { taken = true; }, Qt::QueuedConnection);
                                    WaitFor(taken);
                                }};
    Change([](TSettings& s) { s.PaperSize = QStringLiteral("ハガキ"); });
    const size_t want = ComposedHere().Pages.size();
    ASSERT_GE(want, 5u);
    int pages = -1, polls = 0;
    bool progressShown = true;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if ((!dialog || !dialog->isVisible()) && ++polls < 2000)
            return;
        poll.stop();
        ASSERT_NE(dialog, nullptr);
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        progressShown = Progress.isVisible();
        dialog->reject();
    });
    poll.start();
    Trigger("A3");
    EXPECT_EQ(pages, int(want));
    EXPECT_FALSE(progressShown);
    EXPECT_TRUE(Answers.Calls().empty()) << Answers.Texts().join(" ").toStdString();
}
