#include "support/alertfixture.h"

#include "alerts/alertstatements.h"
#include "store/sqlquoting.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

AlertFixture::AlertFixture() = default;

bool AlertFixture::open()
{
    if (!data.open())
        return false;
    for (const char *symbol : {"AAPL", "MSFT", "O'NEIL"})
        data.addSymbol(QString::fromLatin1(symbol));
    data.addField(QStringLiteral("Symbol"), QStringLiteral("Symbol"), QStringLiteral("left"), 1);
    data.addField(QStringLiteral("LastTradePriceOnly"), QStringLiteral("Last"),
                  QStringLiteral("right"), 3);
    data.addField(QStringLiteral("DaysLow"), QStringLiteral("Day's Low"), QStringLiteral("right"),
                  8);
    data.addField(QStringLiteral("ChangeinPercent"), QStringLiteral("Change %"),
                  QStringLiteral("right"), 5);
    data.addField(QStringLiteral("MarketCapitalization"), QStringLiteral("Market Cap"),
                  QStringLiteral("right"), 10);
    boxes().clear(); // the first-run question
    return true;
}

int AlertFixture::addAlert(const Alert &alert)
{
    store().ExecSQL(
        AlertStatements::insertAlert({alert.symbol, alert.column, alert.compare, alert.value,
                                      alert.email, alert.popup, alert.sms}));
    const int id = store().GetSQL(QStringLiteral("SELECT MAX(id) FROM alerts")).toInt();
    store().ExecSQL(AlertStatements::setFlag(id, QStringLiteral("enabled"), alert.enabled));
    return id;
}

void AlertFixture::setQuote(const QString &symbol, const QString &code, const QString &value)
{
    store().ExecSQL(QStringLiteral("DELETE FROM fData WHERE symbol=%1 AND name=%2")
                        .arg(sqlQuoted(symbol), sqlQuoted(code)));
    data.addSnapshotValue(symbol, code, value);
}

QString AlertFixture::alertColumn(int id, const QString &column)
{
    return store().GetSQL(QStringLiteral("SELECT %1 FROM alerts WHERE id=%2").arg(column).arg(id));
}

void AlertFixture::whenModalShown(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (clock->elapsed() > 5000) {
                poll->deleteLater();
                delete clock;
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        delete clock;
        QPointer<QWidget> window(modal);
        action(modal);
        // A window the action left open is closed later, so the test fails instead of hanging.
        QTimer::singleShot(5000, [window] {
            if (window && window->isVisible()) {
                if (auto *dialog = qobject_cast<QDialog *>(window.data()))
                    dialog->reject();
                else
                    window->close();
            }
        });
    });
    poll->start(10);
}
