#pragma once

class TOpenRecipe;
class TRecipeBook;
class TSettingsStore;

// The core state the windows share, created at start-up before any window.
// A window built alone (tests) makes what is missing for itself.
struct TCoreState {
    TSettingsStore* Store = nullptr;
    TRecipeBook* Book = nullptr;
    TOpenRecipe* Recipe = nullptr;
    // The main window's creation only starts the scan of the data folder;
    // FinishStartUpScan lists the recipes once the other windows exist.
    bool ScanAlongside = false;
};
