#include "ui/lan/client_form.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include "core/lan/lan_client.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/settings/fonts.h"
#include "ui/platform/dialogs.h"
#include "ui/widgets/form_button.h"
#include "ui/widgets/form_label.h"

// The photo, shrunk to fit with its proportions kept (never enlarged), centred.
class TFitPicture final : public QWidget {
public:
    explicit TFitPicture(QWidget* parent) : QWidget(parent) {}
    void SetPicture(const QImage& picture) {
        Picture = picture;
        update();
    }
    const QImage& Shown() const { return Picture; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (Picture.isNull())
            return;
        QSize size = Picture.size();
        if (size.width() > width() || size.height() > height())
            size.scale(this->size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, Picture);
    }

private:
    QImage Picture;
};

namespace {

const QColor InfoGround(0xFF, 0xFF, 0xE1);

QLineEdit* InfoEdit(QWidget* parent, const char* name, QRect geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, InfoGround);
    edit->setPalette(palette);
    return edit;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, QRect geometry) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(geometry);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, InfoGround);
    memo->setPalette(palette);
    return memo;
}

// A reply text as lines of the memo.
QString MemoText(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

TClientForm::TClientForm(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("ClientForm");
    setWindowTitle("通信画面");
    setFixedSize(680, 500);
    setFont(QFont(ProportionalGothic, 9));

    ClientSocket1 = new TLanClient(this);
    ClientSocket1->setObjectName("ClientSocket1");
    connect(ClientSocket1, &TLanClient::Connected, this, &TClientForm::ClientSocket1Connect);
    connect(ClientSocket1, &TLanClient::Disconnected, this, &TClientForm::ClientSocket1Disconnect);
    connect(ClientSocket1, &TLanClient::ReplyReceived, this, &TClientForm::ShowReply);
    connect(ClientSocket1, &TLanClient::Failed, this, &TClientForm::ShowFailure);

    AddLabel(this, "接続先", 10, 8, "Label1");
    Edit2 = InfoEdit(this, "Edit2", {10, 26, 200, 22});
    Edit1 = InfoEdit(this, "Edit1", {216, 26, 160, 22});

    AddLabel(this, "リスト", 10, 56, "Label2");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(10, 74, 200, 352);
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    BitBtn1 = AddButton(this, "BitBtn1", "リスト更新", {10, 432, 200, 30});
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    auto* panel1 = new QFrame(this);
    panel1->setObjectName("Panel1");
    panel1->setGeometry(218, 56, 452, 406);
    panel1->setFrameShape(QFrame::StyledPanel);
    PanelRecipeName = new QLabel(panel1);
    PanelRecipeName->setObjectName("PanelRecipeName");
    PanelRecipeName->setGeometry(2, 2, 448, 26);
    PanelRecipeName->setAlignment(Qt::AlignCenter);
    PanelRecipeName->setTextFormat(Qt::PlainText);
    PanelRecipeName->setFrameShape(QFrame::Panel);
    QFont nameFont = font();
    nameFont.setPointSize(11);
    nameFont.setBold(true);
    PanelRecipeName->setFont(nameFont);

    AddLabel(panel1, "材料", 6, 34, "Label3");
    Memo1 = Memo(panel1, "Memo1", {6, 52, 216, 160});
    AddLabel(panel1, "作り方", 230, 34, "Label4");
    Memo2 = Memo(panel1, "Memo2", {230, 52, 216, 160});
    AddLabel(panel1, "画像", 6, 218, "Label5");
    auto* panel2 = new QFrame(panel1);
    panel2->setObjectName("Panel2");
    panel2->setGeometry(6, 236, 216, 164);
    panel2->setFrameShape(QFrame::Panel);
    panel2->setFrameShadow(QFrame::Sunken);
    Image1 = new TFitPicture(panel2);
    Image1->setObjectName("Image1");
    Image1->setGeometry(panel2->contentsRect());
    AddLabel(panel1, "コメント", 230, 218, "Label6");
    Memo3 = Memo(panel1, "Memo3", {230, 236, 216, 164});

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 476, 680, 24);
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName("StatusPanel0");
    StatusPanel0->setFixedWidth(100);
    StatusBar1->addWidget(StatusPanel0);
    auto* statusPanel1 = new QLabel(StatusBar1);
    statusPanel1->setObjectName("StatusPanel1");
    statusPanel1->setFixedWidth(50);
    StatusBar1->addWidget(statusPanel1);
}

TClientForm::~TClientForm() {
    if (CursorShown)
        QGuiApplication::restoreOverrideCursor();
}

void TClientForm::SetServer(const QString& name, const QString& address) {
    Edit2->setText(name);
    Edit1->setText(address);
}

QImage TClientForm::ShownPhoto() const { return Image1->Shown(); }

void TClientForm::BitBtn1Click() {
    if (ClientSocket1->Busy())
        return;
    Send(ListRequest);
}

void TClientForm::ListBox1Click() {
    if (ClientSocket1->Busy())
        return;
    const QListWidgetItem* item = ListBox1->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    // The names came from CP932 bytes, so they go back as the same bytes.
    const std::optional<QByteArray> bytes = TryToSjis(name);
    if (!bytes)
        return;
    PanelRecipeName->setText(name);
    Send(ItemRequest + *bytes);
}

void TClientForm::Send(const QByteArray& request) {
    ClientSocket1->Request(Edit1->text(), ServerPort, request);
}

void TClientForm::ClientSocket1Connect() {
    StatusPanel0->setText("通信中...");
    if (!CursorShown) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        CursorShown = true;
    }
}

void TClientForm::ClientSocket1Disconnect() {
    StatusPanel0->clear();
    if (CursorShown) {
        QGuiApplication::restoreOverrideCursor();
        CursorShown = false;
    }
}

void TClientForm::ShowReply(const TLanReply& reply) {
    ClientSocket1Disconnect();
    switch (reply.Kind) {
    case TLanReplyKind::List:
        ListBox1->clear();
        ListBox1->addItems(reply.Fields);
        break;
    case TLanReplyKind::Item:
        try {
            const TLanRecipe recipe = DecodeLanRecipe(reply);
            Memo1->setPlainText(MemoText(recipe.Foodstuff));
            Memo2->setPlainText(MemoText(recipe.How));
            Image1->SetPicture(recipe.Photo);
            Memo3->setPlainText(MemoText(recipe.Comment));
        } catch (const std::exception&) {  // a broken reply, or a picture too large to hold
            ShowMessageBox(this, "Error ClientSocketRead", TMsgType::Error, TMsgButtons::Abort);
        }
        break;
    case TLanReplyKind::Error:
        ShowMessageBox(this, "Error SeverReply", TMsgType::Error, TMsgButtons::Abort);
        break;
    case TLanReplyKind::Other:
        break;
    }
}

void TClientForm::ShowFailure(TLanFailure failure) {
    ClientSocket1Disconnect();
    if (failure == TLanFailure::ConnectFailed)
        ShowMessageBox(this, "接続先が見つかりません", TMsgType::Error, TMsgButtons::Ok);
    else
        ShowMessageBox(this, "Error ClientSocketRead", TMsgType::Error, TMsgButtons::Abort);
}
