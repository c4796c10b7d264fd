#pragma once

#include "graph/graphwindow.h"

#include <QList>
#include <QPointF>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QLineSeries;
QT_END_NAMESPACE

// The name of a test in the legend: the first 16 characters of its title line.
QString LegendName(const QStringList& lines);

// Up to ten saved tests laid over one another in one chart, each a curve in its own colour named
// in the legend. A test's points are added once, when its file arrives; a repaint, a resize or a
// change of the units or colour setting never redraws the curves already there (the next test
// added takes the axis titles and grid colour then in force). The table shows the lines of the
// test added last. There is no close query.
//
// FormActivate: the window does not reach into the main window. The main window reacts to
// QMdiArea::subWindowActivated and, when the active child holds a TGraphMultipleForm, enables its
// Window menu and Print and disables Save: this window is printed but never saved.
class TGraphMultipleForm : public GraphWindow
{
    Q_OBJECT
public:
    static constexpr int MaximumTests = 10;

    explicit TGraphMultipleForm(QWidget* owner = nullptr);

    // Adds a test as the next curve. The first one, once drawn, asks for the window's title. With
    // ten curves shown the test is refused with an alert and nothing changes (false). A record that
    // is not a number throws ConversionError; the curve keeps the records before it.
    bool AddTestFile(const QStringList& lines);

    // The curves shown, Series1 first.
    QList<QLineSeries*> ActiveSeries() const;

    // The lines of every test added, in the order of their curves.
    QList<QStringList> Tests() const { return AddedTests; }

    QList<QLineSeries*> Series; // Series1 to Series10

private:
    bool RefuseWhenFull();
    void AskWindowTitle();

    // Where the points of every curve lie; the axes are scaled to it.
    struct PointExtent
    {
        void Take(const QPointF& point);
        bool empty = true;
        double left = 0.0;
        double right = 0.0;
        double top = 0.0;
    };

    QList<QStringList> AddedTests;
    PointExtent Extent;
};
