#pragma once

#include "alerts/mailsender.h"

class GDatabaseClass;

// Where alert messages go and through which server, as the Settings page keeps them in config.
struct AlertMailSettings
{
    MailSender::Settings server; // the password comes from MailPassword, not from the store
    QString alertAddress;
    QString smsAddress;

    static AlertMailSettings load(GDatabaseClass &store);
    // Writes every key in one transaction; false (nothing written) when a statement failed.
    bool save(GDatabaseClass &store) const;
};
