// The chart beside the Anzahl table: how the counts grow with D, one line per Q, on a
// logarithmic scale. Counts reach 10^3000 and beyond, past any double, so the chart plots their
// base-10 logarithm, taken from GMP's mantissa and exponent, on an axis labelled in powers of ten.
#pragma once

#include <gmpxx.h>

#include <QChartView>
#include <QString>

namespace kz::atlas {

class CountModel;

// log10 of a positive value of any size.
double log10Of(const mpz_class &value);
// "10⁵⁰", written with superscript digits.
QString powerOfTenLabel(int exponent);

class CountChart : public QChartView {
    Q_OBJECT
  public:
    // Lines for at most this many Q: those with the most Kehrzahlen at the longest D.
    static constexpr int kMostLines = 10;
    // Points per line at most: every k-th length, and the last.
    static constexpr int kMostPoints = 300;

    explicit CountChart(QWidget *parent = nullptr);
    // Draws the model's rows anew.
    void showCounts(const CountModel &model);
    // The quotients drawn, in the order of their lines after the dashed line of the total.
    const std::vector<int> &drawnQuotients() const { return m_drawn; }

  private:
    std::vector<int> m_drawn;
};

} // namespace kz::atlas
