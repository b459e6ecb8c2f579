#include "ui/dialogs/new_wizard_form.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <utility>

#include "ui/widgets/icon_box.h"
#include "ui/dialogs/icon_form.h"
#include "ui/widgets/numeric_key_filter.h"
#include "core/recipes/recipe_folder.h"
#include "core/platform/clipboard.h"
#include "ui/platform/dialogs.h"
#include "core/platform/jpeg.h"

namespace {

const QString NextCaption = QStringLiteral("次へ(&N) >");
const QString FinishCaption = QStringLiteral("完了");

struct TStepRow {
    const char* Caption;
    const char* Title;
    const char* Instruction;
};

const TStepRow StepRows[4] = {
    {"新規作成ウィザード(1/4)", "1．材料登録", "料理に使用する材料を入力してください"},
    {"新規作成ウィザード(2/4)", "2．作り方登録", "料理作り方を入力してください"},
    {"新規作成ウィザード(3/4)", "3．料理画像登録", "料理完成画像を登録してください"},
    {"新規作成ウィザード(4/4)", "4．属性登録", "料理属性を登録してください"},
};

// Title bar colour of the step panels ($EDCCB8).
const QColor StepTitleColour(0xB8, 0xCC, 0xED);

// Our own picture for the wizard's side column: a bowl with chopsticks.
QPixmap SidePicture(QSize size) {
    QPixmap pix(size);
    pix.fill(QColor(0x27, 0x54, 0x9E));
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() * 0.45);
    p.setPen(QPen(QColor(240, 230, 210), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-5, -45), centre + QPointF(25, -5));
    p.drawLine(centre + QPointF(5, -50), centre + QPointF(32, -8));
    p.setPen(QPen(QColor(90, 30, 20), 2));
    p.setBrush(QColor(180, 40, 30));
    p.drawChord(QRectF(centre.x() - 40, centre.y() - 30, 80, 60), 180 * 16, 180 * 16);
    p.setBrush(QColor(250, 250, 245));
    p.drawEllipse(QRectF(centre.x() - 40, centre.y() - 6, 80, 12));
    return pix;
}

}  // namespace

