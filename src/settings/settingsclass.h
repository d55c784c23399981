#pragma once

#include <QStringList>
#include <QWidget>

class MailDelivery;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;
struct AlertMailSettings;

// The Settings page: the mail server that sends alert messages, the password (kept in the
// desktop keyring), the addresses alerts go to, a test message, and the way to the alert list.
class SettingsClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (a stacked page of the main window).
    explicit SettingsClass(QWidget *parent = nullptr);

    QLineEdit *hostEdit() const { return host; }
    QSpinBox *portBox() const { return port; }
    QComboBox *securityBox() const { return security; }
    QLineEdit *userEdit() const { return user; }
    QLineEdit *passwordEdit() const { return password; }
    QLineEdit *senderEdit() const { return sender; }
    QLineEdit *alertAddressEdit() const { return alertAddress; }
    QLineEdit *smsAddressEdit() const { return smsAddress; }
    QLabel *keyringLabel() const { return keyringNote; }
    QLabel *resultLabel() const { return result; }
    QToolButton *testButton() const { return testBtn; }
    MailDelivery *testDelivery() const { return delivery; }

signals:
    void statusMessage(const QString &message, int timeout);

public slots:
    void saveClick();
    void sendTestClick();
    void manageAlertsClick();
    // Fills the form from the store.
    void loadSettings();

private:
    AlertMailSettings formSettings() const;
    // The first problem of the form, or an empty text when it can be used.
    QString problemOfForm(bool forSending) const;
    void showKeyringState();
    void securityChanged(int index);
    void testFinished(bool ok, const QString &recipient, const QString &error);

    QLineEdit *host = nullptr;
    QSpinBox *port = nullptr;
    QComboBox *security = nullptr;
    QLineEdit *user = nullptr;
    QLineEdit *password = nullptr;
    QLabel *keyringNote = nullptr;
    QLineEdit *sender = nullptr;
    QLineEdit *alertAddress = nullptr;
    QLineEdit *smsAddress = nullptr;
    QLabel *result = nullptr;
    QToolButton *saveBtn = nullptr;
    QToolButton *testBtn = nullptr;
    QToolButton *alertsBtn = nullptr;
    MailDelivery *delivery = nullptr;
    QStringList testOutcomes;
};
