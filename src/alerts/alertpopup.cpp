#include "alerts/alertpopup.h"

#include "alerts/alertmessages.h"
#include "alerts/alertrules.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

QList<AlertPopup *> &popups()
{
    static QList<AlertPopup *> open;
    return open;
}

constexpr int Margin = 12;

} // namespace

AlertPopup::AlertPopup(const AlertEvaluation::Firing &firing, int shownMs)
    // A tool-tip window: the window manager neither decorates nor activates it, so the user's
    // typing goes on where it was.
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("alertPopup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    // With the main window in the tray, closing the last popup must not end the application.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setWindowTitle(tr("Alert"));

    auto *title = new QLabel(tr("Alert: %1").arg(firing.symbol));
    title->setObjectName(QStringLiteral("alertPopupTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);

    auto *close = new QToolButton;
    close->setObjectName(QStringLiteral("alertPopupClose"));
    close->setText(QStringLiteral("\u00d7"));
    close->setToolTip(tr("Close"));
    close->setFocusPolicy(Qt::NoFocus);
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, &QWidget::close);

    auto *layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0);
    layout->addWidget(close, 0, 1, Qt::AlignRight | Qt::AlignTop);
    const QList<QPair<QString, QString>> lines{
        {tr("Field:"), firing.field},
        {tr("Condition:"),
         QStringLiteral("%1 %2").arg(AlertRules::compareSymbol(firing.compare), firing.threshold)},
        {tr("Value seen:"), firing.value},
        {tr("Time:"), AlertMessages::timeText(firing)}};
    int row = 1;
    for (const auto &[label, text] : lines) {
        auto *value = new QLabel(text);
        value->setTextFormat(Qt::PlainText); // quote values come from the network
        layout->addWidget(new QLabel(label), row, 0);
        layout->addWidget(value, row, 1);
        ++row;
    }

    lifetime = new QTimer(this);
    lifetime->setSingleShot(true);
    lifetime->setInterval(shownMs);
    connect(lifetime, &QTimer::timeout, this, &QWidget::close);
    popups().append(this);
}

AlertPopup::~AlertPopup()
{
    popups().removeOne(this);
}

QList<AlertPopup *> AlertPopup::openPopups()
{
    return popups();
}

void AlertPopup::showWithoutFocus()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        int bottom = area.bottom() - Margin;
        for (const AlertPopup *other : popups()) {
            if (other != this && other->isVisible())
                bottom = qMin(bottom, other->geometry().top() - Margin);
        }
        move(area.right() - Margin - width(), qMax(area.top(), bottom - height()));
    }
    show();
    lifetime->start();
}
