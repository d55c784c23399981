#pragma once

#include "charts/chartcomposition.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QNetworkAccessManager;
class QTableWidget;
class QTabWidget;
class QTimer;
class QScrollArea;
class QWheelEvent;
class QChartViewer;

// One chart page: symbol bar, the price chart with its indicators above a chart of news counts,
// and beside them the symbol's headlines and the chart options. The options live in the config
// table and are shared by every page. The page installs its layout on the widget it is given.
class ChartFrameClass : public QWidget
{
    Q_OBJECT

public:
    explicit ChartFrameClass(QWidget *host);
    ~ChartFrameClass() override;

    // Widgets a test or the watchlist page may drive.
    QComboBox *symbolBox() const { return symbolCombo; }
    QComboBox *chartTypeBox() const { return typeCombo; }
    QComboBox *timeFrameBox() const { return timeCombo; }
    QComboBox *compareBox() const { return compareCombo; }
    QTableWidget *headlineTable() const { return newsTable; }
    QChartViewer *priceViewer() const { return priceChartViewer; }
    QChartViewer *newsViewer() const { return newsChartViewer; }
    QLabel *verticalCrossHair() const { return crossHairV; }
    QLabel *horizontalCrossHair() const { return crossHairH; }
    // Height of the main panel in the last drawing.
    int lastMainPanelHeight() const { return mainPanelHeight; }
    // Selects a symbol as the user would, which downloads and draws it.
    void showSymbol(const QString &symbol);

    // Main panel height for a page of the given height with n indicator panels: what is left
    // above the panels, never below a readable minimum.
    static int mainPanelHeightFor(int pageHeight, int indicatorPanels);
    // Points first .. end - 1 of count lie in the viewport (left and width as fractions of the
    // whole range); at least one when there are any.
    using PointRange = ChartComposition::PointRange;
    static PointRange visiblePoints(int count, double viewPortLeft, double viewPortWidth);
    // The chart the price viewer shows, null before the first drawing.
    const FinanceChart *lastChart() const { return shownChart.get(); }
    // The points the last drawing showed.
    PointRange lastShownPoints() const { return shownPoints; }
    static constexpr int MinimumMainPanelHeight = ChartComposition::MinimumMainPanelHeight;

public slots:
    void symbolComboChanged();
    void newRssAlert();
    void rssTableDblClick(int row, int column);
    void replyFinished();
    void drawChart();
    void getQuotes();
    void onMouseMove(QMouseEvent *event);
    void onChartClicked(QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    QWidget *buildOptionsTab();
    void restoreOptions();
    void saveOptions();
    void connectSignals();
    void fixSecondsDates();
    void refreshNewsTable();
    void drawNewsChart();
    // What the option widgets ask to be drawn.
    ChartComposition::Options chosenOptions() const;
    QString currentSymbol() const;
    // Draws with the options as they are, for the part of the history the viewport shows.
    void renderChart();
    void resetViewPort();
    bool zoomByWheel(QWheelEvent *event);
    // The compared symbol's history, downloaded for the current time frame.
    void requestComparisonHistory();
    int chartAreaWidth() const;

    QWidget *host;
    QComboBox *symbolCombo = nullptr;
    QComboBox *typeCombo = nullptr;
    QComboBox *timeCombo = nullptr;
    QComboBox *compareCombo = nullptr;
    QCheckBox *crossHairCheck = nullptr;
    QCheckBox *volumeCheck = nullptr;
    QCheckBox *sarCheck = nullptr;
    QCheckBox *logScaleCheck = nullptr;
    QCheckBox *percentScaleCheck = nullptr;
    QComboBox *priceBandCombo = nullptr;
    QComboBox *movingAverage1Combo = nullptr;
    QComboBox *movingAverage2Combo = nullptr;
    QLineEdit *movingAverage1Period = nullptr;
    QLineEdit *movingAverage2Period = nullptr;
    QComboBox *techCombos[4] = {nullptr, nullptr, nullptr, nullptr};
    QCheckBox *signalsCheck = nullptr;
    QLineEdit *signalPeriod = nullptr;
    QLineEdit *signalTop = nullptr;
    QLineEdit *signalBottom = nullptr;
    QWidget *chartArea = nullptr;
    QScrollArea *chartScroll = nullptr;
    QChartViewer *priceChartViewer = nullptr;
    QChartViewer *newsChartViewer = nullptr;
    QTabWidget *sideTabs = nullptr;
    QTableWidget *newsTable = nullptr;
    QLabel *crossHairV = nullptr;
    QLabel *crossHairH = nullptr;
    QNetworkAccessManager *network = nullptr;
    QTimer *refreshTimer = nullptr;
    QTimer *resizeRedraw = nullptr;

    std::unique_ptr<FinanceChart> shownChart;
    int mainPanelHeight = 0;
    PointRange shownPoints;
};
