#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Shared pieces of the fuzz targets: the input as bytes, a file holding it
// (for readers that take a path), and a check that aborts so libFuzzer keeps
// the input.

inline QByteArray FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Writes the input to one file in a folder made once per process.
inline QString FuzzFile(const QByteArray& bytes, const QString& name) {
    static QTemporaryDir dir;
    const QString path = dir.path() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

#define FUZZ_CHECK(condition)                                                       \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                           \
        }                                                                           \
    } while (0)
