#pragma once

#include <QWidget>

class QDialog;
class QTableWidget;
class QToolButton;

// "Manage Symbols": the followed symbols, with buttons to add one through the search dialog and
// to delete the selected one together with its news items.
class GManageSymbols : public QWidget
{
    Q_OBJECT

public:
    explicit GManageSymbols(QWidget *parent = nullptr);
    ~GManageSymbols() override;

    void loadSymbols();
    int exec();

    QDialog *dialog() const { return form; }
    QTableWidget *symbolGrid() const { return grid; }
    QString selectedSymbol;

public slots:
    void addSymbolBtnClick();
    void delSymbolBtnClick();

private:
    QDialog *form = nullptr;
    QTableWidget *grid = nullptr;
    QToolButton *addButton = nullptr;
    QToolButton *deleteButton = nullptr;
};
