#pragma once

#include "alerts/alertevaluation.h"

#include <QFrame>

class QTimer;

// A small window in the corner of the screen that tells about one firing. It never takes the
// focus from what the user is typing, stays above other windows and closes itself after a while.
class AlertPopup : public QFrame
{
    Q_OBJECT

public:
    static constexpr int ShownMs = 30000;

    explicit AlertPopup(const AlertEvaluation::Firing &firing, int shownMs = ShownMs);
    ~AlertPopup() override;

    // Shows the popup in the lower right corner, above the popups still open.
    void showWithoutFocus();
    QTimer *closeTimer() const { return lifetime; }

    // The popups currently open, oldest first.
    static QList<AlertPopup *> openPopups();

private:
    QTimer *lifetime = nullptr;
};
