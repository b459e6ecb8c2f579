#include "ui/lan/client_start_form.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeWidget>

#include "core/platform/saporia_error.h"
#include "core/settings/fonts.h"
#include "ui/app/windows.h"
#include "ui/lan/client_form.h"
#include "ui/lan/ip_edit_form.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/form_button.h"

TClientStartForm::TClientStartForm(const QString& appDir, TWindows& windows, QWidget* parent)
    : QDialog(parent), AppDir(appDir), Windows(windows) {
    setObjectName("ClientStartForm");
    setWindowTitle("接続先選択画面");
    setFixedSize(440, 330);
    setFont(QFont(ProportionalGothic, 9));

    auto* label1 = new QLabel("接続先を選択して、[OK]ボタンを押してください", this);
    label1->setObjectName("Label1");
    label1->setGeometry(12, 10, 416, 18);
    QFont bold = font();
    bold.setBold(true);
    label1->setFont(bold);
    auto* label2 = new QLabel("※接続先がない場合は[新規接続先の追加...]ボタンを\n押して接続先を追加してください", this);
    label2->setObjectName("Label2");
    label2->setGeometry(12, 32, 416, 34);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName("ListView1");
    ListView1->setGeometry(12, 72, 290, 210);
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({"接続先名称", "IPアドレス"});
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    // A dotted address may need more than the 70 pixels it starts with.
    ListView1->header()->setSectionResizeMode(1, QHeaderView::Interactive);
    ListView1->header()->resizeSection(1, 70);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TClientStartForm::ListView1SelectItem);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { BitBtn1Click(); });

    SpeedButton1 = AddButton(this, "SpeedButton1", "新規接続先の追加...", {310, 72, 118, 28});
    SpeedButton2 = AddButton(this, "SpeedButton2", "接続先の編集...", {310, 106, 118, 28});
    SpeedButton3 = AddButton(this, "SpeedButton3", "接続先の削除...", {310, 140, 118, 28});
    BitBtn1 = AddButton(this, "BitBtn1", "O K", {262, 292, 80, 28});
    BitBtn1->setDefault(true);
    BitBtn2 = AddButton(this, "BitBtn2", "Cancel", {348, 292, 80, 28});
    connect(SpeedButton1, &QPushButton::clicked, this, &TClientStartForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TClientStartForm::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TClientStartForm::SpeedButton3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TClientStartForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);
}

void TClientStartForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;  // a restore from minimised keeps the list as it is
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TClientStartForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TClientStartForm::FormShow() {
    Servers.clear();
    Loaded = false;
    try {
        Servers = ReadServerList(ServerListPath(AppDir));
        Loaded = true;
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, error.message());
    }
    Refill(-1);
}

void TClientStartForm::FormClose() {
    if (!Loaded)
        return;
    try {
        WriteServerList(ServerListPath(AppDir), Servers);
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, error.message());
    }
}

void TClientStartForm::Refill(int selected) {
    ListView1->clear();
    for (const TServerEntry& entry : Servers)
        ListView1->addTopLevelItem(new QTreeWidgetItem(QStringList{entry.Name, entry.Address}));
    if (selected >= 0 && selected < ListView1->topLevelItemCount())
        ListView1->setCurrentItem(ListView1->topLevelItem(selected));
    ListView1SelectItem();
}

int TClientStartForm::Selected() const {
    const QList<QTreeWidgetItem*> items = ListView1->selectedItems();
    return items.isEmpty() ? -1 : ListView1->indexOfTopLevelItem(items.first());
}

void TClientStartForm::ListView1SelectItem() {
    const bool selected = Selected() >= 0;
    SpeedButton2->setEnabled(selected);
    SpeedButton3->setEnabled(selected);
    BitBtn1->setEnabled(selected);
}

void TClientStartForm::SpeedButton1Click() {
    if (!Windows.IPEditForm)
        return;
    if (const auto entry = Windows.IPEditForm->Execute("新規接続先登録画面", TServerEntry{})) {
        Servers.append(*entry);
        Refill(Selected());
    }
}

void TClientStartForm::SpeedButton2Click() {
    const int row = Selected();
    if (row < 0 || !Windows.IPEditForm)
        return;
    if (const auto entry = Windows.IPEditForm->Execute("接続先編集画面", Servers[row])) {
        Servers[row] = *entry;
        Refill(row);
    }
}

void TClientStartForm::SpeedButton3Click() {
    const int row = Selected();
    if (row < 0)
        return;
    if (ShowMessageBox(this, "選択された接続先を削除してもよろしいですか？", TMsgType::Confirmation,
                       TMsgButtons::YesNo) != TMsgResult::Yes)
        return;
    Servers.removeAt(row);
    Refill(-1);
}

void TClientStartForm::BitBtn1Click() {
    const int row = Selected();
    if (row < 0 || !Windows.ClientForm)
        return;
    TClientForm* client = Windows.ClientForm;
    client->SetServer(Servers[row].Name, Servers[row].Address);
    client->show();
    client->raise();
    client->BitBtn1Click();
    close();
}
