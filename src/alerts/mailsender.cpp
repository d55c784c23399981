#include "alerts/mailsender.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>
#include <QUuid>

#include <curl/curl.h>

#include <cstring>
#include <mutex>

namespace MailSender {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MailSender", text);
}

QString singleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

// RFC 2047 encoded word for a header value that is not plain ASCII.
QByteArray headerText(const QString &text)
{
    const QString line = singleLine(text);
    bool ascii = true;
    for (const QChar c : line)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        return line.toLatin1();
    return "=?UTF-8?B?" + line.toUtf8().toBase64() + "?=";
}

struct Upload
{
    QByteArray data;
    qsizetype offset = 0;
};

size_t readPayload(char *buffer, size_t size, size_t count, void *userData)
{
    auto *upload = static_cast<Upload *>(userData);
    const size_t room = size * count;
    const size_t left = size_t(upload->data.size() - upload->offset);
    const size_t chunk = qMin(room, left);
    std::memcpy(buffer, upload->data.constData() + upload->offset, chunk);
    upload->offset += qsizetype(chunk);
    return chunk;
}

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

bool isMailAddress(const QString &address)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[^@\\s<>()\\[\\],;:\"]+@[A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    return pattern.match(address).hasMatch();
}

QString serverUrl(const Settings &settings)
{
    static const QRegularExpression hostName(
        QStringLiteral("^[A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?$|^\\[[0-9A-Fa-f:.]+\\]$"));
    const QString host = settings.host.trimmed();
    if (!hostName.match(host).hasMatch() || settings.port < 1 || settings.port > 65535)
        return {};
    const QString scheme =
        settings.security == Security::Tls ? QStringLiteral("smtps") : QStringLiteral("smtp");
    return QStringLiteral("%1://%2:%3").arg(scheme, host).arg(settings.port);
}

QByteArray composeMessage(const Settings &settings, const Message &message, const QDateTime &now)
{
    const QString domain = settings.sender.section(QLatin1Char('@'), 1);
    QByteArray text;
    const int offset = now.offsetFromUtc() / 60;
    text += "Date: " +
            QLocale::c().toString(now, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1() +
            QString::asprintf("%c%02d%02d", offset < 0 ? '-' : '+', qAbs(offset) / 60,
                              qAbs(offset) % 60)
                .toLatin1() +
            "\r\n";
    text += "From: <" + singleLine(settings.sender).toUtf8() + ">\r\n";
    text += "To: <" + singleLine(message.recipient).toUtf8() + ">\r\n";
    text += "Subject: " + headerText(message.subject) + "\r\n";
    text += "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" +
            singleLine(domain).toUtf8() + ">\r\n";
    text += "MIME-Version: 1.0\r\n";
    text += "Content-Type: text/plain; charset=UTF-8\r\n";
    text += "Content-Transfer-Encoding: 8bit\r\n";
    text += "\r\n";
    QString body = message.body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // libcurl doubles a leading dot itself, so a line holding one dot cannot end the message.
    for (const QString &line : body.split(QLatin1Char('\n')))
        text += line.toUtf8() + "\r\n";
    return text;
}

Result send(const Settings &settings, const Message &message)
{
    const QString url = serverUrl(settings);
    if (url.isEmpty())
        return {false, tr("the mail server \"%1\" (port %2) is not a valid address")
                           .arg(settings.host)
                           .arg(settings.port)};
    if (!isMailAddress(settings.sender))
        return {false, tr("the sender \"%1\" is not an e-mail address").arg(settings.sender)};
    if (!isMailAddress(message.recipient))
        return {false, tr("the recipient \"%1\" is not an e-mail address").arg(message.recipient)};

    initialiseCurlOnce();
    CURL *curl = curl_easy_init();
    if (!curl)
        return {false, tr("libcurl could not start")};

    Upload upload{composeMessage(settings, message, QDateTime::currentDateTime()), 0};
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray from = "<" + settings.sender.toUtf8() + ">";
    const QByteArray to = "<" + message.recipient.toUtf8() + ">";
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    curl_slist *recipients = curl_slist_append(nullptr, to.constData());
    char errorText[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readPayload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L); // no SIGALRM in a worker thread
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 40L);
    if (settings.security == Security::StartTls)
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }

    const CURLcode code = curl_easy_perform(curl);
    Result result;
    result.ok = code == CURLE_OK;
    if (!result.ok) {
        result.error = QString::fromUtf8(errorText).trimmed();
        if (result.error.isEmpty())
            result.error = QString::fromUtf8(curl_easy_strerror(code));
    }
    curl_slist_free_all(recipients);
    curl_easy_cleanup(curl);
    return result;
}

} // namespace MailSender
