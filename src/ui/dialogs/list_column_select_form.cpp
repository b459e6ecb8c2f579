#include "ui/dialogs/list_column_select_form.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/platform/dialogs.h"
#include "ui/widgets/form_button.h"
#include "core/settings/fonts.h"


namespace {

constexpr int WidthRole = Qt::UserRole;  // the row's width, as the image index held it
constexpr int MaxWidth = 2000;           // wider than any screen shows

}  // namespace

TListColumnSelectForm::TListColumnSelectForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ListColumnSelectForm");
    setWindowTitle("詳細表示の設定[ﾚﾎﾟｰﾄ形式]");
    setFixedSize(358, 368);
    setFont(QFont(ProportionalGothic, 9));

    auto* label3 = new QLabel("表示する詳細を選択してください。", this);
    label3->setObjectName("Label3");
    label3->setGeometry(12, 10, 330, 16);
    auto* label2 = new QLabel("詳細:", this);
    label2->setObjectName("Label2");
    label2->setGeometry(12, 32, 100, 16);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName("ListView1");
    ListView1->setGeometry(12, 50, 230, 200);
    ListView1->setColumnCount(1);
    ListView1->setHeaderHidden(true);
    ListView1->header()->resizeSection(0, 225);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this,
            [this] { ListView1SelectionChanged(); });

    Button1 = AddButton(this, "Button1", "上へ(&U)", {252, 50, 94, 26});
    Button2 = AddButton(this, "Button2", "下へ(&D)", {252, 82, 94, 26});
    Button3 = AddButton(this, "Button3", "表示(&S)", {252, 114, 94, 26});
    Button4 = AddButton(this, "Button4", "非表示(&H)", {252, 146, 94, 26});
    Button5 = AddButton(this, "Button5", "初期設定", {252, 224, 94, 26});
    connect(Button1, &QPushButton::clicked, this, [this] {
        const int i = ListView1->indexOfTopLevelItem(SelectedRow());
        if (i > 0)
            MoveItem(i, i - 1);
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        const int i = ListView1->indexOfTopLevelItem(SelectedRow());
        if (i >= 0 && i < ListView1->topLevelItemCount() - 1)
            MoveItem(i, i + 2);
    });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });

    auto* label1 = new QLabel("選択した列の幅(ピクセルで):", this);
    label1->setObjectName("Label1");
    label1->setGeometry(12, 262, 180, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(192, 258, 50, 22);
    Edit1->setMaxLength(4);
    Edit1->installEventFilter(this);
    auto* label4 = new QLabel("※ここでの設定は表示形式がレポート形式の場合のみ有効です", this);
    label4->setObjectName("Label4");
    label4->setGeometry(12, 292, 340, 16);
    label4->setWordWrap(true);

    BitBtn1 = AddButton(this, "BitBtn1", "O K", {164, 328, 86, 28});
    BitBtn1->setDefault(true);
    BitBtn2 = AddButton(this, "BitBtn2", "キャンセル", {260, 328, 86, 28});
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TListColumnSelectForm::~TListColumnSelectForm() {
}

QList<TColumnRow> TListColumnSelectForm::DefaultRows() {
    return {{"料理名", 70, true},   {"種類", 50, true},     {"量", 40, true},
            {"画", 25, true},       {"登録日付", 75, true}, {"カロリー", 40, false},
            {"費用", 40, false},    {"調理時間", 40, false}, {"グループ", 40, false},
            {"塩分", 40, false},    {"おいしさ", 40, false}, {"タイトル", 40, false}};
}

QTreeWidgetItem* TListColumnSelectForm::MakeItem(const TColumnRow& row) const {
    auto* item = new QTreeWidgetItem;
    item->setText(0, row.Caption);
    item->setData(0, WidthRole, std::clamp(row.Width, 0, MaxWidth));
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    item->setCheckState(0, row.Use ? Qt::Checked : Qt::Unchecked);
    return item;
}

void TListColumnSelectForm::ClearRows() { ListView1->clear(); }

void TListColumnSelectForm::AddRow(const TColumnRow& row) {
    ListView1->addTopLevelItem(MakeItem(row));
}

QList<TColumnRow> TListColumnSelectForm::Rows() const {
    QList<TColumnRow> rows;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ListView1->topLevelItem(i);
        rows.append({item->text(0), item->data(0, WidthRole).toInt(),
                     item->checkState(0) == Qt::Checked});
    }
    return rows;
}

