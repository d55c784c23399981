#include "settings/settingsclass.h"

#include "alerts/maildelivery.h"
#include "alerts/mailpassword.h"
#include "alerts/mailsettings.h"
#include "alerts/managealertdialogclass.h"
#include "common/messageboxes.h"
#include "store/gdatabaseclass.h"
#include "widgets/toolbuttons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int StatusShownMs = 15000;
// The usual port of each security choice, in the order of the security box.
constexpr int DefaultPorts[] = {25, 587, 465};

QLineEdit *lineEdit(const QString &placeholder)
{
    auto *edit = new QLineEdit;
    edit->setPlaceholderText(placeholder);
    edit->setMinimumWidth(260);
    return edit;
}

} // namespace

SettingsClass::SettingsClass(QWidget *parent) : QWidget(parent)
{
    auto *topFrame = new QFrame;
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    saveBtn = ToolButtons::largeButton(nullptr, tr("Save"), QStringLiteral("accept.png"));
    connect(saveBtn, &QToolButton::clicked, this, &SettingsClass::saveClick);
    testBtn =
        ToolButtons::largeButton(nullptr, tr("Send test message"), QStringLiteral("megaphone.png"));
    connect(testBtn, &QToolButton::clicked, this, &SettingsClass::sendTestClick);
    alertsBtn =
        ToolButtons::largeButton(nullptr, tr("Manage Alerts..."), QStringLiteral("pencil.png"));
    connect(alertsBtn, &QToolButton::clicked, this, &SettingsClass::manageAlertsClick);
    auto *topLayout = new QHBoxLayout(topFrame);
    topLayout->setContentsMargins(6, 0, 6, 0);
    topLayout->addWidget(new QLabel(tr("Settings")));
    topLayout->addStretch(1);
    topLayout->addWidget(saveBtn);
    topLayout->addWidget(testBtn);
    topLayout->addWidget(alertsBtn);

    host = lineEdit(tr("e.g. smtp.example.com"));
    port = new QSpinBox;
    port->setRange(1, 65535);
    port->setValue(587);
    security = new QComboBox;
    security->addItems({tr("None (plain text)"), tr("STARTTLS"), tr("TLS")});
    security->setCurrentIndex(1);
    connect(security, &QComboBox::currentIndexChanged, this, &SettingsClass::securityChanged);
    user = lineEdit(tr("leave empty when the server needs no login"));
    password = lineEdit(QString());
    password->setEchoMode(QLineEdit::Password);
    keyringNote = new QLabel;
    keyringNote->setWordWrap(true);
    sender = lineEdit(tr("e.g. corvane@example.com"));

    auto *serverBox = new QGroupBox(tr("Mail server for alert messages"));
    auto *serverForm = new QFormLayout(serverBox);
    serverForm->addRow(tr("SMTP host:"), host);
    serverForm->addRow(tr("Port:"), port);
    serverForm->addRow(tr("Security:"), security);
    serverForm->addRow(tr("User:"), user);
    serverForm->addRow(tr("Password:"), password);
    serverForm->addRow(QString(), keyringNote);
    serverForm->addRow(tr("Sender:"), sender);

    alertAddress = lineEdit(tr("e.g. me@example.com"));
    smsAddress = lineEdit(tr("e.g. 5551234567@sms.example.net"));
    auto *addressBox = new QGroupBox(tr("Where alerts are sent"));
    auto *addressForm = new QFormLayout(addressBox);
    addressForm->addRow(tr("Alert e-mail address:"), alertAddress);
    addressForm->addRow(tr("SMS gateway address:"), smsAddress);
    auto *smsHint = new QLabel(tr("Most mobile carriers forward an e-mail sent to such an address "
                                  "to the phone as a text message."));
    smsHint->setWordWrap(true);
    addressForm->addRow(QString(), smsHint);

    result = new QLabel;
    result->setObjectName(QStringLiteral("settingsResult"));
    result->setWordWrap(true);
    result->setTextFormat(Qt::PlainText); // server replies are shown as they came

    auto *content = new QVBoxLayout;
    content->setContentsMargins(12, 12, 12, 12);
    content->addWidget(serverBox);
    content->addWidget(addressBox);
    content->addWidget(result);
    content->addStretch(1);

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topFrame);
    layout->addLayout(content, 1);
    if (parent)
        parent->setLayout(layout);
    else
        setLayout(layout);

    delivery = new MailDelivery(this);
    connect(delivery, &MailDelivery::finished, this, &SettingsClass::testFinished);

    MailPassword &secret = MailPassword::instance();
    connect(&secret, &MailPassword::changed, this, &SettingsClass::showKeyringState);
    loadSettings();
    secret.load();
}

