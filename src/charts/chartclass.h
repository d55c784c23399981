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

    // What every page that offers a symbol's chart calls: a new tab of the process-wide chart
    // page, made current, showing the symbol. False (and nothing opened) when there is no chart
    // page or no symbol; the caller then stays where it is.
    static bool showSymbolInNewTab(const QString &symbol);

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
