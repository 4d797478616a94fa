#include "atlas/countchart.h"

#include "atlas/countmodel.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace kz::atlas {

double log10Of(const mpz_class &value)
{
    long exponent = 0;
    const double mantissa = mpz_get_d_2exp(&exponent, value.get_mpz_t());
    return std::log10(mantissa) + double(exponent) * std::log10(2.0);
}

QString powerOfTenLabel(int exponent)
{
    static const char16_t superscripts[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString label = QStringLiteral("10");
    for (const QChar digit : QString::number(exponent))
        label += QChar(superscripts[digit.unicode() - u'0']);
    return label;
}

namespace {

// A step between labels of 1, 2 or 5 times a power of ten that gives about six of them.
int labelStep(double highest)
{
    const double rough = std::max(1.0, highest / 6);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough)
            return int(factor * power);
    }
    return int(10 * power);
}

} // namespace

CountChart::CountChart(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignRight); // a column: up to eleven names fit
    setAccessibleName(QStringLiteral("Diagramm der Anzahlen"));
    setToolTip(QStringLiteral("Anzahl der Kehrzahlen nach Stellenzahl D, je Q, logarithmisch"));
}

void CountChart::showCounts(const CountModel &model)
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_drawn.clear();
    const int rows = model.rowCount();
    if (rows == 0)
        return;

    // The Q with the most Kehrzahlen at the last length drawn, the smaller Q first on a tie.
    std::vector<std::pair<mpz_class, int>> ranked;
    for (const int q : model.quotients())
        ranked.emplace_back(-model.countOf(rows - 1, q), q);
    std::sort(ranked.begin(), ranked.end());
    for (std::size_t i = 0; i < ranked.size() && int(i) < kMostLines; ++i)
        m_drawn.push_back(ranked[i].second);
    std::sort(m_drawn.begin(), m_drawn.end());

    double highest = 1;
    // The total first, dashed: where the lines of several Q lie on each other, it shows their sum.
    std::vector<int> lines{0};
    lines.insert(lines.end(), m_drawn.begin(), m_drawn.end());
    for (const int q : lines) {
        auto *line = new QLineSeries(c);
        line->setName(q == 0 ? QStringLiteral("alle Q") : QStringLiteral("Q = %1").arg(q));
        if (q == 0)
            line->setPen(QPen(QColor(90, 90, 90), 2, Qt::DashLine));
        QList<QPointF> points;
        auto add = [&](int row) {
            const mpz_class n = model.countOf(row, q);
            if (n > 0) {
                const double y = log10Of(n);
                highest = std::max(highest, y);
                points.append(QPointF(double(model.countAt(row).length), y));
            }
        };
        // A line of thousands of points paints slowly and looks no different from a few hundred.
        const int every = (rows + kMostPoints - 1) / kMostPoints;
        for (int row = 0; row < rows; row += every)
            add(row);
        if ((rows - 1) % every != 0)
            add(rows - 1);
        line->replace(points);
        c->addSeries(line);
    }
    c->setTitle(
        int(model.quotients().size()) > kMostLines
            ? QStringLiteral("Anzahl nach Stellenzahl (die %1 Q mit den meisten)").arg(kMostLines)
            : QStringLiteral("Anzahl nach Stellenzahl"));

    auto *x = new QValueAxis(c);
    x->setTitleText(QStringLiteral("Stellen D"));
    x->setLabelFormat(QStringLiteral("%d"));
    const double shortest = double(model.countAt(0).length);
    x->setRange(shortest, std::max(shortest + 1, double(model.countAt(rows - 1).length)));
    auto *y = new QCategoryAxis(c);
    y->setTitleText(QStringLiteral("Anzahl"));
    y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int step = labelStep(highest);
    const int top = (int(std::ceil(highest)) + step - 1) / step * step;
    for (int e = 0; e <= top; e += step)
        y->append(powerOfTenLabel(e), e);
    y->setRange(0, top);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *s : c->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

} // namespace kz::atlas