TNewWizardForm::TNewWizardForm(QWidget* parent) : QDialog(parent), NumericFilter(new TNumericKeyFilter(this)) {
    setObjectName("NewWizardForm");
    setWindowTitle(QString::fromUtf8(StepRows[0].Caption));
    setFixedSize(527, 379);

    auto* panel11 = new QFrame(this);
    panel11->setObjectName("Panel11");
    panel11->setGeometry(0, 0, 527, 65);
    panel11->setAutoFillBackground(true);
    QPalette white = panel11->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel11->setPalette(white);
    Label3 = new QLabel(panel11);
    Label3->setObjectName("Label3");
    Label3->setGeometry(16, 4, 440, 16);
    Label1 = new QLabel(panel11);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 22, 440, 18);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = new QLabel(panel11);
    Label2->setObjectName("Label2");
    Label2->setGeometry(32, 42, 420, 16);
    auto* image2 = new QLabel(panel11);
    image2->setObjectName("Image2");
    image2->setGeometry(470, 10, 45, 45);
    image2->setPixmap(SidePicture(QSize(120, 120)).scaled(45, 45, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    auto* panel13 = new QFrame(this);
    panel13->setObjectName("Panel13");
    panel13->setGeometry(0, 65, 120, 379 - 65 - 41);
    auto* image3 = new QLabel(panel13);
    image3->setObjectName("Image3");
    image3->setGeometry(0, 0, 120, panel13->height());
    image3->setPixmap(SidePicture(image3->size()));

    Panel5 = new QFrame(this);
    Panel5->setObjectName("Panel5");
    Panel5->setGeometry(120, 65, 527 - 120, 379 - 65 - 41);

    Panel1 = BuildStepPanel("Panel1", QStringLiteral("材料"));
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(8, 28, Panel1->width() - 16, Panel1->height() - 36);

    Panel2 = BuildStepPanel("Panel2", QStringLiteral("作り方"));
    Memo2 = new QPlainTextEdit(Panel2);
    Memo2->setObjectName("Memo2");
    Memo2->setGeometry(8, 28, Panel2->width() - 16, Panel2->height() - 36);

    Panel3 = BuildStepPanel("Panel3", QStringLiteral("画像"));
    auto* panel7 = new QFrame(Panel3);
    panel7->setObjectName("Panel7");
    panel7->setGeometry(8, 28, Panel3->width() - 16, Panel3->height() - 68);
    panel7->setFrameShape(QFrame::StyledPanel);
    panel7->setAutoFillBackground(true);
    QPalette windowColour = panel7->palette();
    windowColour.setColor(QPalette::Window, windowColour.color(QPalette::Base));
    panel7->setPalette(windowColour);
    Image1 = new QLabel(panel7);
    Image1->setObjectName("Image1");
    Image1->setGeometry(2, 2, panel7->width() - 4, panel7->height() - 4);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    PicturePopupMenu = new QMenu(this);
    PicturePopupMenu->setObjectName("PicturePopupMenu");
    QAction* l1 = PicturePopupMenu->addAction(QStringLiteral("画像読込み(&L)..."), this, &TNewWizardForm::L1Click);
    l1->setObjectName("L1");
    QAction* paste2 = PicturePopupMenu->addAction(QStringLiteral("貼り付け(&P)"), this, &TNewWizardForm::Paste2Click);
    paste2->setObjectName("Paste2");
    PicturePopupMenu->addSeparator();
    QAction* d1 = PicturePopupMenu->addAction(QStringLiteral("画像削除(&D)..."), this, &TNewWizardForm::D1Click);
    d1->setObjectName("D1");
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PicturePopupMenu->popup(Image1->mapToGlobal(at)); });
    const int buttonY = Panel3->height() - 34;
    auto addPhotoButton = [&](const char* name, const QString& text, int x, void (TNewWizardForm::*slot)()) {
        auto* button = new QToolButton(Panel3);
        button->setObjectName(name);
        button->setText(text);
        button->setAutoRaise(true);
        button->setGeometry(x, buttonY, 90, 26);
        connect(button, &QToolButton::clicked, this, slot);
    };
    addPhotoButton("SpeedButton1", QStringLiteral("読込み"), 8, &TNewWizardForm::L1Click);
    addPhotoButton("SpeedButton3", QStringLiteral("貼り付け"), 104, &TNewWizardForm::Paste2Click);
    addPhotoButton("SpeedButton2", QStringLiteral("削除"), 200, &TNewWizardForm::D1Click);

    Panel4 = BuildStepPanel("Panel4", QStringLiteral("属性"));
    Fields = BuildAttributeFields(Panel4, WizardStepLook(), NumericFilter);
    connect(Fields.Icon, &TIconBox::Clicked, this, &TNewWizardForm::Image4Click);

    auto* panelButton = new QFrame(this);
    panelButton->setObjectName("PanelButton");
    panelButton->setGeometry(0, 379 - 41, 527, 41);
    // A rule along the top of the bar, not through the middle of the buttons.
    auto* buttonRule = new QFrame(panelButton);
    buttonRule->setFrameShape(QFrame::HLine);
    buttonRule->setFrameShadow(QFrame::Sunken);
    buttonRule->setGeometry(0, 0, 527, 2);
    BitBtnPrev = new QPushButton(QStringLiteral("< 戻る(&B)"), panelButton);
    BitBtnPrev->setObjectName("BitBtnPrev");
    BitBtnPrev->setGeometry(256, 8, 85, 26);
    BitBtnPrev->setAutoDefault(false);
    BitBtnNext = new QPushButton(NextCaption, panelButton);
    BitBtnNext->setObjectName("BitBtnNext");
    BitBtnNext->setGeometry(344, 8, 85, 26);
    BitBtnNext->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("キャンセル"), panelButton);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setGeometry(436, 8, 85, 26);
    BitBtnCancel->setAutoDefault(false);
    AddStarPictures(panelButton);
    connect(BitBtnNext, &QPushButton::clicked, this, &TNewWizardForm::BitBtnNextClick);
    connect(BitBtnPrev, &QPushButton::clicked, this, &TNewWizardForm::BitBtnPrevClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    Reset();
}

QWidget* TNewWizardForm::BuildStepPanel(const QString& name, const QString& title) {
    auto* panel = new QFrame(Panel5);
    panel->setObjectName(name);
    panel->setGeometry(0, 0, Panel5->width(), Panel5->height());
    auto* bar = new QLabel(QStringLiteral(" ") + title, panel);
    bar->setObjectName(name + QStringLiteral("Title"));
    bar->setGeometry(0, 0, panel->width(), 22);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, StepTitleColour);
    bar->setPalette(pal);
    return panel;
}

