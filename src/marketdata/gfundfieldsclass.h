#pragma once

#include <QWidget>

class QDialog;
class QListWidget;
class QToolButton;

// "Select fundamental fields": moves fields between the hidden list and the ordered list of
// fields the fundamentals grid shows. Every move is written to the store at once.
class gfundFieldsClass : public QWidget
{
    Q_OBJECT

public:
    explicit gfundFieldsClass(QWidget *parent = nullptr);
    ~gfundFieldsClass() override;

    void loadFields();
    void saveFieldOrder();
    int exec();

    QDialog *dialog() const { return form; }
    QListWidget *hiddenList = nullptr;
    QListWidget *shownList = nullptr;

public slots:
    void addBtnClick();
    void remBtnClick();
    void upBtnClick();
    void doBtnClick();

private:
    QDialog *form = nullptr;
    QToolButton *addButton = nullptr;
    QToolButton *removeButton = nullptr;
    QToolButton *upButton = nullptr;
    QToolButton *downButton = nullptr;
};
