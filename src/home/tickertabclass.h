#pragma once

#include <QString>
#include <QWidget>

class ElidedLabel;
class QGroupBox;
class QLabel;
class QTimer;

// One price box of the home page: the symbol and company name above the last price, the day's
// change and its percentage, on a background coloured by the sign of the change. Reads the
// stored snapshot every two minutes.
class TickerTabClass : public QWidget
{
    Q_OBJECT

public:
    // Shows the box's symbol at once ("creating: " in the log).
    explicit TickerTabClass(const QString &symbol, QWidget *parent = nullptr);

    static constexpr int RefreshMs = 120000;

    QString symbol;

    QGroupBox *descBox() const { return descGroupBox; }
    QGroupBox *changeBox() const { return changeGroupBox; }
    QLabel *symbolText() const { return symbolLabel; }
    ElidedLabel *companyText() const { return titleLabel; }
    QLabel *priceText() const { return priceLabel; }
    QLabel *changeText() const { return changeLabel; }
    QLabel *percentText() const { return percentLabel; }
    QTimer *refreshTimer() const { return timer; }

public slots:
    void update();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void restyle(QGroupBox *box);

    QGroupBox *descGroupBox = nullptr;
    QGroupBox *changeGroupBox = nullptr;
    QLabel *symbolLabel = nullptr;
    ElidedLabel *titleLabel = nullptr;
    QLabel *priceLabel = nullptr;
    QLabel *changeLabel = nullptr;
    QLabel *percentLabel = nullptr;
    QTimer *timer = nullptr;
    bool styledOnce = false;
};
