#include <benchmark/benchmark.h>

#include "core/platform/ini_file.h"
#include "core/settings/settings.h"
#include "core/settings/window_layout.h"
#include "support/temp_app_dir.h"

// What the program writes at exit: the option keys and the main window's
// layout keys (about 100 in all), one atomic file write.
static void BM_SaveSettingsAtExit(benchmark::State& state) {
    TTempAppDir dir;
    const QString path = dir.Path("saporia.ini");
    SaveSettingsFile(TSettings(), path);
    const QStringList bars{"ToolBar1", "ToolBar2", "ToolBar3", "ToolBar4", "PanelHint", "PanelClock", "PanelAuthor"};
    int run = 0;
    for (auto _ : state) {
        TIniFile ini(path);
        TSettings s = LoadSettings(ini);
        s.PrintType = 1 + (++run % 4);  // something changes every time
        SaveSettings(s, ini);
        for (const QString& bar : bars)
            for (const char* key : {"LEFT", "TOP", "WIDTH", "HEIGHT", "FLOATING", "VISIBLE"})
                ini.WriteInteger(bar, key, run % 100);
        ini.UpdateFile();
    }
}
BENCHMARK(BM_SaveSettingsAtExit)->Unit(benchmark::kMicrosecond);

// Start-up reads the file twice (the option keys with the options window, the
// layout with the main window): the cost of one of those reads.
static void BM_ReadIniOnceAtStartUp(benchmark::State& state) {
    TTempAppDir dir;
    const QString path = dir.Path("saporia.ini");
    SaveSettingsFile(TSettings(), path);
    {
        TIniFile ini(path);
        SaveWindowLayout(TWindowLayout(), ini);
        ini.UpdateFile();
    }
    for (auto _ : state) {
        const TIniFile ini(path);
        benchmark::DoNotOptimize(LoadSettings(ini));
        benchmark::DoNotOptimize(LoadWindowLayout(ini));
    }
}
BENCHMARK(BM_ReadIniOnceAtStartUp)->Unit(benchmark::kMicrosecond);
