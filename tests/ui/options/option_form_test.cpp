#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest/QTest>

#include "ui/widgets/tiled_background.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "ui/options/option_form.h"
#include "support/render_ui.h"
#include "support/temp_app_dir.h"

namespace {

void WriteBitmap(const TTempAppDir& dir, const QString& name, QColor colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    QDir().mkpath(dir.Path("background"));
    ASSERT_TRUE(image.save(dir.Path("background/" + name), "BMP"));
}

void WriteIni(const TTempAppDir& dir, const QString& text) {
    dir.WriteSjis(QFileInfo(SettingsFilePath(dir.AppDir())).fileName(), text);
}

template <typename T>
T* Find(const QWidget& form, const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void ClickOk(const TOptionForm& form) { QTest::mouseClick(Find<QPushButton>(form, "BitBtnOK"), Qt::LeftButton); }

QColor SwatchColour(const TOptionForm& form) {
    return Find<QFrame>(form, "Panel14")->palette().color(QPalette::Window);
}

}  // namespace

TEST(OptionForm, BackgroundListSortedIgnoringCaseWithRealNames) {
    TTempAppDir dir;
    WriteBitmap(dir, "wood.bmp", Qt::darkYellow);
    WriteBitmap(dir, "Check.bmp", Qt::red);
    WriteBitmap(dir, "aqua.BMP", Qt::cyan);
    dir.WriteBytes("background/notes.txt", "x");
    WriteIni(dir, "[BACKGROUND]\r\nFILENAME=CHECK\r\n");
    TOptionForm form(dir.AppDir());
    auto* list = Find<QComboBox>(form, "StyleComboBox");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "aqua");
    EXPECT_EQ(list->itemText(1), "Check");
    EXPECT_EQ(list->itemText(2), "wood");
    form.show();
    EXPECT_EQ(list->currentText(), "Check");  // chosen ignoring case
    auto* pages = Find<QTabWidget>(form, "PageControl1");
    ASSERT_EQ(pages->count(), 7);
    const QStringList tabs = {"表示Ⅰ", "表示Ⅱ", "属性", "文字強調", "印刷設定[基本]",
                              "印刷設定[レシピ]", "印刷設定[目次]"};
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_EQ(pages->tabText(i), tabs[i]);
        pages->setCurrentIndex(i);
        RenderWidgetIfAsked(&form, QString("option_form_%1").arg(i + 1));
    }
    // OK stores the real name of the chosen bitmap.
    ClickOk(form);
    EXPECT_EQ(form.Settings.BackgroundFileName, "Check");
}

