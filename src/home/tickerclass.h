#pragma once

#include <QStringList>
#include <QWidget>

class ElidedLabel;
class QLabel;
class QTimer;

// The price ticker above the navigation list: every three seconds the next followed symbol
// with its company name, bid and day's change, the change coloured by its sign. It reads the
// symbol list and the stored snapshot afresh on every step and downloads nothing.
class TickerClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (the main window's ticker frame).
    explicit TickerClass(QWidget *parent = nullptr);

    static constexpr int StepMs = 3000;

    QTimer *stepTimer() const { return timer; }
    // Position of the symbol shown next.
    int nextIndex() const { return index; }

    ElidedLabel *companyLabel() const { return labelA; }
    QLabel *symbolLabel() const { return labelB; }
    QLabel *bidLabel() const { return labelC; }
    QLabel *changeLabel() const { return labelD; }

public slots:
    void nextSymbol();

private:
    void showChange(const QString &text);

    ElidedLabel *labelA = nullptr; // company name
    QLabel *labelB = nullptr;      // symbol
    QLabel *labelC = nullptr;      // bid
    QLabel *labelD = nullptr;      // percent change
    int index = 0;
    QStringList symbols;
    QTimer *timer = nullptr;
};
