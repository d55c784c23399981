#pragma once

#include "simservice.h"

// The economic calendar service: one file per week, dated by its Sunday
// (/files/Calendar-MM-dd-yyyy.csv), and a 32x32 flag picture per currency
// (/design/fxcm/img/flags/32x32/flag-usd.png).
class CalendarService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
