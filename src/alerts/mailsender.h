#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// E-mail over SMTP through libcurl: the settings, the message text and one blocking send that
// runs on a worker thread.
namespace MailSender {

enum class Security
{
    None = 0,
    StartTls = 1,
    Tls = 2
};

struct Settings
{
    QString host;
    int port = 587;
    Security security = Security::StartTls;
    QString user;
    QString password;
    QString sender;
};

struct Message
{
    QString recipient;
    QString subject;
    QString body;
};

struct Result
{
    bool ok = false;
    QString error; // what went wrong, for the log and the status bar
};

// True for a plain address "name@host" without spaces, angle brackets or line breaks.
bool isMailAddress(const QString &address);

// The smtp:// or smtps:// address of the server; empty when the host is no host name.
QString serverUrl(const Settings &settings);

// The message as sent: headers (Date, From, To, Subject, Message-ID, MIME) and the body with
// CRLF line ends. Line breaks in header values are dropped so that nothing can add a header.
QByteArray composeMessage(const Settings &settings, const Message &message, const QDateTime &now);

// Sends one message and waits for the server's answer (at most about 40 s). Blocking: call it
// off the GUI thread.
Result send(const Settings &settings, const Message &message);

} // namespace MailSender
