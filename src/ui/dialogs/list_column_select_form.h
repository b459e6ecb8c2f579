#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// One row of the column chooser: a report-view column.
struct TColumnRow {
    QString Caption;
    int Width = 50;
    bool Use = true;

    bool operator==(const TColumnRow&) const = default;
};

// "詳細表示の設定[ﾚﾎﾟｰﾄ形式]": order, visibility and width of the list columns.
// The caller fills the rows, runs the dialog and on OK reads them back; the
// dialog touches nothing outside its own list.
class TListColumnSelectForm final : public QDialog {
    Q_OBJECT
public:
    explicit TListColumnSelectForm(QWidget* parent = nullptr);
    ~TListColumnSelectForm() override;

    void ClearRows();
    void AddRow(const TColumnRow& row);
    QList<TColumnRow> Rows() const;
    static QList<TColumnRow> DefaultRows();

    void MoveItem(int from, int to);

    QTreeWidget* ListView1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ListView1SelectionChanged();
    void Edit1Exit();
    void Button3Click();
    void Button4Click();
    void BitBtn1Click();
    void Button5Click();
    QTreeWidgetItem* SelectedRow() const;
    QTreeWidgetItem* MakeItem(const TColumnRow& row) const;
};
