// Times the first opening of the windows with the long lists on a book of 80 000 articles and 10 000 partners (the
// articles window, the article picker, the customers and suppliers window) and the memory each holds a row; and the
// opening of the receipt window's drop-down of article names over the same 80 000 articles, the first one apart.
//
//   bench_lists [runs]   (runs of each window, each in a fresh process; default 5)
//
// The book is built once in a temporary folder by a process of its own, so that its heap does not hide the windows'.
// A run: the program's setup, the book read and a small window shown first (the database layer, fonts and style
// loaded, as entering a book leaves them), then the window opened and painted. Memory: the heap the open window keeps
// (malloc's count of bytes in use, mapped blocks included) and the peak of the resident size while it opened (reset
// just before), each less the same window's on an empty book, per row.
#include "bigbook.h"
#include "common/appsetup.h"
#include "common/workspace.h"
#include "core/db/appstate.h"
#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/stock/articles.h"
#include "core/stock/partners.h"
#include "masterdata/frmartikli.h"
#include "masterdata/frmartikliizbor.h"
#include "masterdata/frmunos.h"
#include "stockdocs/frmPrimka.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int ArticleCount = 80000;
constexpr int PartnerCount = 10000;
const QString BookName = QStringLiteral("Skladiste1.mdb");
const QString EmptyBookName = QStringLiteral("Skladiste2.mdb");

QString pick(const QStringList& words, int n)
{
    return words.at(n % words.size());
}

void buildBook(const QString& folder)
{
    CreateBookDatabase(folder + QLatin1Char('/') + EmptyBookName, BookKindWarehouse);
    const QString path = folder + QLatin1Char('/') + BookName;
    CreateBookDatabase(path, BookKindWarehouse);
    const QStringList goods = {"Čokolada", "Vijak", "Matica", "Žarulja", "Šećer", "Brašno", "Ulje", "Sapun",
                               "Đumbir",   "Kabel", "Cijev",  "Ljepilo", "Boja",  "Papir",  "Sok",  "Kava"};
    const QStringList kinds = {"mliječna",     "inox",         "M8",        "LED 9 W",  "kristal",
                               "glatko T-400", "suncokretovo", "tekući",    "mljeveni", "3x1,5",
                               "PVC 50",       "univerzalno",  "bijela mat"};
    const QStringList units = {"kom", "kg", "l", "m", "pak"};
    QList<ArticleEntry> articles;
    articles.reserve(ArticleCount);
    for (int n = 1; n <= ArticleCount; ++n)
        articles.append({QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')),
                         n % 4 ? QStringLiteral("385%1").arg(qint64(n) * 7919 % 10000000000LL, 10, 10, QLatin1Char('0'))
                               : QString(),
                         QStringLiteral("%1 %2 %3").arg(pick(goods, n), pick(kinds, n / 16)).arg(n).left(30),
                         pick(units, n / 7), Figure::fromInt(n % 50)});
    Articles::insertAll(path, articles);
    const QStringList places = {"Zagreb", "Split", "Rijeka", "Osijek", "Čakovec", "Šibenik", "Đakovo"};
    QList<Partner> partners;
    partners.reserve(PartnerCount);
    for (int n = 1; n <= PartnerCount; ++n)
        partners.append({0, QString(QChar("KDS"[n % 3])), QStringLiteral("%1 d.o.o. %2").arg(pick(goods, n)).arg(n),
                         QStringLiteral("%1").arg(qint64(n) * 104729 % 10000000000000LL, 13, 10, QLatin1Char('0')),
                         QStringLiteral("HR12 2340 0091 %1").arg(n, 6, 10, QLatin1Char('0')), pick(places, n),
                         QStringLiteral("Ilica %1").arg(n % 300),
                         QStringLiteral("01/%1").arg(n, 7, 10, QLatin1Char('0')), QStringLiteral("Ivana Horvat")});
    Partners::insertAll(path, partners);
}

// Bytes malloc has handed out and not got back, large blocks (mapped on their own) included.
size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The book entered in this process, its windows shown on their own.
void enterBook(const QString& folder, const QString& book)
{
    ProgramFolder::setPath(folder);
    AppState::bazaknjige = book;
    AppState::vrstabaze = BookKindWarehouse;
    AppState::vrstadokumenta = AppState::ModeReceipt;
    Workspace::setHost({[](QWidget* w, QWidget*) { w->show(); }, [](MenuGroup, bool) {}});
}

// One window opened in this process: prints "milliseconds retained-bytes peak-bytes rows sort-milliseconds".
int runOne(const QString& folder, const QString& window, const QString& book)
{
    enterBook(folder, book);
    {
        // What entering the book has done before any of its windows opens: the book read, names compared.
        Database db = Database::open(ProgramFolder::filePath(book));
        db.scalar(QStringLiteral("select count(*) from kd"));
        compareHr(QStringLiteral("Čelik"), QStringLiteral("cesta"));
        QLabel warm(QStringLiteral("Šifra"));
        warm.show();
        QApplication::processEvents();
    }
    QApplication::processEvents();
    malloc_trim(0);
    const size_t heapBefore = heapInUse();
    const qint64 rssBefore = memoryStatusKb("VmRSS:");
    resetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    QAbstractItemView* list = nullptr;
    QWidget* shown = nullptr;
    if (window == QLatin1String("artikli")) {
        frmartikli::openFromMenu();
        shown = frmartikli::loaded();
        list = shown->findChild<QAbstractItemView*>(QStringLiteral("lsvsviartikli"));
    } else if (window == QLatin1String("izbor")) {
        shown = frmartikliizbor::openFor(nullptr);
        list = shown->findChild<QAbstractItemView*>(QStringLiteral("lsvsviartikli"));
    } else {
        frmunos::openFromMenu();
        shown = frmunos::loaded();
        list = shown->findChild<QAbstractItemView*>(QStringLiteral("lsveditkd"));
    }
    QApplication::processEvents(); // the first paint
    const double openMs = timer.nsecsElapsed() / 1e6;
    const qint64 peakKb = memoryStatusKb("VmHWM:");
    const size_t heapAfter = heapInUse();
    const int rows = list->model()->rowCount();
    // A click on the name's header: the list sorted by name (the picker's headers sort nothing).
    double sortMs = -1;
    if (window != QLatin1String("izbor")) {
        timer.restart();
        emit list->findChild<QHeaderView*>()->sectionClicked(window == QLatin1String("partneri") ? 1 : 2);
        QApplication::processEvents();
        sortMs = timer.nsecsElapsed() / 1e6;
    }
    std::printf("%.1f %lld %lld %d %.1f\n", openMs, qlonglong(heapAfter - heapBefore),
                qlonglong((peakKb - rssBefore) * 1024), rows, sortMs);
    return 0;
}