QTreeWidgetItem* TListColumnSelectForm::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TListColumnSelectForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TListColumnSelectForm::FormShow() {
    Edit1->clear();
    Edit1->setReadOnly(true);
    for (QPushButton* b : {Button1, Button2, Button3, Button4})
        b->setEnabled(false);
    // Qt paints the current row as highlighted; make it the selected row too,
    // so its buttons and width are there without a first click.
    QTreeWidgetItem* row = ListView1->currentItem();
    if (!row)
        row = ListView1->topLevelItem(0);
    if (row) {
        row->setSelected(true);
        ListView1->setCurrentItem(row);
        ListView1SelectionChanged();
    }
}

void TListColumnSelectForm::ListView1SelectionChanged() {
    QTreeWidgetItem* row = SelectedRow();
    for (QPushButton* b : {Button1, Button2, Button3, Button4})
        b->setEnabled(false);
    if (!row) {
        Edit1->clear();
        Edit1->setReadOnly(true);
        return;
    }
    const int i = ListView1->indexOfTopLevelItem(row);
    Button1->setEnabled(i > 0);
    Button2->setEnabled(i < ListView1->topLevelItemCount() - 1);
    const bool ticked = row->checkState(0) == Qt::Checked;
    Button4->setEnabled(ticked);
    Button3->setEnabled(!ticked);
    Edit1->setReadOnly(false);
    Edit1->setText(QString::number(row->data(0, WidthRole).toInt()));
}

bool TListColumnSelectForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1) {
        if (event->type() == QEvent::FocusOut) {
            Edit1Exit();
        } else if (event->type() == QEvent::KeyPress) {
            // Only digits and Backspace; Enter goes on to OK, which takes
            // the typed width first.
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Return ||
                key->key() == Qt::Key_Enter)
                return false;
            if (!text.isEmpty() && key->key() != Qt::Key_Backspace &&
                !(text.size() == 1 && text[0] >= u'0' && text[0] <= u'9'))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TListColumnSelectForm::Edit1Exit() {
    QTreeWidgetItem* row = SelectedRow();
    if (!row || Edit1->isReadOnly())
        return;
    bool ok = false;
    const int width = Edit1->text().toInt(&ok);
    if (!ok)
        return;
    const int kept = std::clamp(width, 0, MaxWidth);
    row->setData(0, WidthRole, kept);
    Edit1->setText(QString::number(kept));  // shows what was kept
}

void TListColumnSelectForm::MoveItem(int from, int to) {
    QTreeWidgetItem* old = ListView1->topLevelItem(from);
    if (!old || to < 0 || to > ListView1->topLevelItemCount())
        return;
    ListView1->setUpdatesEnabled(false);
    QTreeWidgetItem* copy = MakeItem({old->text(0), old->data(0, WidthRole).toInt(),
                                      old->checkState(0) == Qt::Checked});
    ListView1->insertTopLevelItem(to, copy);
    ListView1->setCurrentItem(copy);
    ListView1->scrollToItem(copy);
    delete ListView1->takeTopLevelItem(ListView1->indexOfTopLevelItem(old));
    ListView1->setUpdatesEnabled(true);
    ListView1SelectionChanged();  // the buttons follow the row's new place
}

void TListColumnSelectForm::Button3Click() {
    if (QTreeWidgetItem* row = SelectedRow()) {
        row->setCheckState(0, Qt::Checked);
        Button3->setEnabled(false);
        Button4->setEnabled(true);
    }
}

void TListColumnSelectForm::Button4Click() {
    if (QTreeWidgetItem* row = SelectedRow()) {
        row->setCheckState(0, Qt::Unchecked);
        Button4->setEnabled(false);
        Button3->setEnabled(true);
    }
}

void TListColumnSelectForm::BitBtn1Click() {
    Edit1Exit();
    for (const TColumnRow& row : Rows())
        if (row.Use) {
            accept();
            return;
        }
    ShowErrorBox(this, "表示する項目は一つ以上選択して下さい。");
}

void TListColumnSelectForm::Button5Click() {
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    for (const TColumnRow& row : DefaultRows())
        AddRow(row);
    ListView1->setUpdatesEnabled(true);
}
