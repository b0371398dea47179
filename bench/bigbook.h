#pragma once

#include <QString>

#include <functional>

// The path of a cached warehouse book of 20 000 articles, 2 000 partners and 20 000 documents with 500 000 lines,
// built through the real posting in a temporary folder on first use and reused afterwards.
QString bigWarehouseBook();

// The median of runs of f, in milliseconds.
double medianMs(int runs, const std::function<void()>& f);
