#pragma once

#include <QWidget>

class GDatabaseClass;
class QDialog;
class QLabel;
class QTableWidget;
class QToolButton;

// The news template manager: lists the per-symbol feed templates with their article counts, lets
// the user switch each on and off, delete one with its articles, and add or edit one through
// gManageFeedsClass. Shown as a dialog of its own.
class TemplatesClass : public QWidget
{
    Q_OBJECT

public:
    explicit TemplatesClass(QWidget *parent = nullptr);
    ~TemplatesClass() override;

    void loadTemplates();
    int execDialog();
    QDialog *dialogWindow() const { return dialog; }

private slots:
    void feedGridDblClick(int row, int column);
    void feedGridClick(int row, int column);
    void addNewFeed();
    void delFeed();

private:
    GDatabaseClass &store() const;
    QString idOfRow(int row) const;

    QDialog *dialog = nullptr;
    QLabel *explanation = nullptr;
    QTableWidget *grid = nullptr;
    QToolButton *addButton = nullptr;
    QToolButton *deleteButton = nullptr;
};
