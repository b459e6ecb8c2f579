// Layout of the options window's seven pages.
#include "ui/options/option_form.h"

#include <algorithm>
#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "ui/widgets/form_label.h"
#include "ui/options/option_list_draw.h"

namespace {

// The pages have a fixed width; with a large system font a control moves
// right of its caption, lists widen to their longest item, and a line that
// still does not fit takes a smaller font rather than being cut.
constexpr int PageRight = 490;

void PlaceAfter(const QLabel* label, QWidget* field) {
    field->move(std::max(field->x(), label->x() + label->width() + 4), field->y());
}

int FieldColumn(int column, std::initializer_list<const QLabel*> labels) {
    for (const QLabel* label : labels)
        column = std::max(column, label->x() + label->width() + 8);
    return column;
}

// A self-drawn list as wide as its longest item needs, from `least` up to `most`.
void WidenToItems(QComboBox* combo, int least, int most) {
    QStyleOptionViewItem item;
    item.initFrom(combo);
    item.font = combo->font();
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, combo->itemDelegate()->sizeHint(item, combo->model()->index(i, 0)).width());
    QStyleOptionComboBox face;
    face.initFrom(combo);
    const QSize need = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &face, QSize(widest, combo->height()), combo);
    combo->resize(std::clamp(need.width(), least, std::max(least, most)), combo->height());
}

void ShrinkToFit(QWidget* widget) {
    QFont font = widget->font();
    while (widget->pos().x() + widget->sizeHint().width() > PageRight && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        widget->setFont(font);
    }
    widget->adjustSize();
}

QWidget* NewPage(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title, QRect geometry) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(geometry);
    return group;
}

// A self-drawn list whose items a TDelegate made from `args` draws.
template <class TDelegate, class... TArgs>
QComboBox* DrawnList(QWidget* parent, const char* name, TArgs&&... args) {
    auto* combo = new TDrawnComboBox(parent);
    combo->setObjectName(name);
    combo->setItemDelegate(new TDelegate(std::forward<TArgs>(args)..., combo));
    return combo;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->move(x, y);
    box->adjustSize();
    return box;
}

QSpinBox* Spin(QWidget* parent, const char* name, int min, int max, int x, int y,
               const QString& unit) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    spin->setGeometry(x, y, 56, 22);
    AddLabel(parent, unit, x + 60, y + 3);
    return spin;
}

QComboBox* AttributeList(QWidget* parent, const char* name, const QString& caption, int x, int y) {
    const QLabel* label = AddLabel(parent, caption, x - 18, y + 4);
    QComboBox* combo = DrawnList<TAttributeItemDelegate>(parent, name);
    combo->addItems({"", "グループ名", "種類", "量", "カロリー", "費用", "調理時間", "塩分"});
    combo->setGeometry(x, y, 110, 22);
    PlaceAfter(label, combo);
    WidenToItems(combo, 110, 130);  // three to a row
    return combo;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, QRect geometry) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(geometry);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

}  // namespace

void TOptionForm::FitPages() {
    for (int i = 0; i < PageControl1->count(); ++i) {
        QWidget* page = PageControl1->widget(i);
        for (QWidget* child : page->findChildren<QWidget*>())
            if ((qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child)) && child->parentWidget() == page)
                ShrinkToFit(child);
    }
}

void TOptionForm::CreatePages() {
    PageControl1->addTab(CreateView1Page(), "表示Ⅰ");
    PageControl1->addTab(CreateView2Page(), "表示Ⅱ");
    PageControl1->addTab(CreateAttributePage(), "属性");
    PageControl1->addTab(CreateEmphasisPage(), "文字強調");
    PageControl1->addTab(CreatePrintBasicPage(), "印刷設定[基本]");
    PageControl1->addTab(CreatePrintRecipePage(), "印刷設定[レシピ]");
    PageControl1->addTab(CreatePrintIndexPage(), "印刷設定[目次]");
}

