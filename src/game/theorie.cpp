#include "theorie.h"

#include <cassert>

// Let p be the probability that the held door hides the car. The first pick makes it
// 1/N. The host never opens the held door nor the car's, so opening a door leaves p as it
// is, and the car is equally likely behind each other closed door. A decision taken with
// c doors closed (the held one included) then changes p:
//   keep:            p stays;
//   new door:        one of the c - 1 others, so p becomes (1 - p) / (c - 1);
//   random re-choice: a coin keeps the door, else any of the c doors is drawn:
//                    p becomes p / 2 + (p / c + (1 - p) / c) / 2 = p / 2 + 1 / (2c).
// Decision d (1-based) is taken after d doors have been opened, with c = N - d.
double exactWinProbability(int doorCount, std::span<const Strategy> decisions)
{
    assert(static_cast<int>(decisions.size()) == doorCount - 2);
    double p = 1.0 / doorCount;
    int closed = doorCount;
    for (const Strategy strategy : decisions) {
        --closed;
        switch (strategy) {
        case Strategy::Keep: break;
        case Strategy::NewDoor: p = (1.0 - p) / (closed - 1); break;
        case Strategy::RandomRechoice: p = p / 2.0 + 1.0 / (2.0 * closed); break;
        }
    }
    return p;
}
