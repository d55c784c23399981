#pragma once

#include <QObject>
#include <QString>

// The password of the mail server. It is kept in the desktop keyring (QtKeychain); where no
// keyring service runs it lives in memory for this run only. Reading and writing the keyring are
// asynchronous, so the state is announced by changed().
class MailPassword : public QObject
{
    Q_OBJECT

public:
    static MailPassword &instance();

    QString password() const { return secret; }
    enum class Keyring
    {
        Unknown,
        Available,
        Unavailable
    };
    Keyring keyring() const { return keyringState; }
    // Why the keyring could not keep the password (empty while it works).
    QString keyringProblem() const { return problem; }

    // Starts reading the stored password from the keyring.
    void load();
    // Uses the password from now on and keeps it in the keyring (an empty one is removed).
    void store(const QString &password);

    static inline const QString ServiceName = QStringLiteral("Corvane");
    static inline const QString AccountName = QStringLiteral("smtp");

signals:
    void changed();

private:
    MailPassword() = default;
    void finished(int error, const QString &errorText);

    QString secret;
    Keyring keyringState = Keyring::Unknown;
    QString problem;
};
