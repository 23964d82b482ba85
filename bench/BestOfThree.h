// bestOfThree: a benchmark's timing of one run, the best of three.
#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

// Seconds of the fastest of three runs, or -1 when a run failed: the fastest is the one least
// disturbed by the rest of the machine.
inline double bestOfThree(const std::function<bool()> &run)
{
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer clock;
        clock.start();
        if (!run()) {
            std::fprintf(stderr, "a run failed\n");
            return -1;
        }
        best = std::min(best, clock.nsecsElapsed() / 1e9);
    }
    return best;
}
