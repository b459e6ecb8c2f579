#include "ui/web/rss_form.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QTreeWidget>

#include "core/web/feed_fetch.h"
#include "core/web/web_buttons.h"
#include "ui/dialogs/progress_form.h"
#include "ui/platform/help.h"
#include "ui/platform/shell.h"
#include "ui/web/web_form_look.h"
#include "ui/widgets/lazy_text_pane.h"
#include "ui/widgets/tiled_paint_box.h"
#include "ui/widgets/window_place.h"
#include "ui/web/web_tree_editor.h"
#include "ui/web/web_tree_view.h"

namespace {

QLabel* NewLabel(QWidget* parent, const QString& text, const char* name = nullptr) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(100);
    return button;
}

QLineEdit* NewReadOnlyEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

TRSSForm::TRSSForm(const QString& appDir, TWindows* windows, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), OpenAddress(OpenUrl), Windows(windows), MainWindow(mainWindow),
      RSSXML(appDir + StoreFileName(TStoreKind::Rss), TStoreKind::Rss) {
    setObjectName(QStringLiteral("RSSForm"));
    setWindowTitle(QStringLiteral("RSSリーダー"));
    setMinimumSize(740, 531);
    BuildLayout();
    LoadWebStore(RSSXML, mainWindow);
    Fetcher = new TFeedFetch(RSSXML.Top(), this);
    Fetcher->SetClock([this] { return Clock(); });
    connect(Fetcher, &TFeedFetch::Finished, this, &TRSSForm::FeedDone);
    ResetView();
    SetButtons(nullptr);
}

TRSSForm::~TRSSForm() {
    // A fetch still running is dropped: it changes nothing.
    Fetcher->AbortAll();
    if (Progress)
        Progress->CloseBusy();
    SaveWebStore(RSSXML);
}

