#include "reportbenches.h"

#include <cstdio>

void benchStockReports(const QString&)
{
    std::printf("stock reports: not built yet\n");
}
