#include "core/commands/command_table.h"

namespace {

using K = TCommandKind;

TCommandRow Sub(const QString& name, const QString& parent, const QString& caption, bool visible = true) {
    TCommandRow row;
    row.Kind = K::SubMenu;
    row.Name = name;
    row.Menu = parent;
    row.Caption = caption;
    row.Visible = visible;
    return row;
}

TCommandRow Sep(const QString& menu) {
    TCommandRow row;
    row.Kind = K::Separator;
    row.Menu = menu;
    return row;
}

TCommandRow Cmd(const QString& name, const QString& menu, const QString& caption, const QString& shortcut = {}) {
    TCommandRow row;
    row.Name = name;
    row.Menu = menu;
    row.Caption = caption;
    row.Shortcut = shortcut;
    return row;
}

// Open recipe needed.
TCommandRow&& Recipe(TCommandRow&& row) {
    row.NeedsRecipe = true;
    return std::move(row);
}
// Writes the open recipe: never in view-only mode.
TCommandRow&& Writes(TCommandRow&& row) {
    row.NeedsRecipe = true;
    row.ChangesRecipe = true;
    row.ViewOnly = false;
    return std::move(row);
}
TCommandRow&& Hidden(TCommandRow&& row) {
    row.Visible = false;
    return std::move(row);
}
TCommandRow&& Serves(TCommandRow&& row, TServingRule rule) {
    row.Serving = rule;
    return std::move(row);
}
TCommandRow&& Check(TCommandRow&& row, int tag, const QString& group = {}) {
    row.Checkable = true;
    row.Tag = tag;
    row.Group = group;
    return std::move(row);
}
TCommandRow&& At(TCommandRow&& row, TCommandPlace place) {
    row.Places.push_back(std::move(place));
    return std::move(row);
}

TCommandPlace Button(const QString& bar, const QString& name, const QString& hint, const QString& art, int slot,
                     bool separatorBefore = false) {
    return TCommandPlace{bar, name, QString(), hint, QString(), art, slot, separatorBefore};
}
TCommandPlace TextButton(const QString& bar, const QString& name, const QString& caption, int slot) {
    return TCommandPlace{bar, name, caption, QString(), QString(), QString(), slot, false};
}
TCommandPlace PopupItem(const QString& menu, const QString& name, const QString& caption, const QString& shortcut,
                        int slot, bool separatorBefore = false) {
    return TCommandPlace{menu, name, caption, QString(), shortcut, QString(), slot, separatorBefore};
}
// A button that its pane builds itself; the command only drives it.
TCommandPlace Existing(const QString& container, const QString& name) {
    TCommandPlace place;
    place.Container = container;
    place.Name = name;
    return place;
}

std::vector<TCommandRow> BuildTable() {
    const QString list = QStringLiteral("ListPopupMenu");
    const QString bar1 = QStringLiteral("ToolBar1");
    const QString bar6 = QStringLiteral("ToolBar6");
    std::vector<TCommandRow> t;

    t.push_back(Sub("miFile", "MainMenu", "ファイル(&F)"));
    t.push_back(Cmd("miModeChange", "miFile", "参照モードに切替"));
    t.push_back(Sep("miFile"));
    t.push_back(Sub("miExport", "miFile", "エクスポート(&X)"));
    t.push_back(Sub("miExportSelected", "miExport", "選択されたレシピ"));
    t.push_back(Recipe(Cmd("miMailExport", "miExportSelected", "メール添付用エクスポート...")));
    t.push_back(Recipe(Cmd("miHTMLExport", "miExportSelected", "HTMLで保存...")));
    t.push_back(Sub("miExportShown", "miExport", "表示されているレシピ"));
    t.push_back(Cmd("miPSPHtmlExport", "miExportShown", "PSP用HTML出力..."));
    t.push_back(Hidden(Cmd("PSP1", "miExportShown", "PSP用HTML出力機能の詳細へ(&P)...")));
    t.push_back(Sub("miImport", "miFile", "インポート(&M)"));
    t.push_back(Cmd("miMailImport", "miImport", "メール添付用インポート..."));
    t.push_back(Sep("miFile"));
    t.push_back(At(At(At(Recipe(Cmd("miPrint", "miFile", "印刷(&P)", "Ctrl+P")),
                         Button(bar1, "tbtnPrint", "選択したレシピを印刷します", "Print", 10, true)),
                      TextButton(bar6, "tbtnEasyPrint", "印 刷", 2)),
                   PopupItem(list, "N46", "印刷(&P)", {}, 10, true)));
    t.push_back(At(Recipe(Cmd("PrintPreview1", "miFile", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)...")),
                   Button(bar1, "tbtnPrintPreview", "選択したレシピの印刷ﾌﾟﾚﾋﾞｭｰを表示します", "PrintPreview", 11)));
    t.push_back(Cmd("B3", "miFile", "目次印刷(&A)"));
    t.push_back(Cmd("A3", "miFile", "目次印刷ﾌﾟﾚﾋﾞｭｰ(&B)..."));
    t.push_back(Sep("miFile"));
    t.push_back(At(Cmd("Exit1", "miFile", "終了(&X)"), TextButton(bar6, "tbtnClose", "終 了", 1)));

    t.push_back(Sub("miRecipe", "MainMenu", "レシピ(&R)"));
    {
        TCommandRow add = At(Cmd("miRecipeAdd", "miRecipe", "レシピ追加(&N)...", "Ctrl+N"),
                             Button(bar1, "ToolButtonNewRecipe", "レシピの追加...", "NewRecipe", 1));
        add.ChangesRecipe = true;
        t.push_back(std::move(add));
    }
    t.push_back(At(At(Writes(Cmd("miRecipeDelete", "miRecipe", "レシピの削除(&D)...", "Ctrl+D")),
                      Button(bar1, "ToolButtonDelRecipe", "レシピの削除...", "DeleteRecipe", 2)),
                   PopupItem(list, "Delete2", "レシピ削除(&D)...", "Ctrl+D", 1)));
    t.push_back(At(Writes(Cmd("miRecipeSave", "miRecipe", "レシピの上書き保存(&S)", "Ctrl+S")),
                   Existing("Panel8", "tbtnSave")));
    t.push_back(At(At(Writes(Cmd("miRecipeRename", "miRecipe", "レシピ名変更(&R)...", "Ctrl+R")),
                      Button(bar1, "ToolButtonEditRecipe", "レシピ名の変更...", "RenameRecipe", 3)),
                   PopupItem(list, "R1", "料理名変更(&R)...", "Ctrl+R", 2)));
    t.push_back(At(At(Writes(Cmd("miRecipeAttrEdit", "miRecipe", "レシピ属性変更(&A)...")),
                      Button(bar1, "ToolButtonEditAttr", "レシピ属性変更...", "RecipeAttributes", 4)),
                   PopupItem(list, "E2", "レシピ属性変更(&E)...", "Ctrl+E", 3)));
    t.push_back(Sep("miRecipe"));
    {
        TCommandRow reload = At(Cmd("miUpdate", "miRecipe", "最新の情報に更新(&R)", "F5"),
                                Button(bar1, "ToolButton5", "最新の情報に更新", "Reload", 5));
        reload.ChangesRecipe = true;
        t.push_back(std::move(reload));
    }
    t.push_back(Sep("miRecipe"));
    t.push_back(Cmd("N4", "miRecipe", "クックパッドから取り込み..."));

    t.push_back(Sub("miView", "MainMenu", "表示(&V)"));
    t.push_back(Sub("miToolbar", "miView", "ツールバー(&T)"));
    t.push_back(Check(Cmd("miTbShortcut", "miToolbar", "ショートカット"), 1));
    t.push_back(Check(Cmd("miTbDisplayform", "miToolbar", "表示形式"), 2));
    t.push_back(Check(Cmd("miTbSearch", "miToolbar", "検索"), 3));
    t.push_back(Check(Cmd("miTbHint", "miToolbar", "ヒント"), 4));
    t.push_back(Check(Cmd("miTbClock", "miToolbar", "時計"), 5));
    t.push_back(Check(Cmd("miTbHomePage", "miToolbar", "ホームページへ"), 6));
    t.push_back(Sep("miView"));
    t.push_back(Check(Cmd("A2", "miView", "分類表示(&A)"), 0));
    t.push_back(Check(Cmd("S1", "miView", "サムネイル表示(&S)"), 0));
    t.push_back(Sep("miView"));
    t.push_back(Cmd("miDisplayDetailConfig", "miView", "詳細表示の設定[ﾚﾎﾟｰﾄ形式](&C)..."));
    t.push_back(Sub("miCharSize", "miView", "文字のサイズ(&F)"));
    t.push_back(Check(Cmd("miFontSizeMax", "miCharSize", "最大"), 13, "FontSize"));
    t.push_back(Check(Cmd("miFontSizeBig", "miCharSize", "大"), 11, "FontSize"));
    t.push_back(Check(Cmd("miFontSizeMiddle", "miCharSize", "中"), 9, "FontSize"));
    t.push_back(Check(Cmd("miFontSizeSmall", "miCharSize", "小"), 8, "FontSize"));
    t.push_back(Check(Cmd("miFontSizeMin", "miCharSize", "最小"), 7, "FontSize"));
    t.push_back(Sep("miView"));
    t.push_back(Cmd("miIconManage", "miView", "アイコン設定(&I)..."));

    t.push_back(Sub("miSearch", "MainMenu", "検索(&S)"));
    t.push_back(Cmd("miSearchRecipeName", "miSearch", "【料理名】検索(&C)..."));
    t.push_back(Cmd("miSearchRecipeNameNext", "miSearch", "【料理名】次を検索", "F2"));
    t.push_back(Sep("miSearch"));
    t.push_back(Cmd("miSearchMaterialName", "miSearch", "【材料】検索(&M)..."));
    t.push_back(Cmd("miSearchMaterialNameNext", "miSearch", "【材料】次を検索", "F3"));

    t.push_back(Sub("ool1", "MainMenu", "ツール(&T)"));
    t.push_back(At(Cmd("miKitchenTimer", "ool1", "キッチンタイマー(&T)...", "Ctrl+T"),
                   Button(bar1, "ToolButton14", "キッチンタイマー", "KitchenTimer", 20, true)));
    t.push_back(At(Cmd("miClac", "ool1", "計算(&C)..."),
                   Button(bar1, "ToolButton16", "計算", "Calculator", 22)));
    t.push_back(At(Cmd("miRSS", "ool1", "RSSリーダー(&R)...", "F12"),
                   Button(bar1, "ToolButton15", "RSSリーダー", "RssReader", 21)));
    t.push_back(Sep("ool1"));
    t.push_back(Hidden(Cmd("C1", "ool1", "通信(&C)...")));
    t.push_back(Sub("MenuServer", "ool1", "サーバー(&S)", false));
    t.push_back(Serves(Cmd("MenuStartup", "MenuServer", "起動(&S)"), TServingRule::Stopped));
    t.push_back(Serves(Cmd("MenuClose", "MenuServer", "終了(&D)"), TServingRule::Serving));
    t.push_back(Cmd("Detail1", "MenuServer", "詳細(&I)..."));
    t.push_back(Sep("ool1"));
    t.push_back(At(Cmd("miOption", "ool1", "各種設定(&O)..."),
                   Button(bar1, "ToolButton11", "各種設定...", "Options", 23)));

    // The bookmark drop-down is filled when it opens.
    t.push_back(Sub("B1", "MainMenu", "ﾌﾞｯｸﾏｰｸ(&B)"));

    t.push_back(Sub("miHelp", "MainMenu", "ヘルプ(&H)"));
    t.push_back(Cmd("Help2", "miHelp", "ヘルプ(&D)", "F1"));
    t.push_back(At(Cmd("miHomePage", "miHelp", "作者ホームページへ(&H)..."),
                   Button("PanelAuthor", "Image3", "作者ホームページへ", "HomePage", 1)));
    t.push_back(Sep("miHelp"));
    t.push_back(Cmd("About1", "miHelp", "バージョン情報(&A)..."));

    // Buttons without a menu item.
    const char* const views[][4] = {{"tbtnReport", "レポート形式", "ViewReport"},
                                    {"tbtnList", "リスト形式", "ViewList"},
                                    {"tbtnIcon", "大きいアイコン形式", "ViewLargeIcons"},
                                    {"tbtnSmallIcon", "小さいアイコン形式", "ViewSmallIcons"}};
    for (int i = 0; i < 4; ++i)
        t.push_back(At(Check(Cmd(views[i][0], {}, views[i][1]), i, "ViewStyle"),
                       Button("ToolBar2", views[i][0], views[i][1], views[i][2], i)));
    t.push_back(At(Cmd("tbtnModeChange", {}, "通常モードに切替"),
                   TextButton(bar6, "tbtnModeChange", "通常モードに切替", 3)));
    t.push_back(At(Recipe(Cmd("tbtnWordWrap", {}, "自動改行")), Existing("Panel8", "tbtnWordWrap")));
    t.push_back(At(Cmd("btnSearchRefinement", {}, "検 索"), Existing("ToolBar4", "btnSearchRefinement")));

    // Pop-up menus of the text panes and the photo.
    t.push_back(Recipe(Cmd("Copy1", "REPopupMenu", "コピー(&C)")));
    t.push_back(Writes(Cmd("Paste3", "REPopupMenu", "貼り付け(&P)")));
    t.push_back(Sep("REPopupMenu"));
    t.push_back(Writes(Cmd("N18", "REPopupMenu", "[数字]全角を半角へ置き換え(&T)")));
    // Aligning also needs a selection, which the menu checks when it opens.
    TCommandRow blanks = Cmd("N45", "REPopupMenu", "選択された文字で揃える");
    blanks.Tag = 1;
    t.push_back(std::move(blanks));
    TCommandRow dots = Cmd("N48", "REPopupMenu", "選択された文字で揃えて置き換える");
    dots.Tag = 2;
    t.push_back(std::move(dots));
    t.push_back(Sep("REPopupMenu"));
    t.push_back(Sub("N38", "REPopupMenu", "選択されたテキストに画像をリンクする"));
    t.push_back(Cmd("N39", "N38", "ファイルからリンク画像を読み込む..."));
    t.push_back(Cmd("Paste1", "N38", "クリップボードから画像を貼り付け"));
    t.push_back(Sub("N41", "REPopupMenu", "任意のリンクを削除する"));
    t.push_back(Cmd("N40", "REPopupMenu", "すべてのリンクを削除する..."));

    t.push_back(Writes(Cmd("L1", "PicturePopupMenu", "画像読込み(&L)...")));
    t.push_back(Cmd("C2", "PicturePopupMenu", "画像コピー(&C)"));
    t.push_back(Writes(Cmd("Paste2", "PicturePopupMenu", "画像貼り付け(&P)")));
    t.push_back(Sep("PicturePopupMenu"));
    t.push_back(Writes(Cmd("D1", "PicturePopupMenu", "画像削除(&D)...")));
    return t;
}

}  // namespace

const std::vector<TCommandRow>& CommandTable() {
    static const std::vector<TCommandRow> table = BuildTable();
    return table;
}

const TCommandRow* FindCommand(const QString& name) {
    for (const TCommandRow& row : CommandTable())
        if (row.Kind == TCommandKind::Command && row.Name == name)
            return &row;
    return nullptr;
}

bool CommandEnabled(const TCommandRow& row, const TCommandState& state, bool hasHandler) {
    if (row.Kind != TCommandKind::Command || !row.Handled || !hasHandler)
        return false;
    if (state.Busy && row.ChangesRecipe)
        return false;
    if (row.NeedsRecipe && !state.RecipeOpen)
        return false;
    if ((row.Serving == TServingRule::Stopped && state.Serving) ||
        (row.Serving == TServingRule::Serving && !state.Serving))
        return false;
    return !state.ViewOnly || row.ViewOnly;
}
