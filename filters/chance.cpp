#include "filters/chance.h"

#include <boost/math/distributions/binomial.hpp>
#include <algorithm>

namespace {
namespace bm = boost::math;
namespace bp = boost::math::policies;

// The quantile rounds up, so it is the smallest k whose cdf reaches the
// level, at both ends of the range; the default would round the low end
// down. Nothing throws: the edges a binomial cannot take are answered
// before Boost is asked.
using Policy = bp::policy<bp::discrete_quantile<bp::integer_round_up>, bp::domain_error<bp::errno_on_error>,
                          bp::overflow_error<bp::errno_on_error>, bp::evaluation_error<bp::errno_on_error>>;
using Binomial = bm::binomial_distribution<double, Policy>;

// A count that cannot vary: no trials, or a share of 0 or 1.
bool isFixed(int trials, double p)
{
    return trials <= 0 || p <= 0 || p >= 1;
}

int fixedCount(int trials, double p)
{
    return trials > 0 && p >= 1 ? trials : 0;
}
}

BinomialRange binomial_range95(int trials, double p)
{
    if (isFixed(trials, p))
        return {fixedCount(trials, p), fixedCount(trials, p)};
    const Binomial dist(trials, p);
    return {int(bm::quantile(dist, 0.025)), int(bm::quantile(dist, 0.975))};
}

double binomial_at_least(int trials, double p, int k)
{
    if (k <= 0)
        return 1;
    if (k > trials)
        return 0;
    if (isFixed(trials, p))
        return fixedCount(trials, p) >= k ? 1 : 0;
    // The complement keeps a small tail exact, where 1 - cdf would lose it.
    return bm::cdf(bm::complement(Binomial(trials, p), double(k - 1)));
}

ChanceFigures chance_figures(int numbersKept, int draws, int kept)
{
    ChanceFigures f;
    f.numbersKept = numbersKept;
    f.draws = draws;
    f.kept = kept;
    f.share = double(numbersKept) / kCandidateCount;
    f.expected = double(qint64(draws) * numbersKept) / kCandidateCount;
    f.range = binomial_range95(draws, f.share);
    f.pValue = binomial_at_least(draws, f.share, kept);
    f.verdict = kept > f.range.high  ? ChanceVerdict::Better
                : kept < f.range.low ? ChanceVerdict::Worse
                                     : ChanceVerdict::NoDifference;
    return f;
}

ChanceFigures chance_of_run(const CandidateMatrix &matrix, int draws, int kept)
{
    return chance_figures(kCandidateCount - matrix.row(KillRow).size(), draws, kept);
}

QString chance_verdict_text(ChanceVerdict verdict)
{
    switch (verdict) {
    case ChanceVerdict::Better:
        return QStringLiteral("明显优于随机");
    case ChanceVerdict::Worse:
        return QStringLiteral("明显差于随机");
    case ChanceVerdict::NoDifference:
        break;
    }
    return QStringLiteral("与随机选号无明显差别");
}

QString expected_draws_text(int draws, int numbers)
{
    return ten_thousandths_text(qint64(draws) * numbers);
}

QString ten_thousandths_text(qint64 numerator)
{
    const qint64 hundredths = (numerator + 50) / 100;
    return QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QChar(u'0'));
}

QString p_value_text(double p)
{
    return p < 0.00005 ? QStringLiteral("<0.0001") : QString::number(p, 'f', 4);
}

QString chance_line(const ChanceFigures &f)
{
    return QStringLiteral("随机对比：条件保留 %1% 的号码；随机选同样多的号码，%2 期平均保留 %3 期，"
                          "95% 的情况保留 %4～%5 期，保留 %6 期或更多的概率为 %7。结论：%8")
        .arg(100.0 * f.share, 0, 'f', 2)
        .arg(f.draws)
        .arg(expected_draws_text(f.draws, f.numbersKept))
        .arg(f.range.low)
        .arg(f.range.high)
        .arg(f.kept)
        .arg(p_value_text(f.pValue), chance_verdict_text(f.verdict));
}
