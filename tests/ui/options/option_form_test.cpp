#include <gtest/gtest.h>

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTabWidget>

#include "core/settings/settings_store.h"
#include "support/dialog_driver.h"
#include "support/temp_app_dir.h"
#include "ui/options/option_form.h"
#include "ui/options/option_list_draw.h"
#include "ui/platform/dialogs.h"

namespace {

// The options window on a store read from a settings file of the test's own.
struct TOptions {
    TTempAppDir Dir;
    TSettingsStore Store{SettingsFilePath(Dir.AppDir())};
    std::unique_ptr<TOptionForm> Form;

    explicit TOptions(const QString& ini = {}) {
        if (!ini.isEmpty())
            Dir.WriteSjis(QFileInfo(Store.Path()).fileName(), ini);
    }
    TOptionForm& Open() {
        Store.LoadSettings();
        Form = std::make_unique<TOptionForm>(Dir.AppDir(), Store);
        Form->show();
        return *Form;
    }
    template <typename T>
    T* Find(const char* name) const { return Child<T>(Form.get(), name); }
    void Ok() const { ClickChild(Form.get(), "BitBtnOK"); }
    const TSettings& Stored() const { return Store.Settings(); }
};

}  // namespace

TEST(OptionForm, BackgroundChosenIgnoringCaseIsStoredByItsRealName) {
    TOptions o("[BACKGROUND]\r\nFILENAME=CHECK\r\n");
    QDir().mkpath(o.Dir.Path("background"));
    const QImage bitmap(32, 32, QImage::Format_RGB32);
    for (const char* name : {"wood.bmp", "Check.bmp", "aqua.BMP"})
        ASSERT_TRUE(bitmap.save(o.Dir.Path("background/") + name, "BMP"));
    o.Open();
    EXPECT_EQ(o.Find<QComboBox>("StyleComboBox")->currentText(), "Check");  // chosen ignoring case
    o.Ok();  // and stored by the bitmap's real name
    EXPECT_EQ(o.Stored().BackgroundFileName, "Check");

    // At the largest font size no caption, box or list face is cut by the page's
    // edge, its own width or a field beside it.
    const QFont normal = QApplication::font();
    QApplication::setFont(QFont(normal.family(), 13));
    TOptionForm large(o.Dir.AppDir(), o.Store);
    QApplication::setFont(normal);
    large.show();
    for (QWidget* page : large.findChildren<QWidget*>(QRegularExpression("^TabSheet"))) {
        QList<QWidget*> parts = page->findChildren<QWidget*>();
        parts.removeIf([page](QWidget* w) {
            return w->parentWidget() != page && !w->parentWidget()->inherits("QGroupBox");
        });
        for (QWidget* w : parts) {
            const QRect r(w->mapTo(page, QPoint()), w->size());
            const QString what = w->objectName() + " " + w->property("text").toString();
            EXPECT_LE(r.right(), page->width()) << qPrintable(what);
            if (w->inherits("QLabel") || w->inherits("QCheckBox")) {
                EXPECT_GE(w->width(), w->sizeHint().width()) << qPrintable(what);
            }
            if (auto* combo = dynamic_cast<TDrawnComboBox*>(w)) {  // every item fits the face
                QStyleOptionComboBox face;
                face.initFrom(combo);
                QStyleOptionViewItem item;
                item.initFrom(combo);
                item.font = combo->font();
                const QStyle::SubControl field = QStyle::SC_ComboBoxEditField;
                const int room = combo->style()->subControlRect(QStyle::CC_ComboBox, &face, field, combo).width();
                for (int i = 0; i < combo->count(); ++i)
                    EXPECT_GE(room, combo->itemDelegate()->sizeHint(item, combo->model()->index(i, 0)).width())
                        << qPrintable(what);
            }
            for (QWidget* other : parts) {  // nothing else on the same row overlaps it
                const QRect q(other->mapTo(page, QPoint()), other->size());
                const bool sameRow = q.top() <= r.center().y() && r.center().y() <= q.bottom();
                if (other != w && other->parentWidget() == w->parentWidget() && sameRow) {
                    EXPECT_FALSE(r.intersects(q)) << qPrintable(what + " / " + other->objectName());
                }
            }
        }
    }
}

TEST(OptionForm, OkWithoutChangesKeepsTheFields) {
    // Values from the file, some of them outside what the window offers; the rest at their defaults.
    TOptions o("[COOKELEMENT]\r\nTYPE=和食,洋食,\r\n[PRINT]\r\nTYPE=7\r\nPAPERSIZE=Letter\r\n"
               "LEFTMARGIN=50\r\nTOPMARGIN=2\r\nFONTSIZE=12\r\nHEADERTYPE=3\r\n"
               "RIGHT_FOOTERTYPE=7\r\nCONTENTSTYPE=2\r\n[DRAWMEMO]\r\nWIDTH=550\r\nHEIGHT=1500\r\n"
               "[EMPHASIS]\r\nCOLOR=clSkyBlue\r\nUSE=0\r\n[TITLE]\r\nNAME=母のレシピ\r\n"
               "[REPORT]\r\nLARGEICON=0\r\nICONSORT=1\r\n");
    o.Open();
    TSettings expected = o.Stored();
    o.Ok();
    expected.PrintType = 1;
    expected.PaperSize = "";
    expected.LeftMargin = 30;
    expected.TopMargin = 5;
    expected.DrawMemoWidth = 500;
    EXPECT_EQ(o.Stored(), expected);
}