void TNewWizardForm::SetIconPicker(TIconForm* picker) {
    IconPicker = picker;
    if (IconPicker)
        IconPicker->SetTargetBox(1, Fields.Icon);
}

void TNewWizardForm::SetRecipeName(const QString& name) {
    Label3->setText(name);
}

void TNewWizardForm::SetChoices(const QStringList& kinds, const QStringList& amounts, const QStringList& groups) {
    Fields.SetChoices(kinds, amounts, groups);
}

void TNewWizardForm::showEvent(QShowEvent* event) {
    if (!std::exchange(KeepContents, false))
        Reset();
    QDialog::showEvent(event);
}

void TNewWizardForm::Reset() {
    Step = 0;
    ApplyStep();
    Memo1->clear();
    Memo2->clear();
    SetPhoto(QByteArray(), QImage());
    Fields.Clear(false);
}

void TNewWizardForm::ApplyStep() {
    const TStepRow& row = StepRows[Step];
    setWindowTitle(QString::fromUtf8(row.Caption));
    Label1->setText(QString::fromUtf8(row.Title));
    Label2->setText(QString::fromUtf8(row.Instruction));
    QWidget* panels[4] = {Panel1, Panel2, Panel3, Panel4};
    for (int i = 0; i < 4; ++i)
        panels[i]->setVisible(i == Step);
    BitBtnPrev->setVisible(Step > 0);
    BitBtnNext->setText(Step == 3 ? FinishCaption : NextCaption);
}

void TNewWizardForm::BitBtnNextClick() {
    if (BitBtnNext->text() != NextCaption) {
        accept();
        return;
    }
    Step = qMin(Step + 1, 3);
    ApplyStep();
    if (Step == 1)
        Memo2->setFocus();
}

void TNewWizardForm::BitBtnPrevClick() {
    Step = qMax(Step - 1, 0);
    ApplyStep();
    if (Step == 0)
        Memo1->setFocus();
    else if (Step == 1)
        Memo2->setFocus();
}

void TNewWizardForm::L1Click() {
    TFileDialogOptions options;
    options.Filter = QStringLiteral(
        "すべてのファイル (*.jpg *.jpeg *.bmp *.JPG *.JPEG *.BMP);;JPEG イメージファイル (*.jpg *.JPG);;"
        "JPEG イメージファイル (*.jpeg *.JPEG);;ビットマップ (*.bmp *.BMP)");
    const std::optional<QString> path = ChoosePictureFile(this, options);
    if (!path)
        return;
    RunGuarded(this, ErrorPrefix(QStringLiteral("Load Picture")), [&] {
        if (const std::optional<TPhotoFile> photo = ReadPictureFile(*path))
            SetPhoto(photo->Jpeg, photo->Image);
    });
}

void TNewWizardForm::Paste2Click() {
    const QImage image = ClipboardPicture();
    if (image.isNull())
        return;
    RunGuarded(this, ErrorPrefix(QStringLiteral("Paste")), [&] {
        const QByteArray jpeg = EncodeJpeg(image, PhotoJpegQuality);
        SetPhoto(jpeg, DecodeJpeg(jpeg));
    });
}

void TNewWizardForm::D1Click() {
    SetPhoto(QByteArray(), QImage());
}

void TNewWizardForm::SetPhoto(const QByteArray& jpeg, const QImage& image) {
    PhotoJpeg = jpeg;
    PhotoImage = image;
    ShowPhoto();
}

void TNewWizardForm::ShowPhoto() {
    if (PhotoImage.isNull()) {
        Image1->setPixmap(QPixmap());
        return;
    }
    QImage shown = PhotoImage;
    if (shown.width() > Image1->width() || shown.height() > Image1->height())
        shown = shown.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Image1->setPixmap(QPixmap::fromImage(shown));
}

void TNewWizardForm::Image4Click() {
    if (!IconPicker)
        return;
    IconPicker->Popup(1, Fields.PickerCorner());
}

TWizardRecipe TNewWizardForm::Collected() const {
    TWizardRecipe recipe;
    recipe.Foodstuff = Memo1->toPlainText();
    recipe.How = Memo2->toPlainText();
    recipe.PhotoJpeg = PhotoJpeg;
    recipe.Attributes = Fields.Current();
    return recipe;
}


TNewWizardForm::~TNewWizardForm() {
}
