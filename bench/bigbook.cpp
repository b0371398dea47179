#include "bigbook.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

QString bigWarehouseBook()
{
    return QString(); // not built yet
}

double medianMs(int runs, const std::function<void()>& f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.empty() ? 0.0 : times[times.size() / 2];
}
