#include "ui/dialogs/version_form.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QUrl>

#include "ui/widgets/tiled_paint_box.h"
#include "ui/platform/dialogs.h"
#include "ui/platform/help.h"
#include "core/platform/saporia_error.h"
#include "core/settings/fonts.h"
#include "core/web/shell_error.h"


namespace {

QPixmap LogoPicture() {
    QPixmap pix(300, 60);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xF0, 0x8C, 0x3C));
    p.setPen(Qt::NoPen);
    p.drawEllipse(4, 8, 44, 44);
    p.setBrush(Qt::white);
    p.drawEllipse(16, 20, 20, 20);
    QFont f("Sans Serif", 26, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(0x6A, 0x3A, 0x10));
    p.drawText(QRect(58, 0, 240, 60), Qt::AlignVCenter | Qt::AlignLeft, "Saporia");
    return pix;
}

QPixmap MailPicture() {
    QPixmap pix(32, 24);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setPen(QPen(QColor(0x30, 0x30, 0x80), 2));
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 28, 20);
    p.drawLine(2, 2, 16, 14);
    p.drawLine(30, 2, 16, 14);
    return pix;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TVersionForm::TVersionForm(const QString& appDir, QWidget* parent,
                           std::unique_ptr<TSystemInfoSources> sources)
    : QDialog(parent), AppDir(appDir), Sources(std::move(sources)) {
    if (!Sources)
        Sources = std::make_unique<TLinuxSystemInfoSources>();
    OpenAddress = [](const QString& address) {
        return QDesktopServices::openUrl(QUrl(address));
    };

    setObjectName("VersionForm");
    setWindowTitle("バージョン情報");
    setFixedSize(426, 393);
    setFont(QFont(ProportionalGothic, 9));

    auto* panel1 = new QFrame(this);
    panel1->setObjectName("Panel1");
    panel1->setGeometry(0, 0, 426, 393);
    PaintBox1 = new TTiledPaintBox(panel1);
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->setGeometry(panel1->rect());

    auto* image2 = new QLabel(panel1);
    image2->setObjectName("Image2");
    image2->setPixmap(LogoPicture());
    image2->setGeometry(64, 8, 300, 60);

    Label1 = MakeLabel(panel1, "Label1", QString(), {40, 74, 170, 16});
    Label2 = MakeLabel(panel1, "Label2", QString(), {220, 74, 170, 16});
    MakeLabel(panel1, "Label4", "このソフトウェアはフリーソフトウェアです。", {40, 94, 350, 16});

    const QString linkStyle = "color: #0000C0; text-decoration: underline;";
    Label3 = MakeLabel(panel1, "Label3", "料理をレシピする～Saporia～", {40, 114, 200, 16});
    Label5 = MakeLabel(panel1, "Label5", "作者ﾎｰﾑﾍﾟｰｼﾞへ", {250, 114, 110, 16});
    for (QLabel* link : {Label3, Label5}) {
        link->setStyleSheet(linkStyle);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    Image4 = new QLabel(panel1);
    Image4->setObjectName("Image4");
    Image4->setPixmap(MailPicture());
    Image4->setGeometry(370, 108, 32, 24);
    Image4->setCursor(Qt::PointingHandCursor);
    Image4->installEventFilter(this);

    auto* panel4 = new QFrame(panel1);
    panel4->setObjectName("Panel4");
    panel4->setGeometry(12, 134, 402, 214);
    panel4->setFrameShape(QFrame::Box);
    panel4->setAutoFillBackground(true);
    QPalette pal = panel4->palette();
    pal.setColor(QPalette::Window, QColor(0x47, 0x91, 0xC5));  // $C59147
    pal.setColor(QPalette::WindowText, Qt::white);
    panel4->setPalette(pal);

    // The system line (distribution, kernel, machine) gets two lines: on
    // Linux it is longer than the row.
    MakeLabel(panel4, "Label12", "使用OS　　：", {8, 4, 80, 16});
    Label9 = MakeLabel(panel4, "Label9", QString(), {88, 4, 306, 30});
    Label9->setWordWrap(true);
    Label9->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MakeLabel(panel4, "Label10", "全メモリ　：", {8, 34, 80, 16});
    Label7 = MakeLabel(panel4, "Label7", QString(), {88, 34, 110, 16});
    MakeLabel(panel4, "Label11", "空きメモリ　：", {200, 34, 84, 16});
    Label8 = MakeLabel(panel4, "Label8", QString(), {284, 34, 110, 16});
    MakeLabel(panel4, "Label13", "IE-Version：", {8, 52, 80, 16});
    Label14 = MakeLabel(panel4, "Label14", QString(), {88, 52, 306, 16});

    ComboBox1 = new QComboBox(panel4);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(8, 70, 180, 22);
    MakeLabel(panel4, "Label19", "のボリューム情報", {194, 72, 120, 16});
    MakeLabel(panel4, "Label17", "全容量　：", {8, 96, 70, 16});
    Label15 = MakeLabel(panel4, "Label15", QString(), {78, 96, 110, 16});
    MakeLabel(panel4, "Label18", "空き容量　：", {200, 96, 76, 16});
    Label16 = MakeLabel(panel4, "Label16", QString(), {276, 96, 110, 16});

    auto makeMemo = [&](const char* name, QRect geometry) {
        auto* memo = new QPlainTextEdit(panel4);
        memo->setObjectName(name);
        memo->setReadOnly(true);
        memo->setGeometry(geometry);
        // Slim margins: the two display lines fit their box without a scroll bar.
        memo->document()->setDocumentMargin(2);
        QPalette mp = memo->palette();
        mp.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE1));  // info background
        mp.setColor(QPalette::Text, Qt::black);
        memo->setPalette(mp);
        return memo;
    };
    Memo1 = makeMemo("Memo1", {8, 116, 386, 56});
    MakeLabel(panel4, "Label20", "ディスプレイ情報", {8, 178, 120, 16});
    Memo2 = makeMemo("Memo2", {128, 176, 266, 34});

    Button1 = new QPushButton("O K", panel1);
    Button1->setObjectName("Button1");
    Button1->setGeometry(170, 357, 86, 28);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        if (!Filling)
            ComboBox1Change();
    });
}