QWidget* TOptionForm::CreateView1Page() {
    auto* page = NewPage("TabSheet1");
    const QLabel* caption = AddLabel(page, "タイトルの設定", 16, 12);
    EditTitle = new QLineEdit(page);
    EditTitle->setObjectName("EditTitle");
    EditTitle->setGeometry(110, 9, 200, 22);
    PlaceAfter(caption, EditTitle);
    QLabel* example = AddLabel(page, "(例：ABCのレシピ)", 318, 12);
    // The edit gives up width so the example stays whole.
    EditTitle->resize(std::clamp(PageRight - example->width() - 8 - EditTitle->x(), 120, 200), 22);
    example->move(EditTitle->geometry().right() + 9, 12);

    CheckBox1 = Check(page, "CheckBox1", "行のアイコンを大きくする", 16, 42);
    CheckBox8 = Check(page, "CheckBox8",
                      "最も左の項目をソートする時にアイコンでソートする[ﾚﾎﾟｰﾄ形式]", 16, 64);
    CheckBox3 = Check(page, "CheckBox3", "項目毎に区切り線を描画する[ﾚﾎﾟｰﾄ形式]", 16, 86);
    CheckBox2 = Check(page, "CheckBox2", "作り方欄の数値[0-9]に色を付ける", 16, 108);
    CheckBox5 = Check(page, "CheckBox5", "デジタル時計を使用する", 16, 130);
    CheckBox6 = Check(page, "CheckBox6", "レシピ欄に等幅フォントを使用する", 16, 152);
    CheckBox9 = Check(page, "CheckBox9", "リンク機能を使用する", 16, 174);
    CheckBox10 = Check(page, "CheckBox10", "マウスオン時のリンク先画像のサムネイル表示", 36, 196);
    connect(CheckBox9, &QCheckBox::toggled, this, [this] { CheckBox9Click(); });

    const QLabel* background = AddLabel(page, "背景設定", 16, 232);
    StyleComboBox = DrawnList<TBackgroundItemDelegate>(page, "StyleComboBox", AppDir + "background/");
    StyleComboBox->setMaxVisibleItems(10);
    StyleComboBox->setGeometry(80, 228, 220, 26);
    PlaceAfter(background, StyleComboBox);
    StyleComboBox->addItems(::BackgroundNames(AppDir));
    return page;
}

QWidget* TOptionForm::CreateView2Page() {
    auto* page = NewPage("TabSheet2");
    QGroupBox* group = Group(page, "GroupBox1", "手書きメモサイズ", {16, 12, 300, 80});
    const QStringList sizes = {"50",  "100", "200",  "300",  "400",  "500",  "600",  "700",
                               "800", "900", "1000", "1100", "1200", "1300", "1400", "1500"};
    AddLabel(group, "幅", 14, 24);
    cbDrawMemoWidth = new QComboBox(group);
    cbDrawMemoWidth->setObjectName("cbDrawMemoWidth");
    cbDrawMemoWidth->addItems(sizes);
    cbDrawMemoWidth->setGeometry(14, 42, 100, 22);
    AddLabel(group, "×", 124, 46);
    AddLabel(group, "高さ", 146, 24);
    cbDrawMemoHeight = new QComboBox(group);
    cbDrawMemoHeight->setObjectName("cbDrawMemoHeight");
    cbDrawMemoHeight->addItems(sizes);
    cbDrawMemoHeight->setGeometry(146, 42, 100, 22);
    AddLabel(page, "※メモサイズが大きいほど", 24, 104);
    AddLabel(page, "ファイルサイズが大きくなり", 24, 122);
    AddLabel(page, "大きいディスク容量が必要", 24, 140);
    AddLabel(page, "となります。", 24, 158);
    return page;
}

QWidget* TOptionForm::CreateAttributePage() {
    auto* page = NewPage("TabSheet3");
    AddLabel(page, "グループ名", 12, 8);
    Memo4 = Memo(page, "Memo4", {12, 26, 150, 236});
    AddLabel(page, "種類", 172, 8);
    Memo1 = Memo(page, "Memo1", {172, 26, 150, 236});
    AddLabel(page, "量", 332, 8);
    Memo2 = Memo(page, "Memo2", {332, 26, 150, 236});
    AddLabel(page, "※ここに入力された属性はレシピ編集などで選択肢として", 12, 270);
    AddLabel(page, "表示され選択することで入力を可能にします。", 12, 288);
    return page;
}