TEST(OptionForm, CancelDiscardsEditsOkCommitsThemOnceAndRefusesWhatTheFileCannotHold) {
    TDialogAnswerer answers;
    TOptions o;
    TOptionForm& form = o.Open();
    QSignalSpy changed(&o.Store, &TSettingsStore::SettingsChanged);
    form.PickColour = [](QColorDialog*) { return std::optional<QColor>(Qt::red); };
    ClickChild(&form, "Panel14");
    o.Find<QLineEdit>("EditTitle")->setText("changed");
    ClickChild(&form, "BitBtnCancel");
    EXPECT_EQ(o.Stored(), TSettings{});
    EXPECT_EQ(changed.count(), 0);
    form.show();
    EXPECT_EQ(o.Find<QLineEdit>("EditTitle")->text(), "Saporia");

    // OK: the colour by its name, an empty line kept as a kind; the store tells its readers once.
    ClickChild(&form, "Panel14");
    o.Find<QPlainTextEdit>("Memo1")->setPlainText("和食\n\n中華");
    o.Find<QCheckBox>("CheckBox9")->setChecked(false);
    o.Find<QCheckBox>("CheckBox4")->setChecked(false);
    auto* pages = o.Find<QTabWidget>("PageControl1");
    pages->setCurrentIndex(3);
    o.Ok();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(ColorToText(o.Stored().EmphasisColor), "clRed");
    EXPECT_EQ(o.Stored().CookKinds, QStringList({"和食", "", "中華"}));
    EXPECT_FALSE(o.Stored().UseEmphasis || o.Stored().UseLinkFunction);
    // The page last shown is shown again.
    form.show();
    EXPECT_EQ(pages->currentIndex(), 3);

    // A value the file cannot hold is refused on OK, not lost at exit.
    const QString sushi = QString::fromUtf8("\xF0\x9F\x8D\xA3");
    o.Find<QLineEdit>("EditTitle")->setText("うちの台所");
    o.Find<QPlainTextEdit>("Memo1")->setPlainText("和食\n" + sushi);
    o.Ok();
    // Refused with the character named; the window stays for a fix.
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_TRUE(answers.Texts()[0].contains(sushi));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(o.Stored().TitleName, "Saporia");
    o.Find<QPlainTextEdit>("Memo1")->setPlainText("和食\n寿司");
    o.Ok();
    EXPECT_EQ(o.Stored().TitleName, "うちの台所");
    o.Store.WriteSettings();  // the write at exit goes through
    EXPECT_EQ(LoadSettingsFile(o.Store.Path()).CookKinds, QStringList({"和食", "寿司", ""}));
}

namespace {

QStringList ItemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

}  // namespace

// The help names the papers and the recipe attributes as the program offers them.
TEST(OptionForm, HelpNamesWhatTheWindowOffers) {
    QFile file(QStringLiteral(SAPORIA_SOURCE_DIR "/help/index.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(file.readAll());
    TOptions o;
    o.Open();
    // The attributes as the print header lists name them, plus the dialog's own three.
    const QStringList attributes =
        ItemsOf(o.Find<QComboBox>("ComboBox1")).mid(1) + QStringList{"アイコン", "おいしさ", "むずかしさ"};
    const std::pair<const char*, QStringList> rows[] = {
        {"4 種類の用紙（([^）]*)）", ItemsOf(o.Find<QComboBox>("ComboBox3"))},
        {"「レシピ属性変更」で([^。]*)を変更します", attributes},
        {"属性の選択肢（([^）]*)）", ItemsOf(o.Find<QComboBox>("ComboBox1")).mid(1, 3)},
        {"Status.txt</td><td>属性（([^）]*)など）", attributes},
    };
    for (const auto& [pattern, offered] : rows) {
        SCOPED_TRACE(pattern);
        const QRegularExpressionMatch found = QRegularExpression(QString::fromUtf8(pattern)).match(help);
        ASSERT_TRUE(found.hasMatch());
        const QStringList named = found.captured(1).split(u'・');
        if (offered.size() <= 4) {  // a whole list: the same, in the same order
            EXPECT_EQ(named, offered);
            continue;
        }
        for (const QString& name : named)
            EXPECT_TRUE(offered.contains(name)) << name.toStdString();
    }
}

// A closed list shows its chosen item, with and without the focus: its face
// carries text that stands out from the face's own background.
TEST(OptionForm, ClosedListsShowTheirChoice) {
    TOptions o("[PRINT]\r\nPAPERSIZE=ハガキ\r\nCONTENTSTYPE=1\r\nHEADERTYPE=2\r\n");
    TOptionForm& form = o.Open();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* pages = o.Find<QTabWidget>("PageControl1");
    for (const char* name : {"ComboBox3", "ComboBox8", "ComboBox1"}) {
        auto* combo = o.Find<QComboBox>(name);
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(combo))
                pages->setCurrentIndex(i);
        for (const bool focused : {false, true}) {
            SCOPED_TRACE(std::string(name) + (focused ? " focused" : ""));
            (focused ? static_cast<QWidget*>(combo) : o.Find<QWidget>("BitBtnOK"))->setFocus();
            ASSERT_EQ(combo->hasFocus(), focused);
            QStyleOptionComboBox face;
            face.initFrom(combo);
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &face, QStyle::SC_ComboBoxEditField, combo);
            const QImage image = combo->grab().toImage();
            const int ground = qGray(image.pixel(field.topLeft() + QPoint(1, 1)));
            int ink = 0;
            for (int y = field.top(); y <= field.bottom(); ++y)
                for (int x = field.left(); x <= field.right(); ++x)
                    ink += std::abs(qGray(image.pixel(x, y)) - ground) > 96 ? 1 : 0;
            EXPECT_GT(ink, 20);
        }
    }
}
