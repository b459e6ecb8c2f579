// The main window's creation, close query, close and destruction.
#include "ui/mainwindow/main_form.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "core/recipes/recipe_book.h"
#include "ui/mainwindow/list_area.h"
#include "ui/mainwindow/pane_aids.h"
#include "ui/mainwindow/recipe_panes.h"
#include "core/search/find_career.h"
#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
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

TMainForm::TMainForm(const QString& appDir, TCoreState state, TWindows* windows, QWidget* parent)
    : QMainWindow(parent), State(state), OtherWindows(windows ? windows : &OwnWindows) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Saporia"));
    AppDir = WithTrailingSlash(appDir);
    DataRoot = DataRootOf(AppDir);
    if (!State.Book) {
        OwnBook = std::make_unique<TRecipeBook>(AppDir);
        State.Book = OwnBook.get();
    }
    if (!State.Recipe)
        State.Recipe = new TOpenRecipe(DataRoot, this);
    if (!State.Store)
        State.Store = new TSettingsStore(SettingsFilePath(AppDir), this);
    // What the options' OK changes shows at once.
    connect(State.Store, &TSettingsStore::SettingsChanged, this,
            [this] { ApplyOptionSettings(SettingsToApply(Settings(), AppDir), false); });
    FormCreate();
}

TMainForm::~TMainForm() {
    if (!Destroyed)
        FormDestroy();
}

const TSettings& TMainForm::Settings() const { return State.Store->Settings(); }

// Each step is guarded on its own: a failing step is reported and the others
// still run, so one broken file does not leave the window half built.
void TMainForm::FormCreate() {
    auto step = [this](const std::function<void()>& body) { RunGuarded(this, StartErrorPrefix, body); };
    TRecipeBook& book = *State.Book;

    BuildWidgets();
    resize(800, 600);
    tmClock = new QTimer(this);
    tmClock->setObjectName(QStringLiteral("tmClock"));
    tmClock->setInterval(1000);
    connect(tmClock, &QTimer::timeout, this, &TMainForm::ClockTick);
    BindCommands();
    SetEditMode(false);

    step([&book] { book.ReadFindCareer(); });

    // A data folder that is there but cannot be opened (a link to itself) is
    // named as such, not as one that could not be created.
    if (const QString failure = DataFolderOpenFailure(DataRoot); !failure.isEmpty()) {
        ShowErrorBox(this, failure);
        Terminate = true;
    } else if (!QFileInfo(DataRoot).isDir() && !QDir().mkpath(DataRoot)) {
        ShowErrorBox(this, QStringLiteral("フォルダの作成に失敗しました. FolderPath=") + DataRoot);
        Terminate = true;
    }

    step([&book] { book.LoadUserIcons(); });
    step([this] { PaneAids->LoadMaterialList(AppDir + QStringLiteral("Material.dat")); });
    step([&book] { book.ReadColumnTable(); });

    // Columns, scan, rows; no recipe selected, panes read-only.
    step([this] { ListArea->BuildListColumns(); });
    if (Terminate) {  // the failure is reported once, above
        step([this] { IndicateList(-1); });
    } else if (State.ScanAlongside) {
        step([&book] { book.BeginSearchCookFld(); });
    } else {
        step([this] { ListArea->SearchCookFld(false); });
        step([this] { IndicateList(-1); });
    }

    step([this] { ReadLayout(); });
    // Otherwise the first tool button would take the keyboard, and the first
    // arrow key after start-up would move nothing in the list.
    ListArea->FocusList();
    DrawClock();
}

void TMainForm::FinishStartUpScan() {
    if (!State.Book->SearchingCookFld())
        return;
    auto step = [this](const std::function<void()>& body) { RunGuarded(this, StartErrorPrefix, body); };
    step([this] { ListArea->EndStartUpScan(); });
    step([this] { IndicateList(-1); });
}

void TMainForm::StartClock() { tmClock->start(); }

bool TMainForm::QuerySaveChanges() {
    TOpenRecipe& recipe = *State.Recipe;
    if (!recipe.ShouldAskToSave(ViewOnly(), ClosingFlag))
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
    return recipe.Answer(answer, [this] { return Panes->Save(); });
}

bool TMainForm::FormCloseQuery() {
    const bool asked = State.Recipe->ShouldAskToSave(ViewOnly(), ClosingFlag);
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
    if (State.Book->FindCareerLoaded())
        RunGuarded(this, ErrorPrefix(FindCareerFileName), [this] { State.Book->WriteFindCareer(); });
}
