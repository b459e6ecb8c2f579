// The main window's creation, close query, close and destruction.
#include "ui/mainwindow/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

#include "ui/mainwindow/control_bar.h"
#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/list_area.h"
#include "core/search/find_career.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_name.h"
#include "ui/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/platform/saporia_error.h"
#include "core/settings/settings_store.h"

const QString TMainForm::SaveQuestion = QStringLiteral("レシピが変更されています、保存しますか？");
const QString TMainForm::PlainPrintCaption = QStringLiteral("印刷(&P)");
const QString TMainForm::PlainPreviewCaption = QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)...");

namespace {

const QString StartErrorPrefix = QStringLiteral("起動エラー. Msg=");

}  // namespace

TMainForm::TMainForm(const QString& appDir, TSettingsStore* store, TWindows* windows, QWidget* parent)
    : QMainWindow(parent), Store(store), OtherWindows(windows ? windows : &OwnWindows) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Saporia"));
    AppDir = WithTrailingSlash(appDir);
    Book = std::make_unique<TRecipeBook>(AppDir);
    OpenRecipe = new TOpenRecipe(DataRootOf(AppDir), this);
    if (!Store)
        Store = new TSettingsStore(SettingsFilePath(AppDir), this);
    // What the options' OK changes shows at once.
    connect(Store, &TSettingsStore::SettingsChanged, this,
            [this] { ApplyOptionSettings(SettingsToApply(Settings(), AppDir), false); });
    FormCreate();
}

TMainForm::~TMainForm() {
    if (!Destroyed)
        FormDestroy();
}

const TSettings& TMainForm::Settings() const { return Store->Settings(); }

// Each step is guarded on its own: a failing step is reported and the others
// still run, so one broken file does not leave the window half built.
void TMainForm::FormCreate() {
    auto step = [this](const std::function<void()>& body) { RunGuarded(this, StartErrorPrefix, body); };

    // 1-3: fields, memo canvas, pages.
    BuildWidgets();
    resize(800, 600);
    tmClock = new QTimer(this);
    tmClock->setObjectName(QStringLiteral("tmClock"));
    tmClock->setInterval(1000);
    connect(tmClock, &QTimer::timeout, this, &TMainForm::tmClockTimer);
    tmHint = new QTimer(this);
    tmHint->setObjectName(QStringLiteral("tmHint"));
    tmHint->setInterval(35);
    BindCommands();
    CreatePaneAids();
    SetEditMode(false);
    WireOptionCommands();
    WireSearchCommands();

    // 4: paths.
    HelpFile = AppDir + QStringLiteral("SAPORIA.HLP");

    // 5: refinement history.
    step([this] { Book->ReadFindCareer(); });

    // 6: files dropped on the photo pane: the photo pane's own view (CreatePaneAids).

    // 9: the data folder.
    DataRoot = DataRootOf(AppDir);
    if (!QFileInfo(DataRoot).isDir() && !QDir().mkpath(DataRoot)) {
        ShowErrorBox(this, QStringLiteral("フォルダの作成に失敗しました. FolderPath=") + DataRoot);
        TerminateRequested = true;
    }

    // 10: user icons.
    step([this] { Book->LoadUserIcons(); });

    // 11: input-support words.
    step([this] { LoadMaterialList(); });

    // 12: the column table.
    step([this] { Book->ReadColumnTable(); });

    // 13: columns, scan, rows; no recipe selected, panes read-only.
    step([this] { ListArea->BuildListColumns(); });
    step([this] { SearchCookFld(); });
    step([this] { IndicateList(-1); });

    // 14: layout keys.
    step([this] { ReadLayout(); });
    DrawClock();
}

void TMainForm::LoadMaterialList() {
    const QString path = AppDir + QStringLiteral("Material.dat");
    MaterialList.clear();
    if (QFileInfo::exists(path))
        MaterialList = ReadSjisLines(path);
}

bool TMainForm::IsModified() const { return OpenRecipe->IsModified(); }

void TMainForm::SetModified(bool modified) { OpenRecipe->SetModified(modified); }

bool TMainForm::QuerySaveChanges() {
    if (!OpenRecipe->ShouldAskToSave(ViewOnly, ClosingFlag))
        return true;
    TSaveAnswer answer = TSaveAnswer::Cancel;
    switch (AskYesNoCancel(this, SaveQuestion)) {
    case TMsgResult::Yes:
        answer = TSaveAnswer::Yes;
        break;
    case TMsgResult::No:
        answer = TSaveAnswer::No;
        break;
    default:
        break;
    }
    return OpenRecipe->Answer(answer, [this] { return Save(); });
}

bool TMainForm::FormCloseQuery() {
    const bool asked = OpenRecipe->ShouldAskToSave(ViewOnly, ClosingFlag);
    if (!QuerySaveChanges())
        return false;
    if (asked)
        ClosingFlag = true;
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit Closed();
}

void TMainForm::FormClose() {
    if (tmClock)
        tmClock->stop();
    // A failure while writing the layout keys is ignored: the window closes.
    try {
        WriteLayout();
    } catch (const std::exception&) {
    }
}

void TMainForm::FormDestroy() {
    if (Destroyed)
        return;
    Destroyed = true;
    // Each file is written by its own step: one failing write is reported and
    // the others still happen. A file is written back only when this run
    // loaded it or took its defaults.
    RunGuarded(this, ErrorPrefix(QStringLiteral("Column.dat")), [this] { ListArea->WriteColumnTable(); });
    if (Book->FindCareerLoaded())
        RunGuarded(this, ErrorPrefix(FindCareerFileName), [this] { Book->WriteFindCareer(); });
}
