#include "ui/lan/server_form.h"

#include <QHostInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include "core/lan/access_log.h"
#include "core/lan/lan_server.h"
#include "core/platform/saporia_error.h"
#include "core/settings/colors.h"
#include "core/settings/fonts.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/form_button.h"
#include "ui/widgets/form_label.h"

namespace {

constexpr TColorValue StatusGround = 0xC8FFFF;  // pale yellow
constexpr TColorValue RunningText = 0xFF0000;   // blue
constexpr TColorValue StoppedText = 0x0000FF;   // red

QLabel* StatusPanel(QStatusBar* bar, const char* name, int width) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(name);
    panel->setFixedWidth(width);
    bar->addWidget(panel);
    return panel;
}

}  // namespace

TServerForm::TServerForm(const TRecipeBook& book, QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("ServerForm");
    setWindowTitle("サーバー詳細画面");
    setFixedSize(500, 400);
    setFont(QFont(ProportionalGothic, 9));

    ServerSocket1 = new TLanServer(book, this);
    ServerSocket1->setObjectName("ServerSocket1");
    Log = new TAccessLog(this);
    connect(ServerSocket1, &TLanServer::ClientConnected, Log, [this](const QString& a) { Log->Add(true, a); });
    connect(ServerSocket1, &TLanServer::ClientDisconnected, Log, [this](const QString& a) { Log->Add(false, a); });

    AddLabel(this, "サーバーステータス", 10, 10, "Label1");
    PanelStatus = new QLabel(this);
    PanelStatus->setObjectName("PanelStatus");
    PanelStatus->setGeometry(10, 28, 200, 32);
    PanelStatus->setAlignment(Qt::AlignCenter);
    PanelStatus->setFrameShape(QFrame::Panel);
    PanelStatus->setFrameShadow(QFrame::Sunken);
    PanelStatus->setAutoFillBackground(true);
    QFont statusFont = font();
    statusFont.setPointSize(12);
    statusFont.setBold(true);
    PanelStatus->setFont(statusFont);

    SpeedButton1 = AddButton(this, "SpeedButton1", "起動", {222, 28, 80, 32});
    SpeedButton2 = AddButton(this, "SpeedButton2", "終了", {308, 28, 80, 32});
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { StartServer(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { StopServer(); });

    AddLabel(this, "アクセスログ", 10, 72, "Label2");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(10, 90, 480, 236);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFont(FixedPitchGothic, 9));
    // Only the last lines are kept, so a flood of peers cannot fill the memory.
    Memo1->setMaximumBlockCount(MaxLogLines);
    connect(Log, &TAccessLog::LineReady, Memo1, &QPlainTextEdit::appendPlainText);

    BitBtn1 = AddButton(this, "BitBtn1", "閉じる", {410, 334, 80, 28});
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 376, 500, 24);
    StatusPanel0 = StatusPanel(StatusBar1, "StatusPanel0", 100);
    StatusPanel(StatusBar1, "StatusPanel1", 100);
    StatusPanel(StatusBar1, "StatusPanel2", 50);

    ShowState(false);
}

bool TServerForm::Serving() const { return ServerSocket1->IsListening(); }

bool TServerForm::StartServer() {
    if (Serving())
        return true;
    try {
        ServerSocket1->Start();
    } catch (const TSaporiaError& error) {
        ShowErrorBox(this, error.message());
        return false;
    }
    ShowState(true);
    emit ServingChanged(true);
    return true;
}

void TServerForm::StopServer() {
    if (!Serving())
        return;
    ServerSocket1->Stop();
    ShowState(false);
    emit ServingChanged(false);
}

void TServerForm::ShowState(bool serving) {
    SpeedButton1->setEnabled(!serving);
    SpeedButton2->setEnabled(serving);
    PanelStatus->setText(serving ? "動作中" : "停止中");
    QPalette palette = PanelStatus->palette();
    palette.setColor(QPalette::Window, ColorFromBgr(StatusGround));
    palette.setColor(QPalette::WindowText, ColorFromBgr(serving ? RunningText : StoppedText));
    PanelStatus->setPalette(palette);
    StatusPanel0->setText(serving ? QHostInfo::localHostName() : QString());
}
