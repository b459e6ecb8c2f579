#include "ui/mainwindow/link_thumbnail_form.h"

#include <QFrame>
#include <QVBoxLayout>

#include "ui/widgets/picture_box.h"
#include "core/platform/picture_codec.h"
#include "core/platform/file_io.h"
#include "core/platform/jpeg.h"


TLinkThumbnailForm::TLinkThumbnailForm(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("LinkThumbnailForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(115, 100);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: white; border: 1px solid black; }"));
    auto* inner = new QVBoxLayout(Panel1);
    inner->setContentsMargins(1, 1, 1, 1);
    Image1 = new TPictureBox(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFocusPolicy(Qt::NoFocus);
    inner->addWidget(Image1);
    layout->addWidget(Panel1);
    connect(Image1, &TPictureBox::MouseMoved, this, &TLinkThumbnailForm::Image1MouseMove);
}

void TLinkThumbnailForm::ShowPicture(const QString& path, QPoint globalTopLeft) {
    // A camera photo is decoded no larger than the pop-up needs.
    const QByteArray bytes = ReadFileBytes(path);
    Image1->SetPicture(LooksLikeJpeg(bytes) ? DecodeJpegScaled(bytes, size()) : DecodePictureBytes(bytes, path));
    move(globalTopLeft);
    show();
}

void TLinkThumbnailForm::Image1MouseMove() { close(); }
