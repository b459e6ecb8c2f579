#pragma once

#include <functional>
#include <memory>

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include "core/platform/web_page.h"
#include "core/web/tree_store.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFeedFetch;
class TLazyTextPane;
class TProgressForm;
class TWebTreeEditor;
class TWebTreeView;
struct TWindows;

// The RSS reader: folders and feed sites on the left; the selected site's
// title, address, last update and news on the right, the chosen news item's
// title and text below. A site is fetched when it is selected and due, and
// whenever "更新" is pressed; fetches run without blocking the program and
// keep the stored news when they fail. The store is read at creation and
// written when the window is destroyed at exit.
class TRSSForm final : public QWidget {
    Q_OBJECT
public:
    TRSSForm(const QString& appDir, TWindows* windows, QWidget* mainWindow = nullptr);
    ~TRSSForm() override;

    TTreeStore& Store() { return RSSXML; }
    TWebTreeView* Tree() const { return RSSTree; }
    // The clock that stamps fetches and decides whether a site is due.
    void SetClock(std::function<QDateTime()> clock);
    void SetFetchOptions(const TWebGetOptions& options);
    bool Fetching() const;
    // The site shown on the right, or null.
    const TWebNode* ShownSite() const;
    // Hands a news link to the desktop; replaceable so a test sees what opens.
    std::function<bool(const QString&)> OpenAddress;

signals:
    // A fetch ended (after its news, if any, are shown).
    void FeedFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void RSSTreeChanging(TWebNode* node);
    void ResetView();
    void FetchFeed(const TWebNode& site);
    void FeedDone(quint64 siteId, bool ok, const QString& error);
    void ShowFeed(const TWebNode& site);
    void RSSListViewSelectItem();
    void SpeedButton2Click();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void SetButtons(const TWebNode* node);

    TWindows* Windows = nullptr;
    QWidget* MainWindow = nullptr;
    TTreeStore RSSXML;
    TFeedFetch* Fetcher = nullptr;
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
    quint64 ShownId = 0;  // the site on the right, found again by id
    QPointer<TProgressForm> Progress;

    TWebTreeView* RSSTree = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label7 = nullptr;
    QTreeWidget* RSSListView = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* PanelTitle = nullptr;
    TLazyTextPane* RichEdit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    std::unique_ptr<TWebTreeEditor> Editor;
};
