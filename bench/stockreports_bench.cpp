#include "reportbenches.h"

#include <cstdio>

void benchStockReports(const QString&)
{
    std::printf("stockreports: not built yet\n");
}
