#pragma once

#include <optional>

#include <QDialog>

#include "core/lan/server_list.h"

class QLineEdit;
class QPushButton;

// The entry dialog of the server list: a connection name and an address.
class TIPEditForm final : public QDialog {
    Q_OBJECT
public:
    explicit TIPEditForm(QWidget* parent = nullptr);

    // Shows the dialog modally with `caption` and the entry's fields; the
    // entry as typed on OK, nothing on Cancel.
    std::optional<TServerEntry> Execute(const QString& caption, const TServerEntry& entry);

    // "O K": checks the fields and closes with OK when they may be kept.
    void Button1Click();

private:
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
