#pragma once

#include <QWidget>

class QFrame;
class TPictureBox;

// The hover pop-up of a linked word: a borderless 115 x 100 picture that
// never takes the focus from the pane being typed in. It closes when the
// mouse moves onto it.
class TLinkThumbnailForm final : public QWidget {
    Q_OBJECT
public:
    explicit TLinkThumbnailForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    TPictureBox* Image1 = nullptr;

    // Loads a picture file (throws TSaporiaError) and shows it with its
    // top-left corner at `globalTopLeft`.
    void ShowPicture(const QString& path, QPoint globalTopLeft);

    void Image1MouseMove();
};