void SettingsClass::loadSettings()
{
    const AlertMailSettings settings = AlertMailSettings::load(GDatabaseClass::mainStore());
    const QSignalBlocker keepPort(security);
    host->setText(settings.server.host);
    security->setCurrentIndex(int(settings.server.security));
    port->setValue(settings.server.port);
    user->setText(settings.server.user);
    password->setText(settings.server.password);
    sender->setText(settings.server.sender);
    alertAddress->setText(settings.alertAddress);
    smsAddress->setText(settings.smsAddress);
    showKeyringState();
}

void SettingsClass::showKeyringState()
{
    const MailPassword &secret = MailPassword::instance();
    // The keyring answers after the page was built; show what it holds unless the user typed.
    if (password->text().isEmpty() && !password->isModified())
        password->setText(secret.password());
    switch (secret.keyring()) {
    case MailPassword::Keyring::Available:
        keyringNote->setText(tr("The password is kept in the desktop keyring."));
        break;
    case MailPassword::Keyring::Unavailable:
        keyringNote->setText(tr("No keyring service is running, so the password is not kept: "
                                "it is used for this run only."));
        break;
    case MailPassword::Keyring::Unknown:
        keyringNote->setText(tr("Asking the desktop keyring for the password..."));
        break;
    }
}

void SettingsClass::securityChanged(int index)
{
    // Follow the choice with its usual port unless the user set another one.
    for (int usual : DefaultPorts) {
        if (port->value() == usual) {
            port->setValue(DefaultPorts[qBound(0, index, 2)]);
            return;
        }
    }
}

AlertMailSettings SettingsClass::formSettings() const
{
    AlertMailSettings settings;
    settings.server.host = host->text().trimmed();
    settings.server.port = port->value();
    settings.server.security = MailSender::Security(security->currentIndex());
    settings.server.user = user->text().trimmed();
    settings.server.password = password->text();
    settings.server.sender = sender->text().trimmed();
    settings.alertAddress = alertAddress->text().trimmed();
    settings.smsAddress = smsAddress->text().trimmed();
    return settings;
}

QString SettingsClass::problemOfForm(bool forSending) const
{
    const AlertMailSettings settings = formSettings();
    if ((forSending || !settings.server.host.isEmpty()) &&
        MailSender::serverUrl(settings.server).isEmpty())
        return tr("Please enter the host name of your mail server, e.g. smtp.example.com.");
    const QList<QPair<QString, QString>> addresses{
        {tr("sender"), settings.server.sender},
        {tr("alert e-mail address"), settings.alertAddress},
        {tr("SMS gateway address"), settings.smsAddress}};
    for (const auto &[name, address] : addresses) {
        if (!address.isEmpty() && !MailSender::isMailAddress(address))
            return tr("The %1 \"%2\" is not an e-mail address.").arg(name, address);
    }
    if (forSending && settings.server.sender.isEmpty())
        return tr("Please enter the sender address the messages come from.");
    if (forSending && settings.alertAddress.isEmpty() && settings.smsAddress.isEmpty())
        return tr("Please enter an alert e-mail address or an SMS gateway address.");
    return {};
}

void SettingsClass::saveClick()
{
    const QString problem = problemOfForm(false);
    if (!problem.isEmpty()) {
        MessageBoxes::warning(this, tr("Warning"), problem);
        return;
    }
    if (!formSettings().save(GDatabaseClass::mainStore())) {
        // Nothing of the form is kept, the password included: the form stays as typed.
        MessageBoxes::writeFailed(this, tr("The mail settings"));
        result->setText(tr("Settings not saved."));
        return;
    }
    if (password->text() != MailPassword::instance().password())
        MailPassword::instance().store(password->text());
    result->setText(tr("Settings saved."));
    emit statusMessage(tr("Settings saved."), StatusShownMs);
}

void SettingsClass::sendTestClick()
{
    const QString problem = problemOfForm(true);
    if (!problem.isEmpty()) {
        MessageBoxes::warning(this, tr("Warning"), problem);
        return;
    }
    const AlertMailSettings settings = formSettings();
    const QString subject = tr("Corvane test message");
    const QString body =
        tr("This is a test message from Corvane. Alert messages will reach you here.");
    QStringList recipients;
    for (const QString &address : {settings.alertAddress, settings.smsAddress}) {
        if (address.isEmpty())
            continue;
        delivery->send(settings.server, {address, subject, body});
        recipients << address;
    }
    testBtn->setEnabled(false);
    testOutcomes.clear();
    result->setText(tr("Sending a test message to %1...").arg(recipients.join(tr(" and "))));
}

void SettingsClass::testFinished(bool ok, const QString &recipient, const QString &error)
{
    const QString text = ok ? tr("Test message sent to %1.").arg(recipient)
                            : tr("Test message to %1 failed: %2").arg(recipient, error);
    testOutcomes << text;
    result->setText(testOutcomes.join(QLatin1Char('\n')));
    emit statusMessage(text, StatusShownMs);
    if (delivery->pending() == 0)
        testBtn->setEnabled(true);
}

void SettingsClass::manageAlertsClick()
{
    ManageAlertDialogClass alerts;
    alerts.execDialog();
}
