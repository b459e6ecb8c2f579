#pragma once

#include <vector>

#include <QObject>

// The windows created at start-up (report layouts may be plain objects), in
// creation order. They live until the end
// of the program and are destroyed in the reverse order, the last created
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
        Windows.push_back(window);
        return window;
    }
    // Takes a window (or a report layout object) created elsewhere into the table.
    void Add(QObject* window) { Windows.push_back(window); }

    void DestroyAll() {
        while (!Windows.empty()) {
            QObject* window = Windows.back();
            Windows.pop_back();
            delete window;
        }
    }
    int Count() const { return static_cast<int>(Windows.size()); }

private:
    std::vector<QObject*> Windows;
};
