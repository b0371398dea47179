#include "centring.h"

#include <cmath>

namespace {

// Rounds to the nearest whole number; a half goes to the even neighbour.
double roundHalfEven(double x)
{
    const double down = std::floor(x);
    const double rest = x - down;
    if (rest > 0.5)
        return down + 1;
    if (rest < 0.5)
        return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

} // namespace

int CentredEdge(double containerExtent, double windowExtent)
{
    const long long difference = static_cast<long long>(roundHalfEven(containerExtent - windowExtent));
    return static_cast<int>(difference / 2); // C++ division drops the remainder toward zero
}
