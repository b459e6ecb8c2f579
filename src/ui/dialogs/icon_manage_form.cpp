#include "ui/dialogs/icon_manage_form.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

#include "ui/widgets/busy_cursor.h"
#include "core/recipes/icon_file.h"
#include "ui/widgets/tiled_paint_box.h"
#include "core/recipes/icon_store.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/settings/fonts.h"

namespace {

const QColor InfoBackColour(255, 255, 225);
const QColor SelectedColour(0xC0, 0xDC, 0xC0);  // $C0DCC0

// An icon's image in the grid; reports its panel number on a click.
class TIconImage final : public QLabel {
public:
    TIconImage(int tag, TIconManageForm* form, QWidget* parent) : QLabel(parent), Tag(tag), Form(form) {
        setCursor(Qt::PointingHandCursor);
        setAlignment(Qt::AlignCenter);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            Form->ImgClick(Tag);
    }

private:
    int Tag;
    TIconManageForm* Form;
};

// A grey cross for an entry that is not a readable bitmap.
QPixmap PlaceholderPicture() {
    QPixmap pix(32, 32);
    pix.fill(QColor(230, 230, 230));
    QPainter p(&pix);
    p.setPen(QPen(QColor(160, 0, 0), 2));
    p.drawLine(6, 6, 26, 26);
    p.drawLine(26, 6, 6, 26);
    return pix;
}

}  // namespace

TIconManageForm::TIconManageForm(QWidget* parent) : QDialog(parent) {
    setObjectName("IconManageForm");
    setWindowTitle(QStringLiteral("アイコン設定"));
    setFixedSize(337, 312);
    setFont(QFont(ProportionalGothic));

    auto* panel2 = new QLabel(QStringLiteral("追加アイコン一覧"), this);
    panel2->setObjectName("Panel2");
    panel2->setGeometry(8, 8, 241, 25);
    panel2->setAlignment(Qt::AlignCenter);
    panel2->setAutoFillBackground(true);
    QPalette titlePalette = panel2->palette();
    titlePalette.setColor(QPalette::Window, QColor(0x27, 0x54, 0x9E));  // $9E5427
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    panel2->setPalette(titlePalette);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setGeometry(8, 32, 241, 272);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GridHost = new QWidget;
    GridHost->setAutoFillBackground(true);
    QPalette white = GridHost->palette();
    white.setColor(QPalette::Window, Qt::white);
    GridHost->setPalette(white);
    GridHost->resize(239, 270);
    ScrollBox1->setWidget(GridHost);

    BitBtn1 = new QPushButton(QStringLiteral("追加..."), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(256, 32, 75, 25);
    BitBtn2 = new QPushButton(QStringLiteral("削除..."), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(256, 64, 75, 25);
    BitBtn2->setEnabled(false);
    Button1 = new QPushButton(QStringLiteral("閉じる"), this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(256, 279, 75, 25);
    for (QPushButton* b : {BitBtn1, BitBtn2, Button1})
        b->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TIconManageForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TIconManageForm::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &TIconManageForm::Button1Click);
}

QString TIconManageForm::IconFolder() const {
    return AppDir + IconFolderName;
}

void TIconManageForm::showEvent(QShowEvent* event) {
    Changed = false;
    QDialog::showEvent(event);
}

void TIconManageForm::ClearIconGrid() {
    TBusyCursor busy;
    LetPendingMessagesRun();
    for (int k = Panels; k >= 0; --k)
        delete GridHost->findChild<QWidget*>(QStringLiteral("MkPnl%1").arg(k), Qt::FindDirectChildrenOnly);
    Panels = 0;
}

void TIconManageForm::BuildIconGrid() {
    TBusyCursor busy;
    BitBtn2->setEnabled(false);
    SelectedIcon = -1;
    ClearIconGrid();
    int x = 5;
    int y = 5;
    const int width = ScrollBox1->width();
    for (const QString& name : IconFolderEntries(IconFolder())) {
        AddPanel(name, QPoint(x, y));
        if (x + 105 > width) {
            y += 55;
            x = 5;
        } else {
            x += 55;
        }
    }
    GridHost->resize(GridHost->width(), qMax(270, (x == 5 ? y : y + 55) + 5));
}

void TIconManageForm::AddPanel(const QString& fileName, QPoint at) {
    const int n = Panels;
    auto* panel = new QFrame(GridHost);
    panel->setObjectName(QStringLiteral("MkPnl%1").arg(n));
    panel->setProperty("Tag", n);
    panel->setGeometry(at.x(), at.y(), 50, 50);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, InfoBackColour);
    panel->setPalette(pal);

    auto* image = new TIconImage(n, this, panel);
    image->setObjectName(QStringLiteral("MkImg%1").arg(n));
    image->setProperty("Tag", n);
    image->setProperty("Hint", fileName);
    image->setToolTip(fileName);
    image->setGeometry(8, 0, 32, 32);
    // One odd entry (a folder named "x.bmp", a broken file) gets a placeholder
    // and the rest of the list still shows.
    QImageReader reader(IconFolder() + QLatin1Char('/') + fileName);
    reader.setDecideFormatFromContent(true);
    const QImage picture = QFileInfo(reader.fileName()).isFile() ? reader.read() : QImage();
    image->setPixmap(picture.isNull() ? PlaceholderPicture()
                                      : QPixmap::fromImage(picture.scaled(32, 32, Qt::KeepAspectRatio)));

    auto* label = new QLabel(WithoutExtension(fileName), panel);
    label->setGeometry(1, 37, 47, 12);
    label->setToolTip(WithoutExtension(fileName));
    QFont small(ProportionalGothic);
    small.setPointSize(8);
    label->setFont(small);
    label->setAlignment(Qt::AlignCenter);
    panel->show();
    ++Panels;
}

void TIconManageForm::ImgClick(int tag) {
    SelectedIcon = tag;
    for (QFrame* panel : GridHost->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly)) {
        QPalette pal = panel->palette();
        pal.setColor(QPalette::Window, panel->property("Tag").toInt() == tag ? SelectedColour : InfoBackColour);
        panel->setPalette(pal);
    }
    BitBtn2->setEnabled(true);
}

