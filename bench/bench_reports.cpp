// Times the reports on a large warehouse book (built once and cached, see bigbook.h).
#include "bigbook.h"
#include "reportbenches.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString book = bigWarehouseBook();
    if (book.isEmpty()) {
        std::printf("no benchmark book\n");
        return 1;
    }
    benchStockReports(book);
    benchReviews(book);
    benchJournal(book);
    return 0;
}
