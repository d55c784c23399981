#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QCompleter;
class QLineEdit;
class QToolButton;

// The two network lookups of the buy and sell dialogs, made through the symbol search's waiting
// lookups: suggestions for the symbol field and the last trade price for the price field.
//
// Each lookup waits in a local event loop, so keystrokes and clicks arrive while one runs. Only
// one suggestion lookup runs at a time: text typed meanwhile is looked up when it returns, and
// an answer for text that has changed since is dropped. A live price arriving after the user
// changed the symbol or typed a price of their own is dropped too.
class TradeLookups : public QObject
{
    Q_OBJECT

public:
    TradeLookups(QLineEdit *symbolEdit, QLineEdit *priceEdit, QToolButton *priceButton,
                 QObject *parent = nullptr);

    // Wait limit of each lookup (the symbol search's default unless set).
    void setLookupTimeout(int milliseconds) { timeoutMs = milliseconds; }

    void suggest(const QString &query);
    void fetchPrice();

    QCompleter *completer() const { return currentCompleter; }
    bool suggesting() const { return suggestionRunning; }
    int suggestionLookups() const { return lookups; }

private:
    QStringList symbolList(const QString &text);

    QPointer<QLineEdit> symbols;
    QPointer<QLineEdit> price;
    QPointer<QToolButton> priceButton;
    QCompleter *currentCompleter = nullptr;
    bool suggestionRunning = false;
    bool priceRunning = false;
    int timeoutMs = 0;
    int lookups = 0;
};