void TIconManageForm::BitBtn1Click() {
    TFileDialogOptions options;
    options.Filter = QStringLiteral(
        "すべての画像 (*.bmp *.ico *.jpg *.jpeg *.png *.gif *.BMP *.ICO *.JPG *.JPEG *.PNG *.GIF);;すべてのファイル (*)");
    const std::optional<QString> path = ChoosePictureFile(this, options);
    if (!path)
        return;
    bool saved = false;
    RunGuarded(this, ErrorPrefix(QStringLiteral("Add Icon")), [&] {
        const QByteArray bytes = IconBitmapBytes(IconPictureFromFile(*path));
        const QString fileName = IconFileNameFor(*path);
        QDir().mkpath(IconFolder());
        const QString target = IconFolder() + QLatin1Char('/') + fileName;
        if (QFileInfo::exists(target) && AskYesNo(this, IconOverwriteQuestion) != TMsgResult::Yes)
            return;
        WriteFileAtomic(target, bytes);
        saved = true;
    });
    if (!saved)
        return;
    Changed = true;
    BuildIconGrid();
}

void TIconManageForm::BitBtn2Click() {
    auto* image = GridHost->findChild<QLabel*>(QStringLiteral("MkImg%1").arg(SelectedIcon));
    if (!image)
        return;
    const QString fileName = image->property("Hint").toString();
    if (AskYesNo(this, IconDeleteQuestion(fileName)) != TMsgResult::Yes)
        return;
    const QString path = IconFolder() + QLatin1Char('/') + fileName;
    if (!QFile::remove(path)) {
        ShowErrorBox(this, QStringLiteral("アイコンを削除できません: %1").arg(path));
        BuildIconGrid();
        return;
    }
    Changed = true;
    BuildIconGrid();
}

void TIconManageForm::Button1Click() {
    accept();
}

void TIconManageForm::done(int result) {
    if (Changed)
        ShowInformationBox(this, IconRestartNotice);
    Changed = false;
    QDialog::done(result);
}

void TIconManageForm::paintEvent(QPaintEvent*) {
    PaintSharedBackground(this);
}


TIconManageForm::~TIconManageForm() {
}
