#include "results/testreport.h"

#include "graph/chartoutput.h"
#include "platform/linefile.h"
#include "program/settings.h"
#include "results/resulttable.h"
#include "results/verdictcolour.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>

namespace {

constexpr qreal Gap = 10.0; // points between the header, the chart and the results
// Type sizes in points, given as pixels of a document laid out in points.
constexpr int BodyPixels = 9;
constexpr int SampleTablePixels = 7; // up to eleven columns across the page

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString Coloured(const QString& text, const QColor& colour)
{
    return QStringLiteral("<span style=\"color:%1; font-weight:bold\">%2</span>")
        .arg(colour.name(), Escaped(text));
}

// Headings with their unit on a line of their own and their long words hyphenated where a
// column is narrow; numbers and verdicts kept to one line, numbers right-aligned; a row of one cell
// spans the table.
QString TableHtml(const ResultTable& table, int pixels)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                                  "width=\"100%\" style=\"border-color:#808080; "
                                  "font-size:%1px\"><tr>")
                       .arg(pixels);
    // The names in the first column take a share of their own; the other columns share the rest.
    const int firstShare = table.headings.size() > 6 ? 16 : 28;
    const int share = (100 - firstShare) / std::max<int>(1, table.headings.size() - 1);
    for (const QString& heading : table.headings) {
        html += QStringLiteral("<th bgcolor=\"#e0e0e0\" width=\"%1%\">%2</th>")
                    .arg(heading == table.headings.constFirst() ? firstShare : share)
                    .arg(Escaped(heading)
                             .replace(QStringLiteral(" ("), QStringLiteral("<br>("))
                             .replace(QStringLiteral("Displacement"),
                                      QStringLiteral("Displace&shy;ment"))
                             .replace(QStringLiteral("Maximum"), QStringLiteral("Maxi&shy;mum")));
    }
    html += QStringLiteral("</tr>");
    const QString oneLine = QStringLiteral(" style=\"white-space:nowrap\"");
    for (const QStringList& row : table.rows) {
        html += QStringLiteral("<tr>");
        if (row.size() <= 1) {
            html += QStringLiteral("<td colspan=\"%1\">%2</td></tr>")
                        .arg(table.headings.size())
                        .arg(Escaped(row.value(0)));
            continue;
        }
        for (qsizetype column = 0; column < table.headings.size(); ++column) {
            const QString cell = row.value(column);
            const QColor colour = VerdictCellColour(cell);
            bool number = false;
            cell.toDouble(&number);
            html += QStringLiteral("<td%1>%2</td>")
                        .arg(number ? QStringLiteral(" align=\"right\"") + oneLine
                                    : (colour.isValid() ? oneLine : QString()),
                             colour.isValid() ? Coloured(cell, colour) : Escaped(cell));
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString HeaderHtml(const ReportPage& page)
{
    const auto row = [](const QString& name, const QString& value) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(name, value);
    };
    QString details;
    if (!page.severalTests)
        details +=
            row(QStringLiteral("File:"),
                page.fileName.isEmpty() ? QStringLiteral("not saved") : Escaped(page.fileName));
    details += row(QStringLiteral("Units:"), page.method.unitsEnglish
                                                 ? QStringLiteral("English (lbs., in.)")
                                                 : QStringLiteral("metric (kg, cm)"));
    details += row(QStringLiteral("Method:"), Escaped(page.methodName) + QStringLiteral(": ") +
                                                  Escaped(MethodSummary(page.method)));
    details += row(QStringLiteral("Limits:"), Escaped(LimitsSummary(page.method)));
    const QString blank = QStringLiteral("____________________");
    details += row(QStringLiteral("Operator:"),
                   page.operatorName.isEmpty() ? blank : Escaped(page.operatorName));
    details += row(QStringLiteral("Lot:"), page.lot.isEmpty() ? blank : Escaped(page.lot));

    return QStringLiteral("<table width=\"100%\"><tr><td><b>%1</b><br>%2<br>%3</td>"
                          "<td align=\"right\"><b>Test Report</b><br>%4</td></tr></table>"
                          "<hr><p style=\"font-size:13px\"><b>%5</b></p>"
                          "<table cellspacing=\"0\" cellpadding=\"1\">%6</table>")
        .arg(Escaped(SupplierName), Escaped(SupplierAddress), Escaped(SupplierPhone),
             page.printed.toString(QStringLiteral("yyyy-MM-dd hh:mm")), Escaped(page.title),
             details);
}

QString BodyHtml(const ReportPage& page)
{
    const QString verdictLine = QStringLiteral("<p style=\"font-size:12px\">%1</p>");
    if (page.severalTests) {
        const SampleStatistics& statistics = page.sample.statistics;
        QString html;
        if (HasLimits(page.method)) {
            html += verdictLine.arg(Coloured(QStringLiteral("%1 passed, %2 failed")
                                                 .arg(statistics.passed)
                                                 .arg(statistics.failed),
                                             VerdictColour(statistics.failed == 0)));
        }
        html += TableHtml(SampleResultTable(page.sample, page.method, ReasonColumn::LeftOut),
                          SampleTablePixels);
        // Why each test failed, beneath the table, where the reasons have the width of the page.
        for (const TestEntry& test : page.sample.tests) {
            if (test.judgement.verdict == Verdict::Fail) {
                html += QStringLiteral("<p>%1: %2</p>")
                            .arg(Escaped(test.name),
                                 Escaped(BreachReasons(test.judgement, test.results)));
            }
        }
        return html;
    }
    const TestEntry& test = page.sample.tests.constFirst();
    if (!test.failure.isEmpty())
        return verdictLine.arg(
            Coloured(QStringLiteral("No results: ") + test.failure, VerdictColour(false)));
    QString html;
    if (test.judgement.verdict != Verdict::None) {
        html += verdictLine.arg(Coloured(JudgementText(test.judgement, test.results),
                                         VerdictColour(test.judgement.verdict == Verdict::Pass)));
    }
    return html + TableHtml(TestResultTable(test, page.method), BodyPixels);
}

// A document laid out in points: its type is given in pixels, one to a point.
void SetUpDocument(QTextDocument& document, const QString& html, qreal width)
{
    QFont font = document.defaultFont();
    font.setPixelSize(BodyPixels);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setHtml(html);
    document.setTextWidth(width);
}

void DrawDocument(QTextDocument& document, QPainter& painter, qreal top)
{
    painter.save();
    painter.translate(0, top);
    document.drawContents(&painter);
    painter.restore();
}

void DrawPage(const ReportPage& page, QPainter& painter, const QSizeF& size)
{
    QTextDocument header;
    SetUpDocument(header, HeaderHtml(page), size.width());
    QTextDocument body;
    SetUpDocument(body, BodyHtml(page), size.width());
    const qreal headerHeight = header.size().height();
    // The chart takes what the texts leave, up to half the page, and no less than a quarter.
    const qreal chartHeight =
        std::clamp(size.height() - headerHeight - body.size().height() - 2 * Gap, size.height() / 4,
                   size.height() / 2);
    DrawDocument(header, painter, 0);
    if (page.chart) {
        DrawChartLaidOut(page.chart, painter,
                         QRectF(0, headerHeight + Gap, size.width(), chartHeight));
    }
    DrawDocument(body, painter, headerHeight + Gap + chartHeight + Gap);
}

} // namespace

bool DrawReport(const QList<ReportPage>& pages, QPagedPaintDevice& device)
{
    QPainter painter;
    const std::optional<QSizeF> size = BeginPaintingInPoints(painter, device);
    if (!size)
        return false;
    for (qsizetype index = 0; index < pages.size(); ++index) {
        if (index > 0 && !device.newPage())
            return false;
        DrawPage(pages.at(index), painter, *size);
    }
    return painter.end();
}

void WriteReportPdf(const QList<ReportPage>& pages, const QString& path, const QString& creator)
{
    ReplaceFileWith(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(pages.size() == 1 ? pages.constFirst().title
                                          : QStringLiteral("Test Report"));
        writer.setCreator(creator);
        return DrawReport(pages, writer);
    });
}
