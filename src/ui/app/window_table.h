#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QObject>

// The windows created at start-up (report layouts may be plain objects), in
// creation order, with the steps that run where a window would be destroyed
// (the option keys are written in the options window's place). They live
// until the end of the program and go in the reverse order, the last created
// first, so the main window (created first) is destroyed last.
class TWindowTable final {
public:
    TWindowTable() = default;
    ~TWindowTable() { DestroyAll(); }
    TWindowTable(const TWindowTable&) = delete;
    TWindowTable& operator=(const TWindowTable&) = delete;

    template <class T, class... Args>
    T* Create(Args&&... args) {
        T* window = new T(std::forward<Args>(args)...);
        Entries.push_back({window, {}});
        return window;
    }
    // Runs `step` at this place of the destruction order.
    void AtDestruction(std::function<void()> step) { Entries.push_back({nullptr, std::move(step)}); }

    void DestroyAll() {
        while (!Entries.empty()) {
            TEntry entry = std::move(Entries.back());
            Entries.pop_back();
            if (entry.Step)
                entry.Step();
            delete entry.Window;
        }
    }

private:
    struct TEntry {
        QObject* Window = nullptr;
        std::function<void()> Step;
    };
    std::vector<TEntry> Entries;
};
