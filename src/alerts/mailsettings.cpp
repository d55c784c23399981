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

bool AlertMailSettings::save(GDatabaseClass &store) const
{
    namespace Keys = SettingsKeys;
    return store.runInTransaction(
        {Keys::writeStatement(Keys::SmtpHost, server.host),
         Keys::writeStatement(Keys::SmtpPort, qint64(server.port)),
         Keys::writeStatement(Keys::SmtpSecurity, qint64(server.security)),
         Keys::writeStatement(Keys::SmtpUser, server.user),
         Keys::writeStatement(Keys::MailSender, server.sender),
         Keys::writeStatement(Keys::AlertEmailAddress, alertAddress),
         Keys::writeStatement(Keys::AlertSmsAddress, smsAddress)});
}
