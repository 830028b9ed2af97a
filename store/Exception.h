#pragma once

#include <QString>
#include <exception>

// The one error type of the program: a message text that ends up in a message box.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Raised by the document reader and writer.
class EXMLException : public Exception {
public:
    using Exception::Exception;
};

class EXMLIOException : public EXMLException {
public:
    using EXMLException::EXMLException;
};
