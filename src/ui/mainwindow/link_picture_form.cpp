#include "ui/mainwindow/link_picture_form.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/widgets/picture_box.h"
#include "core/platform/picture_codec.h"
#include "core/platform/file_io.h"


TLinkPictureForm::TLinkPictureForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("LinkPictureForm"));
    setWindowTitle(QStringLiteral("参照画像"));
    resize(208, 234);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    ToolButton1 = new QToolButton(bar);
    ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
    ToolButton1->setToolTip(QStringLiteral("フォームのサイズで表示する"));
    ToolButton1->setText(QStringLiteral("▣"));
    ToolButton1->setCheckable(true);
    ToolButton1->setChecked(true);
    ToolButton2 = new QToolButton(bar);
    ToolButton2->setObjectName(QStringLiteral("ToolButton2"));
    ToolButton2->setToolTip(QStringLiteral("実際の大きさで表示する"));
    ToolButton2->setText(QStringLiteral("1:1"));
    ToolButton2->setCheckable(true);
    auto* group = new QButtonGroup(this);
    group->addButton(ToolButton1);
    group->addButton(ToolButton2);
    bar->addWidget(ToolButton1);
    bar->addWidget(ToolButton2);
    layout->addWidget(bar);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
    ScrollBox1->setAlignment(Qt::AlignCenter);
    Image1 = new TPictureBox;
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setWidgetResizable(true);
    layout->addWidget(ScrollBox1, 1);

    connect(ToolButton1, &QToolButton::clicked, this, &TLinkPictureForm::ToolButton1Click);
    connect(ToolButton2, &QToolButton::clicked, this, &TLinkPictureForm::ToolButton2Click);
}

void TLinkPictureForm::FormCreate(QWidget* mainWindow) {
    MainWindow = mainWindow;
    CentreOnMainWindow();
}

void TLinkPictureForm::CentreOnMainWindow() {
    if (!MainWindow)
        return;
    const QRect main = MainWindow->frameGeometry();
    const QRect own = frameGeometry();
    move(main.center() - (own.center() - own.topLeft()));
}

void TLinkPictureForm::ShowPicture(const QString& path) {
    Image1->SetPicture(DecodePictureBytes(ReadFileBytes(path), path));
    // At start-up the main window is not yet at its size (maximised later):
    // the viewer is centred on it as it is when the viewer opens.
    if (!isVisible())
        CentreOnMainWindow();
    show();
    raise();  // already open behind the main window: comes to the front
}

void TLinkPictureForm::ToolButton1Click() {
    ToolButton1->setChecked(true);
    ScrollBox1->setWidgetResizable(true);
    Image1->SetFit(true);
}

void TLinkPictureForm::ToolButton2Click() {
    ToolButton2->setChecked(true);
    ScrollBox1->setWidgetResizable(false);
    Image1->SetFit(false);
}