TEST(OptionForm, OkWithoutChangesKeepsTheFields) {
    TTempAppDir dir;
    {
        TOptionForm form(dir.AppDir());
        form.show();
        ClickOk(form);
        EXPECT_EQ(form.Settings, TSettings{});
    }
    // Values from the file, some of them outside what the window offers.
    WriteIni(dir,
             "[COOKELEMENT]\r\nTYPE=和食,洋食,\r\n[PRINT]\r\nTYPE=7\r\nPAPERSIZE=Letter\r\n"
             "LEFTMARGIN=50\r\nTOPMARGIN=2\r\nFONTSIZE=12\r\nHEADERTYPE=3\r\n"
             "RIGHT_FOOTERTYPE=7\r\nCONTENTSTYPE=2\r\n[DRAWMEMO]\r\nWIDTH=550\r\nHEIGHT=1500\r\n"
             "[EMPHASIS]\r\nCOLOR=clSkyBlue\r\nUSE=0\r\n[TITLE]\r\nNAME=母のレシピ\r\n"
             "[REPORT]\r\nLARGEICON=0\r\nICONSORT=1\r\n");
    TOptionForm form(dir.AppDir());
    const TSettings loaded = form.Settings;
    form.show();
    EXPECT_EQ(Find<QPlainTextEdit>(form, "Memo1")->toPlainText(), "和食\n洋食\n");
    EXPECT_TRUE(Find<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_EQ(Find<QComboBox>(form, "ComboBox3")->currentIndex(), -1);
    EXPECT_EQ(Find<QSpinBox>(form, "SpinEdit2")->value(), 30);
    EXPECT_EQ(Find<QSpinBox>(form, "SpinEdit4")->value(), 5);
    EXPECT_EQ(Find<QSpinBox>(form, "SpinEdit1")->value(), 12);
    EXPECT_EQ(Find<QComboBox>(form, "ComboBox1")->currentText(), "量");
    EXPECT_EQ(Find<QComboBox>(form, "ComboBox7")->currentText(), "塩分");
    EXPECT_EQ(Find<QComboBox>(form, "ComboBox8")->currentIndex(), 2);
    EXPECT_EQ(Find<QComboBox>(form, "cbDrawMemoWidth")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>(form, "cbDrawMemoHeight")->currentText(), "1500");
    EXPECT_EQ(Find<QLineEdit>(form, "EditTitle")->text(), "母のレシピ");
    EXPECT_FALSE(Find<QCheckBox>(form, "CheckBox1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(form, "CheckBox8")->isChecked());
    EXPECT_EQ(SwatchColour(form), QColor(0xA6, 0xCA, 0xF0));
    // Emphasis off: swatch hidden, words greyed.
    EXPECT_FALSE(Find<QFrame>(form, "Panel14")->isVisible());
    EXPECT_FALSE(Find<QPlainTextEdit>(form, "Memo3")->isEnabled());

    ClickOk(form);
    TSettings expected = loaded;
    expected.PrintType = 1;
    expected.PaperSize = "";
    expected.LeftMargin = 30;
    expected.TopMargin = 5;
    expected.DrawMemoWidth = 500;
    EXPECT_EQ(form.Settings, expected);
    EXPECT_EQ(form.Settings.CookKinds, QStringList({"和食", "洋食", ""}));
    EXPECT_EQ(form.Settings.EmphasisColor, ColorSkyBlue);
}

TEST(OptionForm, CancelDiscardsEditsAndAPickedColour) {
    TTempAppDir dir;
    TOptionForm form(dir.AppDir());
    form.PickColour = [](QColorDialog*) { return std::optional<QColor>(Qt::red); };
    form.show();
    EXPECT_EQ(SwatchColour(form), QColor(Qt::blue));
    QTest::mouseClick(Find<QFrame>(form, "Panel14"), Qt::LeftButton);
    EXPECT_EQ(SwatchColour(form), QColor(Qt::red));
    Find<QLineEdit>(form, "EditTitle")->setText("changed");
    Find<QCheckBox>(form, "CheckBox5")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(form, "BitBtnCancel"), Qt::LeftButton);
    EXPECT_EQ(form.Settings, TSettings{});
    form.show();
    EXPECT_EQ(SwatchColour(form), QColor(Qt::blue));
    EXPECT_EQ(Find<QLineEdit>(form, "EditTitle")->text(), "Saporia");
    EXPECT_FALSE(Find<QCheckBox>(form, "CheckBox5")->isChecked());

    // A colour picked and confirmed with OK is stored, by its name when it has one.
    QTest::mouseClick(Find<QFrame>(form, "Panel14"), Qt::LeftButton);
    ClickOk(form);
    EXPECT_EQ(form.Settings.EmphasisColor, 0x0000FFu);
    EXPECT_EQ(ColorToText(form.Settings.EmphasisColor), "clRed");
}

TEST(OptionForm, OkAppliesAtOnceAndTheFileKeepsTheChanges) {
    TTempAppDir dir;
    WriteBitmap(dir, "tile.bmp", Qt::green);
    SetSharedBackImg(QPixmap());
    {
        TOptionForm form(dir.AppDir());
        std::vector<std::pair<TSettingsApply, bool>> applied;
        form.AddSettingsTarget([&](const TSettingsApply& a, bool starting) { applied.push_back({a, starting}); });
        form.ApplySettings(true);
        ASSERT_EQ(applied.size(), 1u);
        EXPECT_TRUE(applied[0].second);
        EXPECT_TRUE(applied[0].first.BackgroundPath.isEmpty());
        EXPECT_TRUE(SharedBackImg().isNull());

        form.show();
        Find<QComboBox>(form, "StyleComboBox")->setCurrentIndex(0);
        Find<QCheckBox>(form, "CheckBox6")->setChecked(true);
        Find<QCheckBox>(form, "CheckBox1")->setChecked(false);
        Find<QCheckBox>(form, "CheckBox3")->setChecked(true);
        Find<QLineEdit>(form, "EditTitle")->setText("うちの台所");
        Find<QPlainTextEdit>(form, "Memo1")->setPlainText("和食\n\n中華");
        Find<QRadioButton>(form, "RadioButton3")->setChecked(true);
        ClickOk(form);
        ASSERT_EQ(applied.size(), 2u);
        const TSettingsApply& a = applied[1].first;
        EXPECT_FALSE(applied[1].second);
        EXPECT_TRUE(a.BackgroundPath.endsWith("background/tile.bmp"));
        EXPECT_EQ(SharedBackImg().size(), QSize(32, 32));
        EXPECT_EQ(a.PaneFontName, "ＭＳ ゴシック");
        EXPECT_FALSE(a.LargeRowIcons);
        EXPECT_TRUE(a.GridLines);
        EXPECT_EQ(a.Caption, "うちの台所");
        EXPECT_EQ(a.KindChoices, QStringList({"和食", "", "中華"}));  // an empty line is a choice
        EXPECT_EQ(form.Settings.PrintType, 3);
    }
    // Destroying the window wrote the file; the next run reads the same values.
    TOptionForm again(dir.AppDir());
    EXPECT_EQ(again.Settings.TitleName, "うちの台所");
    EXPECT_EQ(again.Settings.BackgroundFileName, "tile");
    EXPECT_EQ(again.Settings.PrintType, 3);
    EXPECT_TRUE(again.Settings.UseSameWidthFont);
    EXPECT_EQ(again.Settings.CookKinds, QStringList({"和食", "中華", ""}));  // empty dropped at writing
    SetSharedBackImg(QPixmap());
}

TEST(OptionForm, LinkAndEmphasisControlsFollowTheirBoxes) {
    TTempAppDir dir;
    TOptionForm form(dir.AppDir());
    form.show();
    auto* link = Find<QCheckBox>(form, "CheckBox9");
    auto* thumb = Find<QCheckBox>(form, "CheckBox10");
    EXPECT_TRUE(thumb->isEnabled());
    link->setChecked(false);
    EXPECT_FALSE(thumb->isEnabled());
    auto* pages = Find<QTabWidget>(form, "PageControl1");
    pages->setCurrentIndex(3);
    auto* emphasis = Find<QCheckBox>(form, "CheckBox4");
    EXPECT_TRUE(Find<QFrame>(form, "Panel14")->isVisible());
    emphasis->setChecked(false);
    EXPECT_FALSE(Find<QFrame>(form, "Panel14")->isVisible());
    EXPECT_FALSE(Find<QPlainTextEdit>(form, "Memo3")->isEnabled());
    Find<QPlainTextEdit>(form, "Memo3")->setPlainText("塩");
    ClickOk(form);
    EXPECT_FALSE(form.Settings.UseEmphasis);
    EXPECT_FALSE(form.Settings.UseThumbnail && form.Settings.UseLinkFunction);
    EXPECT_EQ(form.Settings.EmphasisWords, QStringList({"塩"}));
    // The page last shown is shown again.
    form.show();
    EXPECT_EQ(pages->currentIndex(), 3);
}

TEST(OptionForm, WritingTheOptionsKeepsTheWindowLayoutKeys) {
    TTempAppDir dir;
    WriteIni(dir, "[FORM]\r\nWINDOWSTATE=1\r\n[ToolBar2]\r\nVISIBLE=0\r\n[TITLE]\r\nNAME=old\r\n");
    {
        TOptionForm form(dir.AppDir());
        form.show();
        Find<QLineEdit>(form, "EditTitle")->setText("new");
        ClickOk(form);
    }
    const QString text = ReadSjisText(SettingsFilePath(dir.AppDir()));
    EXPECT_TRUE(text.contains("WINDOWSTATE=1"));
    EXPECT_TRUE(text.contains("[ToolBar2]"));
    EXPECT_TRUE(text.contains("NAME=new"));
    EXPECT_FALSE(text.contains("NAME=old"));
}

TEST(OptionForm, AFailedWriteAtTheEndIsReported) {
    TTempAppDir dir;
    const QString path = SettingsFilePath(dir.AppDir());
    QDir().mkpath(path);  // a folder where the file should be
    TDialogAnswerer answers;
    { TOptionForm form(dir.AppDir()); }
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_TRUE(answers.Texts()[0].contains("に書き込めません"));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(OptionForm, AValueTheFileCannotHoldIsRefusedOnOkNotLostAtExit) {
    TTempAppDir dir;
    const QString sushi = QString::fromUtf8("\xF0\x9F\x8D\xA3");
    TDialogAnswerer answers;
    {
        TOptionForm form(dir.AppDir());
        form.show();
        Find<QLineEdit>(form, "EditTitle")->setText("うちの台所");
        Find<QPlainTextEdit>(form, "Memo1")->setPlainText("和食\n" + sushi);
        ClickOk(form);
        // Refused with the character named; the window stays for a fix.
        ASSERT_EQ(answers.Texts().size(), 1);
        EXPECT_TRUE(answers.Texts()[0].contains(sushi));
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.Settings.TitleName, "Saporia");
        Find<QPlainTextEdit>(form, "Memo1")->setPlainText("和食\n寿司");
        ClickOk(form);
        EXPECT_EQ(form.Settings.TitleName, "うちの台所");
    }
    EXPECT_EQ(answers.Texts().size(), 1);  // the write at exit went through
    EXPECT_EQ(TOptionForm(dir.AppDir()).Settings.CookKinds, QStringList({"和食", "寿司", ""}));
}
