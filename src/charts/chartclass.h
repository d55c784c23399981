#pragma once

#include <QWidget>

class ChartFrameClass;
class QTabWidget;
class QToolButton;

// The charts page: one chart page per tab, a small add button in the corner, always at least one
// tab. Other pages open chart tabs through the process-wide instance.
class ChartClass : public QWidget
{
    Q_OBJECT

public:
    // Installs its layout on the container it is given (a stacked page of the main window).
    explicit ChartClass(QWidget *container);
    ~ChartClass() override;

    static ChartClass *instance();
    static void setInstance(ChartClass *charts);

    QTabWidget *tabs() const { return tabWidget; }
    ChartFrameClass *latestChart() const { return latest; }

signals:
    void newRssAlert();

public slots:
    void newChart();
    void on_tabWidget_tabCloseRequested(int index);
    void newRSS();

private:
    QTabWidget *tabWidget = nullptr;
    QToolButton *addButton = nullptr;
    ChartFrameClass *latest = nullptr;
};
