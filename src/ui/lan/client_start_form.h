#pragma once

#include <QDialog>

#include "core/lan/server_list.h"

class QPushButton;
class QTreeWidget;
struct TWindows;

// "接続先選択画面": the list of servers kept in "ServerList.dat"; OK opens the
// client window on the chosen one. The list is read when the window is shown
// and written when it closes.
class TClientStartForm final : public QDialog {
    Q_OBJECT
public:
    // `appDir` ends with "/"; the entry dialog and the client window are
    // reached through `windows` when used.
    TClientStartForm(const QString& appDir, TWindows& windows, QWidget* parent = nullptr);

    const TServerEntries& Entries() const { return Servers; }

    void SpeedButton1Click();  // add
    void SpeedButton2Click();  // edit the selected entry
    void SpeedButton3Click();  // delete the selected entry
    void BitBtn1Click();       // open the client window on the selected entry

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void Refill(int selected);
    int Selected() const;
    void ListView1SelectItem();

    QString AppDir;
    TWindows& Windows;
    TServerEntries Servers;
    // Not written back when the file could not be read: the user's list stays.
    bool Loaded = false;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
