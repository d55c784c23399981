#pragma once

#include <QString>
#include <QVariant>

class GDatabaseClass;

// Keys of the config table and the one way to read and write them.
namespace SettingsKeys {

inline const QString SchemaVersion = QStringLiteral("dbver");
inline const QString MarketWrapsUpdate = QStringLiteral("marketWrapsUpdate");
inline const QString CalendarUpdate = QStringLiteral("calendarUpdate");
// "1" while the first-run population was offered but has not succeeded (download failed or was
// cancelled): the next start offers it again.
inline const QString PopulationPending = QStringLiteral("populationPending");
inline const QString DisplayCrossHairs = QStringLiteral("displayCrossHairs");
inline const QString TypeCombo = QStringLiteral("typeCombo");
inline const QString TimeCombo = QStringLiteral("timeCombo");
inline const QString ParaSar = QStringLiteral("paraSar");
inline const QString Volume = QStringLiteral("vol");
inline const QString LogScale = QStringLiteral("logscale");
inline const QString PercentScale = QStringLiteral("percscale");
inline const QString PriceBands = QStringLiteral("priceBands");
inline const QString MovingAverage1 = QStringLiteral("movavg1");
inline const QString MovingAverage2 = QStringLiteral("movavg2");
inline const QString Tech1 = QStringLiteral("tech1");
inline const QString Tech2 = QStringLiteral("tech2");
inline const QString Tech3 = QStringLiteral("tech3");
inline const QString Tech4 = QStringLiteral("tech4");
// Alert delivery by e-mail (the password is kept in the desktop keyring, never here).
inline const QString SmtpHost = QStringLiteral("smtpHost");
inline const QString SmtpPort = QStringLiteral("smtpPort");
inline const QString SmtpSecurity = QStringLiteral("smtpSecurity");
inline const QString SmtpUser = QStringLiteral("smtpUser");
inline const QString MailSender = QStringLiteral("mailSender");
inline const QString AlertEmailAddress = QStringLiteral("alertEmail");
inline const QString AlertSmsAddress = QStringLiteral("alertSmsAddress");

// SQL text for reading and writing one key.
QString selectStatement(const QString &key);
QString writeStatement(const QString &key, qint64 value);
QString writeStatement(const QString &key, const QString &value);

// The stored value, or an empty text when the key has no row.
QString read(GDatabaseClass &store, const QString &key);
// The stored value as a number, or fallback when the key has no row or holds no number.
qint64 readNumber(GDatabaseClass &store, const QString &key, qint64 fallback = 0);
void write(GDatabaseClass &store, const QString &key, qint64 value);
void write(GDatabaseClass &store, const QString &key, const QString &value);

} // namespace SettingsKeys
