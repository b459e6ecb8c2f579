#include "ui/tools/help_form.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/settings/fonts.h"

const QString THelpForm::FrontPage = QStringLiteral("index.html");

THelpForm::THelpForm(const QString& folder, QWidget* parent) : QWidget(parent, Qt::Window), Folder(folder) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Saporia ヘルプ"));
    resize(640, 560);
    setFont(QFont(ProportionalGothic, 10));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links to the web go to the desktop's browser; links inside the
    // document stay here.
    Browser->setOpenExternalLinks(true);
    layout->addWidget(Browser);
}

void THelpForm::ShowTopic(const QString& topic) {
    const QString path = Folder + FrontPage;
    if (!QFileInfo(path).isFile()) {
        Browser->setPlainText(QStringLiteral("ヘルプファイルが見つかりません: %1").arg(path));
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!topic.isEmpty())
        url.setFragment(topic);
    Browser->setSource(url);
    if (!topic.isEmpty())
        Browser->scrollToAnchor(topic);
}

void THelpForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
