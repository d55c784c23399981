#include "alerts/mailsettings.h"

#include "alerts/mailpassword.h"
#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"

AlertMailSettings AlertMailSettings::load(GDatabaseClass &store)
{
    AlertMailSettings settings;
    settings.server.host = SettingsKeys::read(store, SettingsKeys::SmtpHost);
    settings.server.port = int(SettingsKeys::readNumber(store, SettingsKeys::SmtpPort, 587));
    const qint64 security = SettingsKeys::readNumber(store, SettingsKeys::SmtpSecurity,
                                                     qint64(MailSender::Security::StartTls));
    settings.server.security = security >= 0 && security <= 2 ? MailSender::Security(security)
                                                              : MailSender::Security::StartTls;
    settings.server.user = SettingsKeys::read(store, SettingsKeys::SmtpUser);
    settings.server.password = MailPassword::instance().password();
    settings.server.sender = SettingsKeys::read(store, SettingsKeys::MailSender);
    settings.alertAddress = SettingsKeys::read(store, SettingsKeys::AlertEmailAddress);
    settings.smsAddress = SettingsKeys::read(store, SettingsKeys::AlertSmsAddress);
    return settings;
}

void AlertMailSettings::save(GDatabaseClass &store) const
{
    store.ExecSQL(QStringLiteral("BEGIN TRANSACTION;"));
    SettingsKeys::write(store, SettingsKeys::SmtpHost, server.host);
    SettingsKeys::write(store, SettingsKeys::SmtpPort, qint64(server.port));
    SettingsKeys::write(store, SettingsKeys::SmtpSecurity, qint64(server.security));
    SettingsKeys::write(store, SettingsKeys::SmtpUser, server.user);
    SettingsKeys::write(store, SettingsKeys::MailSender, server.sender);
    SettingsKeys::write(store, SettingsKeys::AlertEmailAddress, alertAddress);
    SettingsKeys::write(store, SettingsKeys::AlertSmsAddress, smsAddress);
    store.ExecSQL(QStringLiteral("COMMIT;"));
}
