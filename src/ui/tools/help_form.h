#pragma once

#include <QWidget>

class QTextBrowser;

// The help window: the program's own help document, shown in a text browser.
class THelpForm final : public QWidget {
    Q_OBJECT
public:
    // `folder`: where the document lies, ending with "/".
    explicit THelpForm(const QString& folder, QWidget* parent = nullptr);

    // Opens the document at a section ("rss", "timer"...); empty: the front page.
    void ShowTopic(const QString& topic);

    static const QString FrontPage;  // "index.html"

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString Folder;
    QTextBrowser* Browser = nullptr;
};
