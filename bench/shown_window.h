#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <memory>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include "core/recipes/open_recipe.h"
#include "core/recipes/recipe_book.h"
#include "core/recipes/recipe_name.h"
#include "core/recipes/recipe_store.h"
#include "core/search/thumbnail_loader.h"
#include "figure_timing.h"
#include "support/recipe_fixture.h"
#include "ui/app/windows.h"
#include "ui/mainwindow/main_form.h"
#include "ui/mainwindow/thumbnail_strip.h"

// The real main window on a generated collection and an event-loop probe,
// shared by the figures that need the window.

using TClock = std::chrono::steady_clock;

inline double Since(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Runs the event loop until `done`, sleeping between events (a 5 ms timer
// wakes it), so the window's thread takes no core from the workers.
inline void WaitUntil(const std::function<bool()>& done) {
    QTimer wake;
    wake.start(5);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Runs the event loop for a while, as the user pauses between actions.
inline void Pump(double ms) {
    const TClock::time_point start = TClock::now();
    WaitUntil([&] { return Since(start) >= ms; });
}

// The main window on one generated collection, shown, as the program makes it.
struct TShownWindow {
    QString AppDir;
    TWindows Windows;
    std::unique_ptr<TRecipeBook> Book;
    std::unique_ptr<TOpenRecipe> Recipe;
    std::unique_ptr<TMainForm> Form;
    TThumbnailStrip* Strip = nullptr;

    explicit TShownWindow(const TRecipeCollection& c) : AppDir(c.Dir.path() + u'/') {
        Book = std::make_unique<TRecipeBook>(AppDir);
        Recipe = std::make_unique<TOpenRecipe>(DataRootOf(AppDir));
        Form = std::make_unique<TMainForm>(AppDir, TCoreState{nullptr, Book.get(), Recipe.get()}, &Windows);
        Form->WireRecipeCommands();
        Form->setGeometry(0, 0, 1100, 700);
        Form->show();
        Settle();
        Strip = Form->findChild<TThumbnailStrip*>();
    }
    void Trigger(const char* action) const { Form->findChild<QAction*>(QLatin1String(action))->trigger(); }
    bool PaneOpen() const { return Form->findChild<QAction*>(QStringLiteral("S1"))->isChecked(); }
    void SetPane(bool open) {
        if (PaneOpen() != open)
            Trigger("S1");
        if (open)
            Strip->FinishLoading();
        Settle();
    }
    void Refill() {
        Form->IndicateList(-1);
        Settle();
    }
    static void Settle() { QCoreApplication::processEvents(); }
};

inline std::vector<QByteArray> PhotoPaths(const TRecipeCollection& c) {
    QStringList photos;
    for (const QString& name : c.Names) {
        const QString path = c.Root + u'/' + name + QStringLiteral("/写真.jpg");
        if (QFile::exists(path))
            photos << path;
    }
    return NativePaths(photos);
}

// The thumbnails' anchor: libjpeg decoding every photo at 1/8 on exactly
// `threads` threads at the thumbnail workers' priority, a photo at a time
// from a shared counter as the loader takes them. (ForEachChunk would add
// the calling thread to its workers.)
inline qint64 DecodeEveryPhotoOnThreads(const std::vector<QByteArray>& paths, int threads) {
    std::atomic<qint64> total = 0;
    std::atomic<size_t> next = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), TThumbnailLoader::WorkerNice);
            for (size_t i; (i = next++) < paths.size();)
                total += DecodeEveryPhotoAtOneEighth({paths[i]});
        });
    for (std::thread& worker : workers)
        worker.join();
    return total;
}
