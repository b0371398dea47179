#include "workorders.h"

#include "core/db/bookschema.h"
#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/production/products.h"
#include "core/stock/posting.h"
#include "core/stock/stockdocs.h"
#include "core/text/datetext.h"
#include "core/text/reporttext.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlRecord>

#include <functional>

namespace WorkOrders {

namespace {

const QString ProductionPartner = QStringLiteral("Proizvodnja");
// troskovi.nazivskladista holds 20 characters.
constexpr int CostRowBookNameWidth = 20;

Figure figureAt(const QSqlRecord& row, int column)
{
    return Figure::fromDouble(row.value(column).toDouble());
}

// The warehouse books of an order in book-id order, each with its lines. Their write locks are taken in this order,
// so two copies issuing from the same books at once do not each hold one and wait for the other.
struct BookGroup
{
    const RequirementLine* first = nullptr;
    QString schema;
    qint64 partnerId = 0;
    QList<const RequirementLine*> lines;
};

QList<BookGroup> groupByBook(const QList<RequirementLine>& lines)
{
    QMap<qint64, BookGroup> groups; // by book id
    for (const RequirementLine& line : lines) {
        BookGroup& group = groups[line.bookId];
        if (!group.first) {
            group.first = &line;
            group.schema = QStringLiteral("w%1").arg(line.bookId);
        }
        group.lines.append(&line);
    }
    return groups.values();
}

void checkBeforeWriting(const NewOrder& order, const QList<BookGroup>& books)
{
    if (order.lines.isEmpty())
        throw IssueRefused(QStringLiteral("Proizvod nema sastojaka! Radni nalog nije izdan."));
    if (order.quantity <= Figure())
        throw IssueRefused(QStringLiteral("Količina ne može biti nula!"));
    for (const RequirementLine& line : order.lines)
        if (!line.bookFound)
            throw IssueRefused(
                QStringLiteral("Skladište %1 nije u popisu knjiga! Radni nalog nije izdan.").arg(line.bookName));
    if (books.size() > MaxWarehouseBooks)
        throw IssueRefused(QStringLiteral("Radni nalog treba %1 skladišta, a odjednom se može izdavati iz najviše "
                                          "%2! Radni nalog nije izdan.")
                               .arg(books.size())
                               .arg(MaxWarehouseBooks));
}

// An engine error of a warehouse book's file, told with the book's name and file.
IssueRefused bookFault(const BookGroup& book, const DbError& error)
{
    return IssueRefused(QStringLiteral("Skladište %1: %2 Radni nalog nije izdan.")
                            .arg(book.first->bookName, error.about(book.first->bookFile()).description()));
}

// Runs a step that locks the books (the transaction's begin or commit). When it waits in vain, the engine does not
// say which book another copy holds: the first one that cannot be locked now is named, the production book first.
void lockingBooks(Database& db, const QList<BookGroup>& books, const std::function<void()>& step)
{
    try {
        step();
    } catch (const DbError& e) {
        if (e.kind() != DbErrorKind::Busy)
            throw;
        QStringList files{db.path()};
        for (const BookGroup& book : books)
            files.append(book.first->bookFile());
        const qsizetype held = files.indexOf(fileHeldElsewhere(files));
        if (held <= 0)
            throw;
        throw bookFault(books.at(held - 1), e);
    }
}

// This book's partner and every article of its lines must be there before anything is written.
void findPartnerAndArticles(Database& db, BookGroup& book)
{
    const QVariant partner = db.scalar(QStringLiteral("select id from %1.kd where %2 order by id limit 1")
                                           .arg(book.schema, sqlEqualsIgnoringCase(QStringLiteral("ime"))),
                                       {ProductionPartner});
    if (!partner.isValid())
        throw IssueRefused(QStringLiteral("U skladištu %1 nema mjesta troška \"Proizvodnja\"! Radni nalog nije "
                                          "izdan.")
                               .arg(book.first->bookName));
    book.partnerId = partner.toLongLong();
    PreparedQuery article(db, QStringLiteral("select id from %1.artikli where id = ?").arg(book.schema));
    for (const RequirementLine* line : book.lines) {
        article.exec({line->articleId});
        const bool there = article.next();
        article.finish();
        if (!there)
            throw IssueRefused(QStringLiteral("U skladištu %1 nema artikla %2! Radni nalog nije izdan.")
                                   .arg(book.first->bookName, line->articleName.isEmpty()
                                                                  ? QString::number(line->articleId)
                                                                  : line->articleName));
    }
}

// The partner of every book and every article must be there before anything is written.
void findPartnersAndArticles(Database& db, QList<BookGroup>& books)
{
    for (BookGroup& book : books)
        try {
            findPartnerAndArticles(db, book);
        } catch (const DbError& e) {
            throw bookFault(book, e);
        }
}

// Another copy of the program may have deleted the product, issued or posted with a proposed number, or taken
// stock since the order was prepared: read them again under the write lock by the rules that proposed them.
void checkStillCurrent(Database& db, const NewOrder& order, const QList<BookGroup>& books)
{
    if (!db.scalar(QStringLiteral("select id from main.proizvodi where id = ?"), {order.productId}).isValid())
        throw IssueRefused(
            QStringLiteral("Proizvod %1 u međuvremenu je obrisan! Radni nalog nije izdan.")
                .arg(order.productName.isEmpty() ? QString::number(order.productId) : order.productName));
    QList<RequirementLine> current = order.lines;
    QList<TakenNumber> taken;
    const qint64 nextNumber = nextOrderNumber(db);
    if (nextNumber != order.brojrn)
        taken.append({QStringLiteral("Broj radnog naloga"), nextNumber});
    for (const BookGroup& book : books) {
        const qint64 issueNumber = StockDocs::nextDocumentNumber(db, false, book.schema);
        if (issueNumber != book.first->issueNumber)
            taken.append({QStringLiteral("Broj izdatnice skladišta %1").arg(book.first->bookName), issueNumber});
        PreparedQuery stock(db, QStringLiteral("select stanje from %1.artikli where id = ?").arg(book.schema));
        for (RequirementLine& line : current) {
            if (line.bookId != book.first->bookId)
                continue;
            line.issueNumber = issueNumber;
            stock.exec({line.articleId});
            line.stock = stock.next() ? Figure::fromDouble(stock.real(0)) : Figure();
            stock.finish();
        }
    }
    const QString shortage = shortageText(current);
    if (!shortage.isEmpty())
        throw IssueOutdated(shortageMessage(shortage), current, nextNumber);
    if (!taken.isEmpty())
        throw IssueOutdated(numbersTakenMessage(taken), current, nextNumber);
}

StockDocument issueNote(const BookGroup& book, const QDate& date)
{
    StockDocument note;
    note.receipt = false;
    note.number = book.first->issueNumber;
    note.date = date;
    note.partnerId = book.partnerId;
    note.averagePrice = AveragePriceMode::Keep;
    for (const RequirementLine* line : book.lines) {
        StockLine stockLine;
        stockLine.articleId = line->articleId;
        stockLine.quantity = line->quantity;
        stockLine.price = line->price;
        stockLine.amount = line->amount;
        note.lines.append(stockLine);
    }
    return note;
}

QVariant figureValue(Figure f)
{
    return f.toDouble();
}

} // namespace

QString RequirementLine::bookFile() const
{
    return ProgramFolder::filePath(BookFileName(bookKind, bookId));
}

QList<OrderRow> orders(const QString& bookPath)
{
    Database db = Database::open(bookPath);
    const auto rows = db.select(QStringLiteral(
        "select r.id, r.brojrn, r.datumotv, r.datumzatv, r.kolicinaproizvoda, p.naziv from radninalozi r "
        "left join proizvodi p on p.id = cast(r.idproizvoda as integer) order by r.id"));
    QList<OrderRow> result;
    result.reserve(rows.size());
    for (const QSqlRecord& row : rows) {
        OrderRow order;
        order.id = row.value(0).toLongLong();
        order.brojrn = row.value(1).toLongLong();
        order.datumotv = DateText::fromIso(row.value(2).toString());
        order.datumzatv = DateText::fromIso(row.value(3).toString());
        order.kolicina = figureAt(row, 4);
        order.productName = row.value(5).toString();
        result.append(order);
    }
    return result;
}

qint64 nextOrderNumber(const QString& bookPath)
{
    Database db = Database::open(bookPath);
    return nextOrderNumber(db);
}

qint64 nextOrderNumber(Database& db)
{
    return db.scalar(QStringLiteral("select count(*) from main.radninalozi")).toLongLong() + 1;
}

QList<RequirementLine> requirement(const QString& productionBookPath, qint64 productId)
{
    QList<RequirementLine> lines;
    for (const Component& component : Products::components(productionBookPath, productId)) {
        RequirementLine line;
        line.componentId = component.id;
        line.articleId = component.articleId;
        line.bookId = component.bookId;
        line.perUnit = component.kolicina;
        line.price = component.cijena;
        line.bookName = QString::number(line.bookId);
        lines.append(line);
    }
    if (lines.isEmpty())
        return lines;

    QHash<qint64, std::optional<WarehouseBook>> books;
    for (RequirementLine& line : lines) {
        if (!books.contains(line.bookId))
            books.insert(line.bookId, warehouseBook(line.bookId));
        if (const std::optional<WarehouseBook>& book = books.value(line.bookId)) {
            line.bookFound = true;
            line.bookName = book->naziv;
            line.bookKind = book->vrsta;
        }
    }

    // Each warehouse book is read once, whatever the number of its lines.
    QHash<qint64, QList<RequirementLine*>> byBook;
    QList<qint64> bookOrder;
    for (RequirementLine& line : lines) {
        if (!line.bookFound)
            continue;
        if (!byBook.contains(line.bookId))
            bookOrder.append(line.bookId);
        byBook[line.bookId].append(&line);
    }
    for (qint64 bookId : bookOrder) {
        const QList<RequirementLine*>& bookLines = byBook[bookId];
        const QString path = bookLines.first()->bookFile();
        try {
            Database db = Database::open(path);
            const qint64 issueNumber = StockDocs::nextDocumentNumber(db, false);
            PreparedQuery article(db, QStringLiteral("select naziv, stanje from artikli where id = ?"));
            for (RequirementLine* line : bookLines) {
                line->issueNumber = issueNumber;
                article.exec({line->articleId});
                if (article.next()) {
                    line->articleFound = true;
                    line->articleName = article.value(0).toString();
                    line->stock = Figure::fromDouble(article.value(1).toDouble());
                }
                article.finish();
            }
        } catch (const DbError& e) {
            // A book file that is gone holds nothing: its lines show stock 0 and cannot be issued. A book another
            // copy holds, or a broken one, is told (once: the first such book ends the reading).
            if (e.kind() != DbErrorKind::FileNotFound)
                throw;
        }
    }
    rescale(lines, Figure::fromInt(1));
    return lines;
}

void rescale(QList<RequirementLine>& lines, Figure productQuantity)
{
    for (RequirementLine& line : lines) {
        line.quantity = Figure::multiply(productQuantity, line.perUnit);
        line.amount = Figure::multiply(line.price, line.quantity);
    }
}

Figure materialCost(const QList<RequirementLine>& lines)
{
    Figure sum;
    for (const RequirementLine& line : lines)
        sum += line.amount;
    return sum;
}

std::optional<Figure> costPerUnit(Figure material, Figure productQuantity)
{
    return Figure::divide(material, productQuantity);
}

QString shortageText(const QList<RequirementLine>& lines)
{
    // Lines of one article in one book draw on the same stock.
    QHash<QPair<qint64, qint64>, Figure> needed;
    for (const RequirementLine& line : lines)
        needed[{line.bookId, line.articleId}] += line.quantity;
    QString text;
    QSet<QPair<qint64, qint64>> reported;
    for (const RequirementLine& line : lines) {
        const QPair<qint64, qint64> key{line.bookId, line.articleId};
        if (reported.contains(key))
            continue;
        reported.insert(key);
        const Figure total = needed.value(key);
        if (line.stock < total)
            text += line.bookName + QStringLiteral(": (") + line.articleName + QStringLiteral(") Nedostaje: ") +
                    (total - line.stock).text00() + QStringLiteral("\r\n");
    }
    return text;
}

QString shortageMessage(const QString& shortage)
{
    return QStringLiteral(" Nema dovoljno u  skladištu: \r\n") + QString(14, QLatin1Char('_')) +
           QStringLiteral("\r\n") + shortage + QStringLiteral("\r\n") + QString(15, QLatin1Char('_')) +
           QStringLiteral("\r\nSmanjite broj proizvoda ili popunite skladišta!");
}

qint64 issue(const QString& productionBookPath, const NewOrder& order)
{
    QList<BookGroup> books = groupByBook(order.lines);
    checkBeforeWriting(order, books);

    Database db = Database::open(productionBookPath);
    for (const BookGroup& book : books) {
        try {
            db.attach(book.first->bookFile(), book.schema);
        } catch (const DbError& e) {
            throw bookFault(book, e);
        }
    }

    // One transaction over the production book and every attached warehouse book: all of it, or nothing.
    std::optional<Transaction> tx;
    lockingBooks(db, books, [&] { tx.emplace(db); });
    findPartnersAndArticles(db, books);
    checkStillCurrent(db, order, books);
    for (const BookGroup& book : books) {
        try {
            PostStockDocument(db, issueNote(book, order.datumotv), book.schema);
        } catch (const PostingRefused&) {
            throw IssueRefused(QStringLiteral("Izdatnica skladišta %1 nije proknjižena! Radni nalog nije izdan.")
                                   .arg(book.first->bookName));
        } catch (const DbError& e) {
            throw bookFault(book, e);
        }
    }
    const qint64 orderId = db.insert(
        QStringLiteral("insert into main.radninalozi(brojrn, datumotv, datumzatv, idproizvoda, kolicinaproizvoda, "
                       "trosakmat, trosakrada, trosakusluga, ostali1, ostali2, ostali3) "
                       "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {order.brojrn, DateText::toIso(order.datumotv), DateText::toIso(order.datumzatv),
         QString::number(order.productId), figureValue(order.quantity), figureValue(order.costs.material),
         figureValue(order.costs.labour), figureValue(order.costs.services), figureValue(order.costs.other1),
         figureValue(order.costs.other2), figureValue(order.costs.other3)});
    PreparedQuery costRow(db, QStringLiteral("insert into main.troskovi(idrn, Nazivskladista, izdatnicabr, iznos) "
                                             "values(?, ?, ?, ?)"));
    for (const RequirementLine& line : order.lines)
        costRow.exec({QString::number(orderId), fitToWidth(line.bookName, CostRowBookNameWidth),
                      QString::number(line.issueNumber), figureValue(line.amount)});
    lockingBooks(db, books, [&] { tx->commit(); });
    return orderId;
}

std::optional<StoredOrder> load(const QString& bookPath, qint64 orderId)
{
    Database db = Database::open(bookPath);
    const auto row = db.selectFirst(
        QStringLiteral("select id, brojrn, idproizvoda, datumotv, datumzatv, kolicinaproizvoda, trosakmat, trosakrada, "
                       "trosakusluga, ostali1, ostali2, ostali3 from radninalozi where id = ?"),
        {orderId});
    if (!row)
        return std::nullopt;
    StoredOrder order;
    order.id = row->value(0).toLongLong();
    order.brojrn = row->value(1).toLongLong();
    order.productId = row->value(2).toString().trimmed().toLongLong();
    order.datumotv = DateText::fromIso(row->value(3).toString());
    order.datumzatv = DateText::fromIso(row->value(4).toString());
    order.quantity = figureAt(*row, 5);
    order.costs = {figureAt(*row, 6), figureAt(*row, 7),  figureAt(*row, 8),
                   figureAt(*row, 9), figureAt(*row, 10), figureAt(*row, 11)};
    const auto costs =
        db.select(QStringLiteral("select Nazivskladista, izdatnicabr, iznos from troskovi where idrn = ? order by id"),
                  {QString::number(orderId)});
    for (const QSqlRecord& cost : costs)
        order.costRows.append({cost.value(0).toString(), cost.value(1).toString(), figureAt(cost, 2)});
    return order;
}

void storeChanges(const QString& bookPath, qint64 orderId, const OrderChanges& changes)
{
    Database db = Database::open(bookPath);
    db.exec(QStringLiteral("update radninalozi set datumotv = ?, datumzatv = ?, trosakrada = ?, trosakusluga = ?, "
                           "ostali1 = ?, ostali2 = ?, ostali3 = ? where id = ?"),
            {DateText::toIso(changes.datumotv), DateText::toIso(changes.datumzatv), figureValue(changes.labour),
             figureValue(changes.services), figureValue(changes.other1), figureValue(changes.other2),
             figureValue(changes.other3), orderId});
    if (db.scalar(QStringLiteral("select changes()")).toLongLong() != 1)
        throw DbError(DbErrorKind::Statement, QStringLiteral("Radni nalog više ne postoji u knjizi."));
}

QStringList sheetLines(const Sheet& sheet)
{
    const QString rule = ReportRule(ReportText::ReportWidth, QLatin1Char('_'));
    QStringList lines;
    lines << QStringLiteral("Ispis radnog naloga za proizvod: ") + sheet.productName + QStringLiteral(" na dan: ") +
                 sheet.today
          << QString() << rule
          << QStringLiteral("Br.rad.naloga: ") + PadRightTo(sheet.number, 20) +
                 QStringLiteral("Datum  otvaranja rad.naloga: ") + sheet.opened
          << QStringLiteral("Ime proizvoda: ") + PadRightTo(sheet.productName, 20) +
                 QStringLiteral("Datum zatvaranja rad.naloga: ") + sheet.closed
          << QStringLiteral("Kol.proiz.:    ") + sheet.quantity << QString() << QStringLiteral("Popis izdat.:   ")
          << rule << QStringLiteral("Skladište        Izdatnica broj Iznos izdatnice") << rule;

    // A book name leaves at least one blank before the number.
    Figure total;
    for (const QStringList& row : sheet.issueRows) {
        const Figure amount = Figure::parse(row.value(2)).value_or(Figure());
        total += amount;
        lines << PadRightTo(CutTo(row.value(0), 16), 17) + PadLeftTo(row.value(1), 14) + QLatin1Char(' ') +
                     PadLeftTo(MoneyColumn12(amount).trimmed(), 15);
    }

    lines << ReportRule(ReportText::ReportWidth, QLatin1Char('-'))
          << QString(13, QLatin1Char(' ')) + QStringLiteral("Ukupna cijena izdatnica:  ") +
                 PadLeftTo(MoneyColumn12(total).trimmed(), 8)
          << QStringLiteral("Troškovi") << ReportRule(7, QLatin1Char('-'))
          << QStringLiteral("Trošak materijala: ") + PadLeftTo(sheet.material, 12)
          << QStringLiteral("Trošak rada:       ") + PadLeftTo(sheet.labour, 12)
          << QStringLiteral("Trošak usluga:     ") + PadLeftTo(sheet.services, 12)
          << QStringLiteral("Ostali troškovi 1: ") + PadLeftTo(sheet.other1, 12)
          << QStringLiteral("Ostali troškovi 2: ") + PadLeftTo(sheet.other2, 12)
          << QStringLiteral("Ostali troškovi 3: ") + PadLeftTo(sheet.other3, 12) << ReportRule(40, QLatin1Char('-'))
          << QStringLiteral("Troškovi ukupno:   ") + PadLeftTo(sheet.total, 12)
          << QStringLiteral("Troškovi po j.mj.: ") + PadLeftTo(sheet.perUnit, 12);
    return lines;
}

} // namespace WorkOrders
