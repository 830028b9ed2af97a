#pragma once

// Catching up a repeating record: the first value of the chain x, step(x), step(step(x)), ... that lies
// strictly after now, bit for bit what the stored arithmetic gives one step at a time (each step
// rounds, and over millions of steps the roundings add up to seconds, so no closed formula for the
// n-th occurrence would do), in a time that does not grow with the number of missed steps.
namespace Recurrence {

// The chain of step(x) = (x * multiplier + increment) / multiplier, or x + increment when the
// multiplier is 1: minutes (1440), hours (24), seconds (86400), days and weeks (1).
// x <= now is expected; otherwise x is returned.
double catchUpLinear(double x, double now, double multiplier, double increment);

// The chain of DayCount::addMonths(x, months), months >= 1.
double catchUpMonths(double x, double now, int months);

} // namespace Recurrence
