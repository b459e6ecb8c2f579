#include "ui/exchange/import_from_cook_pad_form.h"

#include <QApplication>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/exchange/web_recipe.h"
#include "core/exchange/web_recipe_loader.h"
#include "core/platform/saporia_error.h"
#include "core/platform/sjis.h"
#include "core/recipes/recipe_attributes.h"
#include "ui/platform/dialogs.h"

namespace {

QLabel* StepLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QStringList Lines(const QPlainTextEdit* memo) { return SplitLines(memo->toPlainText()); }

}  // namespace

TImportFromCookPadForm::TImportFromCookPadForm(QString dataRoot, QWidget* parent)
    : QDialog(parent), DataRoot(std::move(dataRoot)), PageLoader(new TWebRecipeLoader(this)) {
    setObjectName(QStringLiteral("ImportFromCookPadForm"));
    setWindowTitle(QStringLiteral("サイトからレシピの取り込み"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StepLabel(QStringLiteral("Label1"),
                                QStringLiteral("1.URLをコピーして[取得]ボタンを押してください。"), this));
    auto* urlRow = new QHBoxLayout;
    edtURL = new QLineEdit(this);
    edtURL->setObjectName(QStringLiteral("edtURL"));
    btnGetWebData = Button(QStringLiteral("btnGetWebData"), QStringLiteral("取 得"), this);
    urlRow->addWidget(edtURL, 1);
    urlRow->addWidget(btnGetWebData);
    layout->addLayout(urlRow);
    auto* example = new QLabel(QStringLiteral("[ https://cookpad.com/recipe/123456 ]"), this);
    example->setObjectName(QStringLiteral("Label8"));
    example->setTextFormat(Qt::PlainText);
    layout->addWidget(example);
    layout->addWidget(StepLabel(QStringLiteral("Label6"),
                                QStringLiteral("2.内容に変更があれば変更後に[登録]ボタンを押して下さい。"), this));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    auto* info = new QWidget;
    info->setObjectName(QStringLiteral("TabSheet1"));
    auto* grid = new QGridLayout(info);
    edtTitle = new QLineEdit(info);
    edtTitle->setObjectName(QStringLiteral("edtTitle"));
    edtAmount = new QLineEdit(info);
    edtAmount->setObjectName(QStringLiteral("edtAmount"));
    memMaterial = new QPlainTextEdit(info);
    memMaterial->setObjectName(QStringLiteral("memMaterial"));
    memHow = new QPlainTextEdit(info);
    memHow->setObjectName(QStringLiteral("memHow"));
    ScrollBox1 = new QScrollArea(info);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(Image1);
    grid->addWidget(new QLabel(QStringLiteral("タイトル"), info), 0, 0);
    grid->addWidget(edtTitle, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("量"), info), 1, 0);
    grid->addWidget(edtAmount, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("材料"), info), 2, 0, Qt::AlignTop);
    grid->addWidget(memMaterial, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("作り方"), info), 3, 0, Qt::AlignTop);
    grid->addWidget(memHow, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("画像"), info), 0, 2);
    grid->addWidget(ScrollBox1, 1, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(2, 220);
    PageControl1->addTab(info, QStringLiteral("情報"));

    auto* debug = new QWidget;
    debug->setObjectName(QStringLiteral("TabSheet2"));
    auto* debugLayout = new QVBoxLayout(debug);
    Memo1 = new QPlainTextEdit(debug);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button1 = Button(QStringLiteral("Button1"), QStringLiteral("Button1"), debug);
    debugLayout->addWidget(Memo1, 1);
    debugLayout->addWidget(Button1, 0, Qt::AlignLeft);
    PageControl1->addTab(debug, QStringLiteral("デバッグ"));
    layout->addWidget(PageControl1, 1);

    auto* buttons = new QHBoxLayout;
    auto* nextColumn = new QVBoxLayout;
    bbtnOKNext = Button(QStringLiteral("bbtnOKNext"), QStringLiteral("連続登録"), this);
    auto* note = new QLabel(QStringLiteral("※次も続けて入力したい場合に使用します"), this);
    note->setObjectName(QStringLiteral("Label9"));
    note->setStyleSheet(QStringLiteral("color: red"));
    nextColumn->addWidget(bbtnOKNext);
    nextColumn->addWidget(note);
    buttons->addLayout(nextColumn);
    buttons->addStretch(1);
    bbtnOk = Button(QStringLiteral("bbtnOk"), QStringLiteral("登 録"), this);
    bbtnCancel = Button(QStringLiteral("bbtnCancel"), QStringLiteral("キャンセル"), this);
    buttons->addWidget(bbtnOk, 0, Qt::AlignTop);
    buttons->addWidget(bbtnCancel, 0, Qt::AlignTop);
    layout->addLayout(buttons);
    setFixedSize(640, 560);

    connect(btnGetWebData, &QPushButton::clicked, this, &TImportFromCookPadForm::btnGetWebDataClick);
    connect(Button1, &QPushButton::clicked, this, &TImportFromCookPadForm::Button1Click);
    connect(bbtnOk, &QPushButton::clicked, this, [this] { Register(WebImportRegister); });
    connect(bbtnOKNext, &QPushButton::clicked, this, [this] { Register(WebImportRegisterNext); });
    connect(bbtnCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(PageLoader, &TWebRecipeLoader::Finished, this, &TImportFromCookPadForm::LoadFinished);
}

TImportFromCookPadForm::~TImportFromCookPadForm() {
    PageLoader->disconnect(this);
    PageLoader->Abort();
}

void TImportFromCookPadForm::ResetForm() {
    PageControl1->tabBar()->hide();
    PageControl1->setCurrentIndex(0);
    edtURL->clear();
    edtTitle->clear();
    edtAmount->clear();
    memMaterial->clear();
    memHow->clear();
    Image1->clear();
    Image1->resize(0, 0);
    PhotoJpeg.clear();
    PageUrl.clear();
    SetBusy(false);
}

void TImportFromCookPadForm::SetBusy(bool busy) {
    btnGetWebData->setEnabled(!busy);
    bbtnOk->setEnabled(!busy);
    bbtnCancel->setEnabled(!busy);
}

void TImportFromCookPadForm::btnGetWebDataClick() {
    if (Trim(edtURL->text()).isEmpty())
        return;
    SetBusy(true);
    PageUrl = QUrl(edtURL->text());
    PageLoader->Start(edtURL->text());
}

void TImportFromCookPadForm::Button1Click() {
    SetBusy(true);
    PageLoader->StartLines(Lines(Memo1), PageUrl);
}

void TImportFromCookPadForm::LoadFinished(const TWebRecipeLoad& result) {
    SetBusy(false);
    if (!result.PageLines.isEmpty() && result.PageLines != Lines(Memo1))
        Memo1->setPlainText(result.PageLines.join(QLatin1Char('\n')));
    if (!result.Ok) {
        ShowErrorBox(this, result.Error);
        return;
    }
    edtTitle->setText(result.Page.Title);
    edtAmount->setText(result.Page.Amount);
    memMaterial->setPlainText(result.Page.Ingredients.join(QLatin1Char('\n')));
    memHow->setPlainText(result.Page.Steps.join(QLatin1Char('\n')));
    PhotoJpeg = result.PhotoJpeg;
    Image1->setPixmap(result.Photo.isNull() ? QPixmap() : QPixmap::fromImage(result.Photo));
    Image1->adjustSize();
    if (result.Photo.isNull())
        Image1->resize(0, 0);
    if (result.Replaced > 0)
        ShowInformationBox(this, QStringLiteral("Shift-JISで保存できない文字 %1 個を「〓」に置き換えました。")
                                     .arg(result.Replaced));
}

void TImportFromCookPadForm::Register(int result) {
    TWebRecipe recipe;
    recipe.Title = edtTitle->text();
    recipe.Amount = edtAmount->text();
    recipe.Ingredients = Lines(memMaterial);
    recipe.Steps = Lines(memHow);
    recipe.PhotoJpeg = PhotoJpeg;
    // A refused or existing title keeps the dialog open to be corrected.
    if (RunGuarded(this, ErrorPrefix(QStringLiteral("Register")),
                   [&] { RegisterWebRecipe(DataRoot, recipe, TodayDateText()); }))
        done(result);
}

void TImportFromCookPadForm::mousePressEvent(QMouseEvent* event) {
    if ((event->modifiers() & Qt::ShiftModifier) && (event->modifiers() & Qt::ControlModifier))
        PageControl1->tabBar()->show();
    QDialog::mousePressEvent(event);
}

void TImportFromCookPadForm::reject() {
    {
        // Closed while loading: the load just ends, with no error box.
        const QSignalBlocker quiet(PageLoader);
        PageLoader->Abort();
    }
    SetBusy(false);
    done(WebImportCancel);
}
