// The RSS reader's site view: fetching when due, the news list and the text.
#include "ui/web/rss_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "core/web/entry_check.h"
#include "core/web/feed_fetch.h"
#include "core/web/feed_time.h"
#include "core/web/news_text.h"
#include "ui/app/windows.h"
#include "ui/dialogs/progress_form.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/shell.h"
#include "ui/web/web_tree_view.h"
#include "ui/widgets/lazy_text_pane.h"

namespace {

constexpr int DescriptionColumn = 2;

}  // namespace

void TRSSForm::SetClock(std::function<QDateTime()> clock) { Clock = std::move(clock); }

void TRSSForm::SetFetchOptions(const TWebGetOptions& options) { Fetcher->SetOptions(options); }

bool TRSSForm::Fetching() const { return Fetcher->RunningCount() > 0; }

const TWebNode* TRSSForm::ShownSite() const { return ShownId ? RSSXML.Top().Find(ShownId) : nullptr; }

void TRSSForm::ResetView() {
    ShownId = 0;
    Edit1->clear();
    Edit2->clear();
    Label4->setText(QStringLiteral("(-)"));
    RSSListView->clear();
    Label7->setText(QStringLiteral("----/--/-- --:--:--"));
    RSSListViewSelectItem();
}

void TRSSForm::RSSTreeChanging(TWebNode* node) {
    ResetView();
    SetButtons(node);
    if (!node || node->Kind != TWebNodeKind::Site)
        return;
    if (FeedDue(node->LastUpdate, Clock()))
        FetchFeed(*node);
    ShowFeed(*node);
}

void TRSSForm::FetchFeed(const TWebNode& site) {
    if (!Fetcher->Start(site))
        return;
    if (Windows && Windows->ProgressForm) {
        Progress = Windows->ProgressForm;
        Progress->SetText(QStringLiteral("RSS通信中..."));
        Progress->ShowBusy();
    }
}

void TRSSForm::FeedDone(quint64 siteId, bool ok, const QString& error) {
    if (Progress && !Fetching())
        Progress->CloseBusy();
    if (!ok)
        ShowErrorBox(this, ErrorPrefix(QStringLiteral("RSS Load")) + error);
    // The site may have been deleted or another one selected meanwhile.
    if (ShownId == siteId)
        if (const TWebNode* site = RSSXML.Top().Find(siteId))
            ShowFeed(*site);
    emit FeedFinished(ok);
}

void TRSSForm::ShowFeed(const TWebNode& site) {
    ShownId = site.Id();
    RSSListView->setUpdatesEnabled(false);
    RSSListView->clear();
    Edit1->setText(site.Title);
    Edit2->setText(site.URL);
    Label7->setText(site.LastUpdate);
    QList<QTreeWidgetItem*> rows;
    for (const TNewsItem& news : site.News) {
        // A row shows the description's beginning; the text pane takes it whole.
        auto* row = new QTreeWidgetItem({news.lastupdate, news.title, NewsRowText(news.description), news.link});
        row->setData(DescriptionColumn, Qt::UserRole, news.description);
        rows.append(row);
    }
    RSSListView->addTopLevelItems(rows);
    Label4->setText(QStringLiteral("(%1)").arg(site.News.size()));
    RSSListView->setUpdatesEnabled(true);
    RSSListViewSelectItem();
}

void TRSSForm::RSSListViewSelectItem() {
    const QList<QTreeWidgetItem*> selected = RSSListView->selectedItems();
    QTreeWidgetItem* row = selected.isEmpty() ? nullptr : selected.first();
    SpeedButton2->setEnabled(row);
    Label6->setVisible(row);
    if (!row) {
        PanelTitle->setText(QStringLiteral("------"));
        RichEdit1->SetText(QString());
        return;
    }
    PanelTitle->setText(row->text(1));
    // Text from the network is never taken as markup.
    RichEdit1->SetText(NewsDetailText(row->data(DescriptionColumn, Qt::UserRole).toString()));
}

void TRSSForm::SpeedButton2Click() {
    const QList<QTreeWidgetItem*> selected = RSSListView->selectedItems();
    if (selected.isEmpty())
        return;
    const QString link = selected.first()->text(3);
    if (IsOpenableLink(link))
        OpenAddress(link.trimmed());
}

void TRSSForm::BitBtn5Click() {
    TWebNode* node = RSSTree->CurrentNode();
    if (!node || node->Kind != TWebNodeKind::Site)
        return;
    FetchFeed(*node);
    ShowFeed(*node);
}
