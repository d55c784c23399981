#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QVBoxLayout;
class TickerTabClass;

// The column of price boxes on the home page, one TickerTabClass per followed symbol in symbol
// order. It follows the symbol list: when the store reports a symbol added or deleted, the box
// appears or goes at once; the other boxes stay as they are.
class TickerBoxClass : public QWidget
{
    Q_OBJECT

public:
    // Installs its column on the container it is given.
    explicit TickerBoxClass(QWidget *parent = nullptr);

    // The symbols of the boxes, top to bottom.
    QStringList boxSymbols() const;
    TickerTabClass *box(const QString &symbol) const;

public slots:
    void updateDisplay();
    // Reads the symbol list again and adds or removes boxes to match it.
    void followSymbolList();
    // Refreshes every box from the stored snapshot, e.g. when a new one has arrived.
    void refreshBoxes();

private:
    QVBoxLayout *column = nullptr;
    QGroupBox *loadingBox = nullptr;
    QMap<QString, QWidget *> holders; // symbol -> the plain widget holding its box
    QStringList order;
};
