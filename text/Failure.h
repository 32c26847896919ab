#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Every failure of the program travels as a Failure: the message is the text the operator sees,
// the kind names the sort of failure and the address the code that raised it (both shown only by the
// start-up crash box).
class Failure : public std::exception
{
public:
    explicit Failure(QString message, QString kind = QStringLiteral("Exception"));

    const QString& message() const noexcept { return m_message; }
    const QString& kind() const noexcept { return m_kind; }
    // Where the failure was made: the return address into the code that constructed it.
    const void* address() const noexcept { return m_address; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QString m_kind;
    QByteArray m_utf8;
    const void* m_address;
};

// The message text of any exception: a Failure's own text, otherwise what() read as UTF-8.
QString failureMessage(const std::exception& error);
// The kind name of any exception, for the start-up crash box.
QString failureKind(const std::exception& error);
// Where a failure was raised, as an offset into the program file that holds that code, so that it stays
// the same from run to run and can be looked up in the build (addr2line -e Receipt). 0 for an exception
// that is not a Failure, whose origin is unknown.
quintptr failureAddress(const std::exception& error);
