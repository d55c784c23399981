#pragma once
// Constants and chart-time helpers shared by every part of the charting engine.
//
// Colours are 32-bit 0xAARRGGBB values in which AA is the transparency (00 opaque,
// FF invisible). Values whose AA byte is FF are invisible, so that range also carries the
// symbolic colours (palette entries) and gradient handles below.

#include <cstdint>
#include <vector>

namespace Chart {

// The marker of a missing point in every data array, in both directions.
inline constexpr double NoValue = 1.7e308;
inline bool isNoValue(double v)
{
    return !(v < 1.7e307 && v > -1.7e307);
}

// Symbolic colours.
inline constexpr int Transparent = static_cast<int>(0xff000000u);
inline constexpr int Palette = static_cast<int>(0xffff0000u);
inline constexpr int BackgroundColor = static_cast<int>(0xffff0000u);
inline constexpr int LineColor = static_cast<int>(0xffff0001u);
inline constexpr int TextColor = static_cast<int>(0xffff0002u);
inline constexpr int SameAsMainColor = static_cast<int>(0xffff0007u);
// Automatic data colours: DataColor + i is the i-th colour of the data palette.
inline constexpr int DataColor = static_cast<int>(0xffff0008u);
// Gradient colours are handles in [GradientBase, GradientBase + 0xffff].
inline constexpr int GradientBase = static_cast<int>(0xfffe0000u);

// Alignments (numeric-keypad layout).
enum Alignment
{
    BottomLeft = 1,
    BottomCenter = 2,
    Bottom = 2,
    BottomRight = 3,
    Left = 4,
    Center = 5,
    Right = 6,
    TopLeft = 7,
    TopCenter = 8,
    Top = 8,
    TopRight = 9,
};

// Symbols for data points and scatter layers.
enum Symbol
{
    NoSymbol = 0,
    SquareSymbol = 1,
    DiamondSymbol = 2,
    TriangleSymbol = 3,
    RightTriangleSymbol = 4,
    LeftTriangleSymbol = 5,
    InvertedTriangleSymbol = 6,
    CircleSymbol = 7,
    CrossSymbol = 8,
    Cross2Symbol = 9,
};

// How a bar layer combines its data sets.
enum DataCombineMethod
{
    Overlay = 0,
    Stack = 1,
    Side = 2,
    Percentage = 3,
};

// Colour methods of HLOC layers.
enum HLOCColorMethod
{
    HLOCDefault = 0,
    HLOCOpenClose = 1,
    HLOCUpDown = 2,
};

// Anti-alias modes for text.
enum AntiAliasMode
{
    NoAntiAlias = 0,
    AntiAlias = 1,
    AutoAntiAlias = 2,
};

// Label filter kinds (see encodeFilter).
enum FilterKind
{
    RegularSpacingFilter = 0,
    StartOfHourFilter = 1,
    StartOfDayFilter = 2,
    StartOfWeekFilter = 3,
    StartOfMonthFilter = 4,
    StartOfYearFilter = 5,
    AllPassFilter = 6,
    NonePassFilter = 7,
    StartOfMinuteFilter = 8,
};

// Image formats of BaseChart::makeChart.
enum ImageFormat
{
    PNG = 0,
    GIF = 1,
    JPG = 2,
    WMP = 3,
    BMP = 4,
};

// Axis placement for XYChart::addAxis.
enum AxisSide
{
    AxisLeft = Left,
    AxisRight = Right,
    AxisTop = Top,
    AxisBottom = Bottom,
};

// Chart time: seconds since 0001-01-01 00:00:00 (proleptic Gregorian calendar, no time zone).
double chartTime(int y, int m, int d, int h = 0, int n = 0, int s = 0);
// Unix seconds (UTC) to chart time and back.
double chartTime2(double unixSeconds);
double toUnixSeconds(double chartTime);
// yyyymmdd of a chart time.
int getChartYMD(double t);
// Day of the week, 0 = Sunday.
int getChartWeekDay(double t);

// Broken-down chart time.
struct DateParts
{
    int year = 1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int weekDay = 0;       // 0 = Sunday
    double fraction = 0.0; // sub-second part
};
DateParts splitChartTime(double t);

// A label filter in one number: kind, step and tolerance (the fraction of a period by which
// the first label may lie after the period start and still count as its start).
int encodeFilter(int kind, int labelStep = 1, double initialMargin = 0.05);
struct Filter
{
    int kind = AllPassFilter;
    int step = 1;
    double margin = 0.05;
};
Filter decodeFilter(int filter);

} // namespace Chart
