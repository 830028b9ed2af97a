#include "scheduler/Recurrence.h"

#include "scheduler/DayCount.h"

#include <QDate>

#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

// Why the linear chains can be skipped exactly. Within a stretch of values where x, x * m, x * m + c and
// the result each keep their sign and binary exponent (a "regime"), every one of them lies on a fixed
// grid, and moving x by P units of its last place moves all of them by whole even numbers of their own
// units of last place, once P is a large enough power of two (see requiredPeriodBits). Rounding,
// ties-to-even included, then moves with them: step(x + P ulp) = step(x) + P ulp. So the chain's
// value modulo P ulp follows a finite cycle; once a residue repeats, the chain advances by the same
// exact amount every cycle, and whole cycles can be added in one exact addition, as long as the
// regime holds up to the landing point (checked; otherwise fewer cycles, or plain steps).

namespace Recurrence {
namespace {

constexpr double Never = std::numeric_limits<double>::infinity();
constexpr int MaxPeriodBits = 12;

// Sign and exponent of a value; 0 for values whose grid is not the usual one (zero, subnormals).
int regimeCode(double v) {
    if (!(std::fabs(v) >= DBL_MIN) || !std::isfinite(v))
        return 0;
    return (v < 0 ? -1 : 1) * (std::ilogb(v) + 2000);
}

struct Probe {
    double next = 0;
    std::array<int, 4> key{};
    int periodBits = -1; // -1: no cycle detection in this regime
};

class LinearStep {
public:
    LinearStep(double multiplier, double increment)
        : m_m(multiplier)
        , m_c(increment) {
        // Powers of two in the multiplier shift exponents without rounding.
        double odd = multiplier;
        while (odd >= 2 && std::fmod(odd, 2.0) == 0) {
            odd /= 2;
            ++m_twos;
        }
    }

    // The same operations, in the same order, as DayCount's add functions.
    double step(double x) const { return m_m == 1 ? x + m_c : (x * m_m + m_c) / m_m; }

    Probe probe(double x) const {
        const double a = m_m == 1 ? x : x * m_m;
        const double b = a + m_c;
        const double r = m_m == 1 ? b : b / m_m;
        Probe p;
        p.next = r;
        p.key = {regimeCode(x), regimeCode(a), regimeCode(b), regimeCode(r)};
        if (p.key[0] == 0 || p.key[1] == 0 || p.key[2] == 0 || p.key[3] == 0)
            return p;
        const int ex = std::ilogb(x);
        // A shift of 2^bits ulp(x) must be an even number of ulps of a, b (m * shift) and r (shift).
        int bits = 0;
        bits = std::max(bits, std::ilogb(a) - ex - m_twos + 1);
        bits = std::max(bits, std::ilogb(b) - ex - m_twos + 1);
        bits = std::max(bits, std::ilogb(r) - ex + 1);
        p.periodBits = bits <= MaxPeriodBits ? bits : -1;
        return p;
    }

private:
    double m_m;
    double m_c;
    int m_twos = 0;
};

// x's position on its own grid, modulo 2^bits.
int residue(double x, int bits) {
    const double units = std::ldexp(x, DBL_MANT_DIG - 1 - std::ilogb(x)); // an integer below 2^53
    double r = std::fmod(units, std::ldexp(1.0, bits));
    if (r < 0)
        r += std::ldexp(1.0, bits);
    return static_cast<int>(r);
}

} // namespace

double catchUpLinear(double x, double now, double multiplier, double increment) {
    if (!(x <= now))
        return x;
    const LinearStep chain(multiplier, increment);

    struct Seen {
        unsigned generation = 0;
        double value = 0;
    };
    std::vector<Seen> seen;
    unsigned generation = 1;
    std::array<int, 4> regime{};
    int periodBits = -1;

    while (x <= now) {
        const Probe p = chain.probe(x);
        if (!(p.next > x) || !std::isfinite(p.next))
            return Never; // the step no longer moves the value: no later occurrence can be named
        if (p.key != regime || p.periodBits != periodBits) {
            regime = p.key;
            periodBits = p.periodBits;
            ++generation;
            if (periodBits >= 0 && seen.size() < (std::size_t(1) << periodBits))
                seen.resize(std::size_t(1) << periodBits);
        }
        if (periodBits >= 0) {
            Seen& slot = seen[residue(x, periodBits)];
            if (slot.generation == generation) {
                const double advance = x - slot.value; // exact: same grid, same binade
                double cycles = std::floor((now - x) / advance);
                while (cycles >= 1) {
                    const double landing = x + cycles * advance;
                    if (landing <= now && chain.probe(landing).key == regime) {
                        x = landing;
                        ++generation;
                        break;
                    }
                    cycles = std::floor(cycles / 2);
                }
                if (cycles >= 1)
                    continue;
            }
            slot = {generation, x};
        }
        x = p.next;
    }
    return x;
}

namespace {

qint64 epochJulianDay() {
    static const qint64 jd = QDate(1899, 12, 30).toJulianDay();
    return jd;
}

double encode(qint64 days, double fraction) {
    const auto whole = static_cast<double>(days);
    return days < 0 ? whole - fraction : whole + fraction;
}

// Landing months repeat their kind (month of the year, leap year or not) every 400 years, so after
// that many steps the day of the month has been lowered as far as it ever will be.
constexpr int StepsUntilDayIsSettled = 4800;

} // namespace

double catchUpMonths(double x, double now, int months) {
    if (!(x <= now))
        return x;
    if (!(std::fabs(now) <= 1.0e11))
        return Never; // no calendar reaches that far
    const QDate nowDate = DayCount::toDate(now);
    int steps = 0;
    while (x <= now) {
        if (!(std::fabs(x) <= 1.0e11) || months < 1)
            return Never;
        const double whole = std::trunc(x);
        const double fraction = std::fabs(x - whole);
        const QDate date = QDate::fromJulianDay(epochJulianDay() + static_cast<qint64>(whole));
        if ((date.day() <= 28 || steps >= StepsUntilDayIsSettled) && nowDate.isValid()) {
            // No step clamps the day any more, so k steps are one jump of k * months, exact when the
            // fraction survives the landing's grid (earlier values then kept it too).
            const qint64 monthsAhead =
                (qint64(nowDate.year()) - date.year()) * 12 + (qint64(nowDate.month()) - date.month());
            qint64 jump = std::min<qint64>(monthsAhead / months - 1, INT_MAX / months);
            bool jumped = false;
            while (jump >= 1 && !jumped) {
                const QDate target = date.addMonths(static_cast<int>(jump * months));
                const qint64 days = target.toJulianDay() - epochJulianDay();
                const double landing = encode(days, fraction);
                if (target.isValid() && landing <= now && std::trunc(landing) == static_cast<double>(days) &&
                    std::fabs(landing - std::trunc(landing)) == fraction) {
                    x = landing;
                    steps = static_cast<int>(std::min<qint64>(steps + jump, INT_MAX));
                    jumped = true;
                } else {
                    jump /= 2;
                }
            }
            if (jumped)
                continue;
        }
        const double next = DayCount::addMonths(x, months);
        if (!(next > x))
            return Never;
        x = next;
        ++steps;
    }
    return x;
}

} // namespace Recurrence
