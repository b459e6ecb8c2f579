#pragma once

#include <functional>
#include <memory>

#include <QDialog>
#include <QList>

#include "core/platform/system_info_panel.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box: version, release date, links, and the system information panel.
class TVersionForm final : public QDialog {
    Q_OBJECT
public:
    explicit TVersionForm(const QString& appDir, QWidget* parent = nullptr,
                          std::unique_ptr<TSystemInfoSources> sources = nullptr);
    ~TVersionForm() override;

    // Opens an address with the desktop; returns false when nothing opened it.
    std::function<bool(const QString&)> OpenAddress;

    void GatherSystemInfo();

    // The help document's front page beside the program.
    QString HomePageAddress() const;
    static QString MailAddressText();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ComboBox1Change();
    void Label5Click();
    void Image4Click();
    void ApplyView(const TSystemInfoView& view);

    QString AppDir;
    std::unique_ptr<TSystemInfoSources> Sources;
    QList<TMountEntry> Volumes;
    QWidget* PaintBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Image4 = nullptr;
    bool Filling = false;
};
