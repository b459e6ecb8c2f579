#pragma once

#include <stdexcept>

#include <QString>

// The one error type of the program: its message is meant for the user and is
// shown by the command guard of the window that started the operation.
class TSaporiaError : public std::runtime_error {
public:
    explicit TSaporiaError(const QString& message)
        : std::runtime_error(message.toStdString()), Message(message) {}

    const QString& message() const { return Message; }

private:
    QString Message;
};
