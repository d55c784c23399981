#pragma once

#include "alerts/alertevaluation.h"

#include <QString>

// The texts that tell the investor about a firing: popup, desktop notification, e-mail, SMS.
namespace AlertMessages {

// "AAPL Last > 182.50"
QString condition(const AlertEvaluation::Firing &firing);
// Local time of the firing, as the popup and the messages show it.
QString timeText(const AlertEvaluation::Firing &firing);
// "Corvane alert: AAPL Last > 182.50"
QString subject(const AlertEvaluation::Firing &firing);
// The e-mail body: condition, value seen, time.
QString body(const AlertEvaluation::Firing &firing);
// One line for a text message: "AAPL Last > 182.50: 182.71 at 14:05".
QString shortText(const AlertEvaluation::Firing &firing);

} // namespace AlertMessages
