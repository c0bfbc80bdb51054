#pragma once
// The median of a few timed runs: one slow run (a page fault, another
// process) does not move it.

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// Median milliseconds of `runs` calls of `run(i)`, i = 0 .. runs - 1.
template <class Run>
double medianMs(int runs, Run run)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run(i);
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(t.begin(), t.begin() + runs / 2, t.end());
    return t[size_t(runs / 2)];
}

// The median of measured values (the upper one of the middle two for an
// even count).
inline double medianOf(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}
