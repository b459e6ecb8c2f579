#pragma once

#include <QString>

// Makes a file unreadable, as "chmod 000" does for an ordinary user. Root
// reads such a file all the same, so under root the calling thread also gives
// up the capabilities that override file permissions while the object lives
// (capabilities belong to the thread: code under test must read on it). The
// mode is restored when the object goes.
class TReadDenied final {
public:
    explicit TReadDenied(const QString& path);
    ~TReadDenied();
    TReadDenied(const TReadDenied&) = delete;
    TReadDenied& operator=(const TReadDenied&) = delete;

    // Whether opening the file for reading really fails here.
    bool Denied() const { return IsDenied; }

private:
    QString Path;
    bool CapsDropped = false;
    bool IsDenied = false;
};