void TRSSForm::BuildLayout() {
    auto* left = new QVBoxLayout;
    left->addWidget(NewLabel(this, QStringLiteral("RSSサイト"), "Label1"));
    RSSTree = new TWebTreeView(this);
    RSSTree->setObjectName(QStringLiteral("RSSTree"));
    RSSTree->SetTopAlwaysOpen(true);
    RSSTree->setStyleSheet(QStringLiteral("QTreeWidget { background: #ffffe1; }"));
    RSSTree->setMinimumWidth(220);
    left->addWidget(RSSTree, 1);
    auto* treeButtons = new QGridLayout;
    BitBtn1 = NewButton(this, "BitBtn1", QStringLiteral("ﾌｫﾙﾀﾞ追加..."));
    BitBtn3 = NewButton(this, "BitBtn3", QStringLiteral("RSSｻｲﾄ追加..."));
    BitBtn2 = NewButton(this, "BitBtn2", QStringLiteral("編集..."));
    BitBtn4 = NewButton(this, "BitBtn4", QStringLiteral("削除..."));
    treeButtons->addWidget(BitBtn1, 0, 0);
    treeButtons->addWidget(BitBtn3, 0, 1);
    treeButtons->addWidget(BitBtn2, 1, 0);
    treeButtons->addWidget(BitBtn4, 1, 1);
    left->addLayout(treeButtons);
    Editor = std::make_unique<TWebTreeEditor>(this, RSSTree, Windows,
                                              TWebTreeEditing{QStringLiteral("RSSサイト追加画面"),
                                                              QStringLiteral("RSSｻｲﾄ編集画面"),
                                                              TWebNodeKind::Site, RssButtons});

    auto* site = new QGridLayout;
    site->addWidget(NewLabel(this, QStringLiteral("サイトタイトル"), "Label2"), 0, 0);
    Edit1 = NewReadOnlyEdit(this, "Edit1");
    site->addWidget(Edit1, 0, 1, 1, 4);
    Edit2 = NewReadOnlyEdit(this, "Edit2");
    site->addWidget(Edit2, 1, 1, 1, 4);
    site->addWidget(NewLabel(this, QStringLiteral("最終更新日"), "Label5"), 2, 0);
    Label7 = NewLabel(this, QString(), "Label7");
    site->addWidget(Label7, 2, 1);
    site->addWidget(NewLabel(this, QStringLiteral("サイト内容"), "Label3"), 2, 2);
    Label4 = NewLabel(this, QString(), "Label4");
    site->addWidget(Label4, 2, 3);
    BitBtn5 = NewButton(this, "BitBtn5", QStringLiteral("更新"));
    site->addWidget(BitBtn5, 2, 4, Qt::AlignRight);
    site->setColumnStretch(1, 1);
    site->setColumnStretch(3, 1);

    RSSListView = new QTreeWidget(this);
    RSSListView->setObjectName(QStringLiteral("RSSListView"));
    RSSListView->setRootIsDecorated(false);
    RSSListView->setAllColumnsShowFocus(true);
    RSSListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    RSSListView->setSelectionMode(QAbstractItemView::SingleSelection);
    RSSListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RSSListView->setHeaderLabels({QStringLiteral("更新日付"), QStringLiteral("タイトル"), QStringLiteral("詳細"),
                                  QStringLiteral("URL")});
    RSSListView->header()->setSectionsClickable(false);
    RSSListView->header()->setStretchLastSection(false);
    RSSListView->setColumnWidth(0, 100);
    RSSListView->setColumnWidth(1, 247);
    RSSListView->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    RSSListView->setColumnHidden(3, true);

    auto* hintRow = new QHBoxLayout;
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setAutoRaise(true);
    SpeedButton2->setToolTip(QStringLiteral("Webアクセス"));
    SpeedButton2->setText(QStringLiteral("Web"));
    Label6 = NewLabel(this, QStringLiteral("※行をダブルクリックすることでサイトへ移動します"), "Label6");
    hintRow->addWidget(SpeedButton2);
    hintRow->addWidget(Label6, 1);

    PanelTitle = NewLabel(this, QString(), "PanelTitle");
    PanelTitle->setAutoFillBackground(true);
    QPalette palette = PanelTitle->palette();
    palette.setColor(QPalette::Window, QColor(185, 208, 232));
    PanelTitle->setPalette(palette);
    QFont bold = PanelTitle->font();
    bold.setBold(true);
    PanelTitle->setFont(bold);
    PanelTitle->setFrameShape(QFrame::Panel);
    PanelTitle->setMargin(3);
    RichEdit1 = new TLazyTextPane(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #ffffe1; }"));

    auto* right = new QVBoxLayout;
    right->addLayout(site);
    right->addWidget(RSSListView, 3);
    right->addLayout(hintRow);
    right->addWidget(PanelTitle);
    right->addWidget(RichEdit1, 2);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 0);
    top->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    BitBtn7 = NewButton(this, "BitBtn7", QStringLiteral("RSSとは?"));
    BitBtn6 = NewButton(this, "BitBtn6", QStringLiteral("閉じる"));
    BitBtn6->setDefault(true);
    bottom->addWidget(BitBtn7);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn6);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top, 1);
    whole->addLayout(bottom);

    connect(RSSTree, &TWebTreeView::NodeSelected, this, &TRSSForm::RSSTreeChanging);
    connect(RSSListView, &QTreeWidget::itemSelectionChanged, this, &TRSSForm::RSSListViewSelectItem);
    connect(RSSListView, &QTreeWidget::itemDoubleClicked, this, &TRSSForm::SpeedButton2Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TRSSForm::SpeedButton2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TRSSForm::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TRSSForm::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TRSSForm::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TRSSForm::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TRSSForm::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QWidget::close);
    connect(BitBtn7, &QPushButton::clicked, this, [] { ShowHelp(QStringLiteral("rss")); });
}

void TRSSForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A restore from minimised is spontaneous and keeps the tree as it is.
    if (event->spontaneous())
        return;
    CentreOnMain(this);
    RSSTree->Rebuild(&RSSXML.Top());
}

void TRSSForm::paintEvent(QPaintEvent*) { PaintSharedBackground(this); }

// A plain window has no default button of its own: Enter that no control
// took opens a selected news row as a double click does, else presses the
// focused button, else "閉じる"; Esc closes as in a dialog.
void TRSSForm::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (focusWidget() == RSSListView && !RSSListView->selectedItems().isEmpty()) {
            SpeedButton2Click();
            return;
        }
        auto* button = qobject_cast<QAbstractButton*>(focusWidget());
        if (!button)
            button = BitBtn6;
        if (button->isEnabled())
            button->click();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TRSSForm::SetButtons(const TWebNode* node) {
    const TWebButtons buttons = RssButtons(node);
    BitBtn1->setEnabled(buttons.AddFolder);
    BitBtn3->setEnabled(buttons.AddEntry);
    BitBtn2->setEnabled(buttons.Edit);
    BitBtn4->setEnabled(buttons.Delete);
    BitBtn5->setEnabled(buttons.Update);
}

void TRSSForm::BitBtn1Click() { Editor->AddFolder(); }

// Never fetched: the first selection fetches it.
void TRSSForm::BitBtn3Click() { Editor->AddEntry(); }

void TRSSForm::BitBtn2Click() {
    // The news and the last update stay until the next fetch.
    if (TWebNode* node = Editor->Edit([this](TWebNode& site) { ShowFeed(site); }))
        SetButtons(node);
}

void TRSSForm::BitBtn4Click() { Editor->Delete(); }
