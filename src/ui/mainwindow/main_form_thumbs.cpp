// The thumbnail pane.
#include "ui/mainwindow/main_form.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>

#include "ui/widgets/busy_cursor.h"
#include "ui/dialogs/progress_form.h"
#include "ui/mainwindow/search_boxes.h"
#include "ui/mainwindow/thumbnail_strip.h"
#include "core/search/thumbnails.h"
#include "ui/platform/dialogs.h"

namespace {

constexpr int ThumbnailPaneWidth = 95;

// Shows a status text and resets it and the progress bar however the work
// ends.
class TStatusScope final {
public:
    TStatusScope(QLabel* panel, QProgressBar* bar, const QString& text, int maximum) : Panel(panel), Bar(bar) {
        Panel->setText(text);
        Bar->setValue(0);
        Bar->setMaximum(std::max(maximum, 0));
    }
    ~TStatusScope() {
        Panel->clear();
        Bar->setValue(0);
    }
    TStatusScope(const TStatusScope&) = delete;
    TStatusScope& operator=(const TStatusScope&) = delete;

private:
    QLabel* Panel;
    QProgressBar* Bar;
};

}  // namespace

void TMainForm::BuildThumbnails() {
    RunGuarded(this, ErrorPrefix(QStringLiteral("BuildThumbnails")), [this] {
        const TProgressScope progress(Windows().ProgressForm, QStringLiteral("しばらくお待ち下さい"));
        const TStatusScope status(StatusPanel1, ProgressBar1, QStringLiteral("ｻﾑﾈｲﾙ作成中..."),
                                  static_cast<int>(CookItems.size()) - 1);
        LetPendingMessagesRun();
        ThumbnailStrip->SetThumbnails(BuildThumbnailList(CookItems, ComboBoxGroup->currentText(), DataRoot,
                                                         [this](int i) {
                                                             ProgressBar1->setValue(i);
                                                             if (i % 256 == 1)
                                                                 LetPendingMessagesRun();  // the bar repaints
                                                         }));
        ThumbnailCount = ThumbnailStrip->ThumbnailCount();
    });
}

void TMainForm::FreeThumbnails() {
    const TProgressScope progress(Windows().ProgressForm, QStringLiteral("しばらくお待ち下さい"));
    const TStatusScope status(StatusPanel1, ProgressBar1, QStringLiteral("ｻﾑﾈｲﾙ破棄中..."), ThumbnailCount);
    ThumbnailStrip->FreeThumbnails();
    ThumbnailCount = 0;
}

void TMainForm::S1Click() {
    // The menu item has just toggled its tick.
    if (S1->isChecked()) {
        BuildThumbnails();
        ShowSidePane(MainSplitter, Panel4, ThumbnailPaneWidth);
    } else {
        Panel4->hide();
        FreeThumbnails();
    }
}