TVersionForm::~TVersionForm() {
}

QString TVersionForm::HomePageAddress() const { return ::HomePageAddress(AppDir); }

QString TVersionForm::MailAddressText() {
    return "mailto:author@saporia.example.org?subject=Saporia 2.1.0.0&body=【内 容】%0D%0A";
}

void TVersionForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TVersionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label3 || watched == Label5) {
            Label5Click();
            return true;
        }
        if (watched == Image4) {
            try {
                Image4Click();
            } catch (const TSaporiaError& e) {
                ShowErrorBox(this, e.message());
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TVersionForm::FormShow() {
    Label1->setText("Version：2.1.0.0");
    Label2->setText("Date：2011/05/20");
    try {
        // The volume list is read again at every showing: media come and go.
        Volumes = UserVolumes(Sources->Mounts());
        Filling = true;
        ComboBox1->clear();
        for (const TMountEntry& v : Volumes)
            ComboBox1->addItem(v.MountPoint);
        ComboBox1->setCurrentIndex(VolumeHolding(Volumes, AppDir));
        Filling = false;
    } catch (const std::exception&) {
        Filling = false;
        ShowErrorBox(this, SystemInfoErrorText("SystemInformation Error."));
        return;
    }
    GatherSystemInfo();
}

void TVersionForm::ComboBox1Change() { GatherSystemInfo(); }

void TVersionForm::GatherSystemInfo() {
    const int index = ComboBox1->currentIndex();
    const TMountEntry* mount = index >= 0 && index < Volumes.size() ? &Volumes[index] : nullptr;
    TSystemInfoView view;
    try {
        ::GatherSystemInfo(*Sources, mount, view);
        ApplyView(view);
    } catch (const TSaporiaError& e) {
        ApplyView(view);
        ShowErrorBox(this, SystemInfoErrorText(e.message()));
    }
}

void TVersionForm::ApplyView(const TSystemInfoView& view) {
    // Only what the gathering reached replaces what is shown.
    if (!view.TotalMemory.isEmpty()) {
        Label7->setText(view.TotalMemory);
        Label8->setText(view.FreeMemory);
    }
    if (!view.OsText.isNull() || !view.TotalMemory.isEmpty()) {
        Label9->setText(view.OsText);
        Label14->setText(view.BrowserText);
    }
    if (!view.TotalSize.isEmpty()) {
        Label15->setText(view.TotalSize);
        Label16->setText(view.FreeSize);
        Memo1->setPlainText(view.VolumeLines.join('\n'));
    }
    if (!view.DisplayLines.isEmpty())
        Memo2->setPlainText(view.DisplayLines.join('\n'));
}

void TVersionForm::Label5Click() { OpenAddress(HomePageAddress()); }

void TVersionForm::Image4Click() {
    if (!OpenAddress(MailAddressText()))
        throw TSaporiaError(ShellErrorText(2));
}