QWidget* TOptionForm::CreateEmphasisPage() {
    auto* page = NewPage("TabSheet4");
    CheckBox4 = Check(page, "CheckBox4", "任意の文字を強調する", 16, 12);
    connect(CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
    Label3 = AddLabel(page, "強調文字列：", 32, 42, "Label3");
    Memo3 = Memo(page, "Memo3", {32, 60, 220, 220});
    Label9 = AddLabel(page, "フォント色：", 272, 42, "Label9");
    Panel14 = new QFrame(page);
    Panel14->setObjectName("Panel14");
    Panel14->setGeometry(272, 60, 60, 24);
    Panel14->setFrameShape(QFrame::Box);
    Panel14->setAutoFillBackground(true);
    Panel14->setCursor(Qt::PointingHandCursor);
    Panel14->installEventFilter(this);
    return page;
}

QWidget* TOptionForm::CreatePrintBasicPage() {
    auto* page = NewPage("TabSheet5");
    const QLabel* labels[] = {AddLabel(page, "用紙サイズ", 16, 16), AddLabel(page, "印刷フォントサイズ", 16, 50),
                              AddLabel(page, "上余白", 16, 90), AddLabel(page, "左余白", 16, 120),
                              AddLabel(page, "右余白", 16, 150), AddLabel(page, "下余白", 16, 180)};
    const int column = FieldColumn(130, {labels[0], labels[1], labels[2], labels[3], labels[4], labels[5]});
    ComboBox3 = DrawnList<TPaperItemDelegate>(page, "ComboBox3");
    ComboBox3->addItems({"A4", "A5", "B5", "ハガキ"});
    ComboBox3->setGeometry(column, 12, 200, 22);
    WidenToItems(ComboBox3, 200, PageRight - ComboBox3->x());
    SpinEdit1 = Spin(page, "SpinEdit1", 6, 18, column, 46, "Pt");
    SpinEdit4 = Spin(page, "SpinEdit4", 5, 30, column, 86, "mm");
    SpinEdit2 = Spin(page, "SpinEdit2", 5, 30, column, 116, "mm");
    SpinEdit3 = Spin(page, "SpinEdit3", 5, 30, column, 146, "mm");
    SpinEdit5 = Spin(page, "SpinEdit5", 5, 30, column, 176, "mm");
    AddLabel(page, "※このタブの設定はレシピの印刷と目次の印刷の両者に適用されます。", 16, 280);
    return page;
}

QWidget* TOptionForm::CreatePrintRecipePage() {
    auto* page = NewPage("TabSheet6");
    QGroupBox* styles = Group(page, "GroupBox2", "印刷スタイル", {8, 4, 476, 104});
    auto* buttons = new QButtonGroup(this);
    QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(styles);
        radio->setObjectName(QString("RadioButton%1").arg(i + 1));
        radio->setGeometry(8 + i * 117, 52, 18, 18);
        buttons->addButton(radio, i + 1);
        *radios[i] = radio;
        auto* preview = new TPrintStylePreview(i + 1, styles);
        preview->move(26 + i * 117, 30);
        preview->setFixedSize(88, 62);
    }
    RadioButton1->setChecked(true);

    QGroupBox* header = Group(page, "GroupBox3", "印刷ヘッダー", {8, 112, 476, 64});
    ComboBox4 = AttributeList(header, "ComboBox4", "左", 28, 22);
    ComboBox1 = AttributeList(header, "ComboBox1", "中", 184, 22);
    ComboBox6 = AttributeList(header, "ComboBox6", "右", 340, 22);

    QGroupBox* footer = Group(page, "GroupBox4", "印刷フッター", {8, 180, 476, 64});
    ComboBox5 = AttributeList(footer, "ComboBox5", "左", 28, 22);
    ComboBox2 = AttributeList(footer, "ComboBox2", "中", 184, 22);
    ComboBox7 = AttributeList(footer, "ComboBox7", "右", 340, 22);

    CheckBox7 = Check(page, "CheckBox7", "コメントの印刷（作り方の後にコメントが印刷されます）", 12, 250);
    CheckBox11 = Check(page, "CheckBox11", "料理画像の印刷", 12, 268);
    AddLabel(page, "※このタブの設定はレシピを印刷した時に適用されます。", 12, 290);
    return page;
}

QWidget* TOptionForm::CreatePrintIndexPage() {
    auto* page = NewPage("TabSheet7");
    AddLabel(page, "目次のスタイル", 16, 16);
    ComboBox8 = DrawnList<TAttributeItemDelegate>(page, "ComboBox8");
    ComboBox8->addItems({"レシピ名の1文字目毎に目次を作成[例：-ア-]",
                         "種類毎に目次を作成[例：-パスタ-]", "量毎に目次を作成[例：-2人前-]",
                         "グループ毎に目次を作成[例：-朝食-]"});
    ComboBox8->setGeometry(16, 36, 320, 22);
    WidenToItems(ComboBox8, 320, PageRight - ComboBox8->x());
    AddLabel(page, "※このタブの設定は目次を印刷した時に適用されます。", 16, 280);
    return page;
}