// The receipt window open on the book: opens its drop-down of article names openings times, each shown and painted,
// then closed; prints the median milliseconds of an opening, those of the first and the drop-down's rows.
int runDropDown(const QString& folder, const QString& book, int openings)
{
    enterBook(folder, book);
    frmPrimka* w = frmPrimka::openFromMenu(AppState::ModeReceipt);
    QApplication::processEvents();
    auto* names = w->findChild<QComboBox*>(QStringLiteral("cbonaziv"));
    std::vector<double> times;
    QElapsedTimer timer;
    for (int n = 0; n < openings; ++n) {
        timer.start();
        names->showPopup();
        QApplication::processEvents(); // the list painted
        times.push_back(timer.nsecsElapsed() / 1e6);
        names->hidePopup();
        QApplication::processEvents();
    }
    std::printf("%.1f %.1f %d\n", median(times), times.front(), names->count());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--build") == 0) {
        QCoreApplication app(argc, argv);
        buildBook(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (argc == 4 && qstrcmp(argv[1], "--dropdown") == 0) {
        QApplication app(argc, argv);
        AppSetup::init();
        return runDropDown(QString::fromLocal8Bit(argv[2]), BookName, atoi(argv[3]));
    }
    if (argc == 5 && qstrcmp(argv[1], "--run") == 0) {
        QApplication app(argc, argv);
        AppSetup::init();
        return runOne(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                      QString::fromLocal8Bit(argv[4]));
    }
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    QTemporaryDir folder;
    const QString self = QCoreApplication::applicationFilePath();
    if (QProcess::execute(self, {QStringLiteral("--build"), folder.path()}) != 0) {
        std::printf("the book could not be built\n");
        return 1;
    }
    std::printf("book: %d articles, %d partners; medians of %d runs, each in a fresh process\n", ArticleCount,
                PartnerCount, runs);
    struct Window
    {
        const char* key;
        const char* name;
    };
    for (const Window& w : {Window{"artikli", "articles window"}, Window{"izbor", "article picker"},
                            Window{"partneri", "customers and suppliers"}}) {
        // One run: open milliseconds, kept bytes, peak bytes, rows, sort milliseconds.
        const auto run = [&](const QString& book) {
            QProcess child;
            child.start(self, {QStringLiteral("--run"), folder.path(), QString::fromLatin1(w.key), book});
            child.waitForFinished(-1);
            QVector<double> f;
            for (const QByteArray& field : child.readAllStandardOutput().trimmed().split(' '))
                f.append(field.toDouble());
            return f;
        };
        std::vector<double> open, retained, peak, sort;
        int rows = 0;
        for (int r = 0; r < runs; ++r) {
            const QVector<double> big = run(BookName);
            const QVector<double> empty = run(EmptyBookName);
            if (big.size() != 5 || empty.size() != 5) {
                std::printf("%s: the run failed\n", w.name);
                return 1;
            }
            rows = int(big[3] - empty[3]);
            open.push_back(big[0]);
            retained.push_back((big[1] - empty[1]) / rows);
            peak.push_back((big[2] - empty[2]) / rows);
            sort.push_back(big[4]);
        }
        std::printf("  %-24s %6d rows: first opening %4.0f ms (aim < 300), kept %4.0f bytes a row, peak %4.0f bytes "
                    "a row (aim <= 300)",
                    w.name, rows, median(open), median(retained), median(peak));
        if (median(sort) >= 0)
            std::printf("; sorted by name %4.0f ms", median(sort));
        std::printf("\n");
    }
    // The drop-down: the median of the openings in each process, and the median of those; and the first opening of
    // each process apart, which a list that measures every row pays for alone.
    constexpr int Openings = 7;
    std::vector<double> openings, firstOpenings;
    int rows = 0;
    for (int r = 0; r < runs; ++r) {
        QProcess child;
        child.start(self, {QStringLiteral("--dropdown"), folder.path(), QString::number(Openings)});
        child.waitForFinished(-1);
        const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
        if (f.size() != 3) {
            std::printf("receipt drop-down: the run failed\n");
            return 1;
        }
        openings.push_back(f[0].toDouble());
        firstOpenings.push_back(f[1].toDouble());
        rows = f[2].toInt();
    }
    std::printf("  %-24s %6d rows: an opening of the article names' drop-down %5.1f ms (median of %d openings in "
                "each run; aim < 150)\n",
                "receipt window", rows, median(openings), Openings);
    std::printf("  %-24s %6d rows: the first opening of the article names' drop-down %5.1f ms (median of the first "
                "openings of the runs; aim < 150)\n",
                "receipt window", rows, median(firstOpenings));
    return 0;
}
