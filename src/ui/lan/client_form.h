#pragma once

#include <QDialog>
#include <QImage>

#include "core/lan/lan_protocol.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class TLanClient;
enum class TLanFailure : std::uint8_t;

// "通信画面": the recipe names of another copy's server and, for a clicked
// name, that recipe's texts and photo. Nothing received is stored.
class TClientForm final : public QDialog {
    Q_OBJECT
public:
    explicit TClientForm(QWidget* mainWindow = nullptr);
    ~TClientForm() override;

    // The connection name and address the requests go to.
    void SetServer(const QString& name, const QString& address);
    quint16 ServerPort = LanPort;

    // "リスト更新": asks for the recipe list.
    void BitBtn1Click();
    // A click on a name: asks for that recipe.
    void ListBox1Click();

    TLanClient& Client() const { return *ClientSocket1; }
    QImage ShownPhoto() const;

private:
    void Send(const QByteArray& request);
    void ClientSocket1Connect();
    void ClientSocket1Disconnect();
    void ShowReply(const TLanReply& reply);
    void ShowFailure(TLanFailure failure);

    TLanClient* ClientSocket1 = nullptr;
    bool CursorShown = false;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* PanelRecipeName = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    class TFitPicture* Image1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
};
