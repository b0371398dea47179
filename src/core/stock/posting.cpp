#include "posting.h"

#include "core/db/database.h"
#include "core/stock/stockdocs.h"
#include "core/text/datetext.h"

#include <QRegularExpression>

StockFigures AveragePriceRule(const StockFigures& before, Figure quantity, Figure amount, bool receipt,
                              AveragePriceMode mode)
{
    StockFigures after = before;
    after.stanje = receipt ? before.stanje + quantity : before.stanje - quantity;
    after.vrijednost = receipt ? before.vrijednost + amount : before.vrijednost - amount;
    if (mode == AveragePriceMode::Recompute) {
        if (const auto average = Figure::divide(after.vrijednost, after.stanje))
            after.proscijena = *average;
    }
    return after;
}

QString bookTable(const QString& schema, const char* name)
{
    const QString table = QString::fromLatin1(name);
    return schema.isEmpty() ? table : schema + QLatin1Char('.') + table;
}

QString numbersTakenMessage(const QList<TakenNumber>& taken)
{
    QStringList sentences;
    for (const TakenNumber& number : taken)
        sentences.append(number.what +
                         QStringLiteral(" u međuvremenu je zauzet; novi broj je %1.").arg(number.nextNumber));
    const QString lineBreak = QStringLiteral("\r\n");
    return sentences.join(lineBreak) + (sentences.size() > 1 ? lineBreak : QStringLiteral(" ")) +
           QStringLiteral("Pokušajte ponovno.");
}

namespace {

QVariant nullWhenEmpty(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

} // namespace

qint64 PostStockDocument(Database& db, const StockDocument& document, const QString& schema)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!schema.isEmpty() && !identifier.match(schema).hasMatch())
        throw DbError(DbErrorKind::Statement, QStringLiteral("Neispravno ime baze: %1").arg(schema));
    const QString kd = bookTable(schema, "kd");
    const QString pi = bookTable(schema, "pi");
    const QString artikli = bookTable(schema, "artikli");

    if (document.proposedNumber) {
        const qint64 next = StockDocs::nextDocumentNumber(db, document.receipt, schema);
        if (next != document.number)
            throw PostingRefused(PostingRefused::NumberTaken, next);
    }

    const QVariant partnerId =
        db.scalar(QStringLiteral("select id from %1 where id = ?").arg(kd), {document.partnerId});
    if (!partnerId.isValid())
        throw PostingRefused(PostingRefused::PartnerNotFound);

    qint64 headerId = 0;
    if (document.receipt) {
        const QVariant kindId =
            db.scalar(QStringLiteral("select id from %1 where id = ?").arg(bookTable(schema, "dokumenti")),
                      {document.documentKindId});
        if (!kindId.isValid())
            throw PostingRefused(PostingRefused::DocumentKindNotFound);
        headerId = db.insert(QStringLiteral("insert into %1(pi, brojpi, datumpi, dokument, brojdok, datumdok, idkd) "
                                            "values(?, ?, ?, ?, ?, ?, ?)")
                                 .arg(pi),
                             {document.kindLetter(), document.number, DateText::toIso(document.date), kindId.toString(),
                              nullWhenEmpty(fitToWidth(document.supplierDocNumber, 20)),
                              nullWhenEmpty(DateText::toIso(document.supplierDocDate)), partnerId});
    } else {
        // An issue note has no document kind, supplier's number or date: those columns stay null.
        headerId = db.insert(QStringLiteral("insert into %1(pi, brojpi, datumpi, idkd) values(?, ?, ?, ?)").arg(pi),
                             {document.kindLetter(), document.number, DateText::toIso(document.date), partnerId});
    }

    PreparedQuery readArticle(
        db, QStringLiteral("select stanje, vrijednost, proscijena from %1 where id = ?").arg(artikli));
    PreparedQuery writeArticle(
        db, QStringLiteral("update %1 set stanje = ?, vrijednost = ?, proscijena = ? where id = ?").arg(artikli));
    PreparedQuery insertLine(db, QStringLiteral("insert into %1(idartikla, idpi, idkd, kolicina, cijena) "
                                                "values(?, ?, ?, ?, ?)")
                                     .arg(bookTable(schema, "ulazizlaz")));

    // Each line starts from the figures the previous one left, so two lines of one article apply in turn.
    for (const StockLine& line : document.lines) {
        readArticle.exec({line.articleId});
        if (!readArticle.next())
            throw PostingRefused(PostingRefused::ArticleNotFound);
        StockFigures before;
        before.stanje = Figure::fromDouble(readArticle.real(0));
        before.vrijednost = Figure::fromDouble(readArticle.real(1));
        before.proscijena = Figure::fromDouble(readArticle.real(2));
        readArticle.finish();
        // The stock read here, inside the transaction, is the one the issue takes from: another copy may have
        // issued from it since the line was entered.
        if (!document.receipt && before.stanje < line.quantity)
            throw PostingRefused(PostingRefused::NotEnoughStock);

        const Figure amount = Figure::multiply(line.quantity, line.price);
        const StockFigures after =
            AveragePriceRule(before, line.quantity, amount, document.receipt, document.averagePrice);
        writeArticle.exec(
            {after.stanje.toDouble(), after.vrijednost.toDouble(), after.proscijena.toDouble(), line.articleId});
        insertLine.exec(
            {QString::number(line.articleId), headerId, partnerId, line.quantity.toDouble(), line.price.toDouble()});
    }
    return headerId;
}

qint64 PostStockDocument(const QString& bookPath, const StockDocument& document)
{
    Database db = Database::open(bookPath);
    Transaction tx(db);
    const qint64 headerId = PostStockDocument(db, document);
    tx.commit();
    return headerId;
}
