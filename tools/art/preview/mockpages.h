#pragma once

// Stand-ins for the application's pages and dialogs, built with the same object names and
// widget settings, so the style sheet can be judged without the real pages.

#include <QString>

class QDialog;
class QMainWindow;
class QWidget;

namespace preview {

QString iconPath(const QString &name); // ":/Icons/.../128x128/<name>"

QMainWindow *buildMainWindow(const QString &besideDir);

void buildHomePage(QWidget *page);
void buildChartPage(QWidget *page, const QString &besideDir);
void buildFundamentalsPage(QWidget *page);
void buildPortfolioPage(QWidget *page);
void buildWatchlistPage(QWidget *page);
void buildCalendarPage(QWidget *page, const QString &besideDir);

QDialog *buildManageSymbolsDialog();
QDialog *buildBuyDialog();
QDialog *buildFieldChooserDialog();

} // namespace preview
