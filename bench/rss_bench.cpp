#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>

#include "core/web/feed_parser.h"
#include "figure_timing.h"
#include "support/loopback_http_server.h"
#include "support/temp_app_dir.h"
#include "ui/app/windows.h"
#include "ui/dialogs/progress_form.h"
#include "ui/web/rss_form.h"
#include "ui/web/web_tree_view.h"
#include "ui/widgets/lazy_text_pane.h"

// The RSS reader showing a feed whose first description is 3 MB in 40,000
// lines, or in one line (under the 10 MiB download cap), then that description in the text
// pane: fetched from a loopback server, parsed, listed, shown, and another
// node selected. The figure is
// the longest the window's event loop went unanswered; beside it the parse
// of the same bytes on one thread, which once ran on the window's thread.

namespace {

// One description of 40,000 lines, or of the same text as one line.
QByteArray LongFeed(bool oneLine) {
    QByteArray description;
    for (int i = 0; i < 40000; ++i)
        description += "第" + QByteArray::number(i) + "行 煮込み料理の説明がここに続きます。" +
                       (oneLine ? " " : "&lt;br /&gt;\n");
    QByteArray feed = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss version=\"2.0\"><channel><title>t</title>"
                      "<item><title>long</title><description>" + description + "</description><link>http://x/</link></item>";
    for (int i = 0; i < 30; ++i)
        feed += "<item><title>item " + QByteArray::number(i) + "</title><description>short text " +
                QByteArray::number(i) + "</description><link>http://x/" + QByteArray::number(i) + "</link></item>";
    return feed + "</channel></rss>";
}

// Runs the event loop until `done` holds (checked every few ms) or 60 s pass.
void WaitFor(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer check;
    check.setInterval(2);
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    check.start();
    if (!done())
        loop.exec();
}

void BM_FigureFeedLongDescription(benchmark::State& state) {
    EnsureBenchApplication();
    const QByteArray feed = LongFeed(state.range(0) == 1);
    TLoopbackHttpServer server;
    server.Route("/long", TLoopbackRoute::Page(feed, "application/rss+xml"));
    TTempAppDir dir;
    TWindows windows;
    TProgressForm progress;
    windows.ProgressForm = &progress;
    TRSSForm form(dir.AppDir(), &windows);
    form.SetFetchOptions({.TimeoutMs = 30000, .MaxBytes = 10 << 20, .MaxRedirects = 5});
    form.show();
    TWebNode* site = form.Store().Top().Append(
        std::make_unique<TWebNode>(TWebNodeKind::Site, QStringLiteral("long"), server.Url("/long").toString()));
    form.Tree()->Refresh(nullptr);
    auto* list = form.findChild<QTreeWidget*>(QStringLiteral("RSSListView"));
    auto* pane = form.findChild<TLazyTextPane*>(QStringLiteral("RichEdit1"));
    THeartbeat heartbeat;
    double worst = 0;
    TimeAgainstAnchor(
        state, [&] { benchmark::DoNotOptimize(ParseFeed(feed).News.size()); },
        [&] {
            heartbeat.Start();
            site->LastUpdate.clear();  // due: fetched on selection
            form.Tree()->SelectNode(site);
            WaitFor([&] { return !form.Fetching(); });
            if (list->topLevelItemCount() != 31) {
                state.SkipWithError("the news did not arrive");
                return;
            }
            list->setCurrentItem(list->topLevelItem(0));
            WaitFor([&] { return !pane->Filling(); });
            form.Tree()->SelectNode(&form.Store().Top());  // and away again
            worst = std::max(worst, heartbeat.Stop());
        },
        0);
    state.counters["max_block_ms"] = worst;
    state.counters["feed_mb"] = double(feed.size()) / (1 << 20);
    state.SetLabel("time: fetch to whole text shown; anchor: parse on 1 thread; target max_block_ms < 100");
}

}  // namespace

BENCHMARK(BM_FigureFeedLongDescription)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("one_line")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
