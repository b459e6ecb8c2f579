#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class TWebRecipeLoader;
struct TWebRecipeLoad;

// "サイトからレシピの取り込み": loads a recipe page, shows what was found for
// review, and registers it as a new recipe. Results: 1 register, 6 register
// and run again, 2 cancel (also the close box).
class TImportFromCookPadForm final : public QDialog {
    Q_OBJECT
public:
    TImportFromCookPadForm(QString dataRoot, QWidget* parent = nullptr);
    ~TImportFromCookPadForm() override;

    void ResetForm();
    TWebRecipeLoader& Loader() { return *PageLoader; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void reject() override;

private:
    void btnGetWebDataClick();
    void Button1Click();
    void LoadFinished(const TWebRecipeLoad& result);
    void Register(int result);
    void SetBusy(bool busy);

    QString DataRoot;
    QUrl PageUrl;
    QByteArray PhotoJpeg;
    TWebRecipeLoader* PageLoader = nullptr;

    QLineEdit* edtURL = nullptr;
    QPushButton* btnGetWebData = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QLineEdit* edtTitle = nullptr;
    QLineEdit* edtAmount = nullptr;
    QPlainTextEdit* memMaterial = nullptr;
    QPlainTextEdit* memHow = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* bbtnOKNext = nullptr;
    QPushButton* bbtnOk = nullptr;
    QPushButton* bbtnCancel = nullptr;
};
