#pragma once

#include <memory>

#include <QDialog>

#include "core/web/tree_store.h"

class QPushButton;
class TWebTreeEditor;
class TWebTreeView;
struct TWindows;

// The bookmark organiser: folders and bookmarks in a tree, added, edited,
// deleted and moved by dragging. It holds the bookmark store for the run;
// the bookmark menu reads the same tree. The store is read at creation and
// written when the window is destroyed at exit.
class TBookMarkForm final : public QDialog {
    Q_OBJECT
public:
    TBookMarkForm(const QString& appDir, TWindows* windows, QWidget* mainWindow = nullptr);
    ~TBookMarkForm() override;

    TTreeStore& Store() { return BookMarkXML; }
    TWebTreeView* Tree() const { return TreeView1; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void TreeView1Changing(TWebNode* node);
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn4Click();

    TWindows* Windows = nullptr;
    TTreeStore BookMarkXML;
    TWebTreeView* TreeView1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    std::unique_ptr<TWebTreeEditor> Editor;
};
