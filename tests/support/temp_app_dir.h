#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary program folder for one test: AppDir() ends with "/", like the
// program's own AppDir, and everything in it goes away with the object.
class TTempAppDir final {
public:
    QString AppDir() const;
    QString Path(const QString& relative) const;

    // Writes raw bytes / CP932 text (CR LF as given) to a file below the folder,
    // creating the folders on the way.
    void WriteBytes(const QString& relative, const QByteArray& bytes) const;
    void WriteSjis(const QString& relative, const QString& text) const;
    QByteArray ReadBytes(const QString& relative) const;

private:
    QTemporaryDir Dir;
};

// Text from CP932 bytes given as a C string, so tests state the stored bytes.
QString Sjis(const char* bytes);
