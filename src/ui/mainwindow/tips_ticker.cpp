#include "ui/mainwindow/tips_ticker.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QRandomGenerator>

#include "core/settings/fonts.h"

QStringList UsageTips() {
    return {
        QStringLiteral("[サムネイル表示]で画像の一覧を参照することが出来ます"),
        QStringLiteral("【材料欄】で入力途中に[Ctrl+Space]を押すことで入力支援メニューが表示され、選択メニューに入力したい言葉がある場合は選択することで入力を完了することが出来ます。"),
        QStringLiteral("【作り方欄】で入力途中に[Ctrl+Space]を押すことで入力支援メニューが表示され、選択メニューに入力したい言葉がある場合は選択することで入力を完了することが出来ます。"),
        QStringLiteral("【材料欄】に「しお」と入力した場合、検索で「塩」と入力してもヒットします。このほかにもいくつかの材料で可能です。"),
        QStringLiteral("Webブラウザーからコピーした画像を【画像欄】を右クリックし、[貼り付け]を押すことで画像が簡単に貼り付けることが出来ます。"),
        QStringLiteral("知り合いにレシピを送りたい時は送りたいレシピを選択して、[メール添付用エクスポート...]をクリックしてファイル保存します。そのファイルをメールで添付して送信するだけです。"),
        QStringLiteral("メールに添付してきたファイルを取り込むには[メール添付用インポート...]をクリックして添付ファイルを選択すると、レシピファイルが取り込まれます。"),
        QStringLiteral("すべての検索欄において[しお コショウ]のようにスペースを間にいれることで両方を持つレシピを検索します。"),
        QStringLiteral("各種設定画面で印刷スタイルが4種類から設定可能です。"),
        QStringLiteral("新規作成ウィザードを使用すると画面の流れに沿って入力するだけでレシピは出来上がります。"),
        QStringLiteral("料理画像の追加は[画像]欄にドラッグ＆ドロップすることでも追加できます。"),
    };
}

TTipsTicker::TTipsTicker(int stripWidth, TPick pick) : TipX(stripWidth), Pick(std::move(pick)) {
    if (!Pick)
        Pick = [](int count) { return int(QRandomGenerator::global()->bounded(count)); };
}

QFont TTipsTicker::TipFont() { return QFont(FixedPitchGothic, 8); }

int TTipsTicker::TextWidth() {
    if (MeasuredTip.isNull() || MeasuredTip != CurrentTip) {
        MeasuredTip = CurrentTip;
        MeasuredWidth = QFontMetrics(TipFont()).horizontalAdvance(CurrentTip);
    }
    return MeasuredWidth;
}

bool TTipsTicker::Tick(int stripWidth) {
    TipX -= 1;
    if (TipX + TextWidth() >= 0)
        return false;
    const QStringList tips = UsageTips();
    TipX = stripWidth;
    CurrentTip = tips[qBound(0, Pick(int(tips.size())), int(tips.size() - 1))];
    return true;
}

void TTipsTicker::Paint(QPainter& painter, const QSize& strip) {
    painter.fillRect(QRect(QPoint(0, 0), strip), Qt::black);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int height = std::max(1, strip.height() - 5);
    if (DrawnTip.isNull() || DrawnTip != CurrentTip || Drawn.devicePixelRatioF() != ratio ||
        Drawn.deviceIndependentSize().toSize().height() != height) {
        // White on black, as drawn straight onto the strip, so the copy is exact.
        DrawnTip = CurrentTip;
        Drawn = QPixmap(QSize(std::max(1, TextWidth() + 4), height) * ratio);
        Drawn.setDevicePixelRatio(ratio);
        Drawn.fill(Qt::black);
        QPainter text(&Drawn);
        text.setFont(TipFont());
        text.setPen(Qt::white);
        text.drawText(QRect(0, 0, TextWidth() + 4, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      CurrentTip);
    }
    painter.drawPixmap(TipX, 5, Drawn);
}
