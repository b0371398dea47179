#include "stockcard.h"

#include "core/db/database.h"
#include "core/stock/posting.h"
#include "core/text/reporttext.h"

#include <QStringBuilder>

namespace {

const QString LineColumns = QStringLiteral("select u.idartikla, p.pi, p.brojpi, u.kolicina, u.cijena from ulazizlaz u "
                                           "left join pi p on p.id = u.idpi");

StockCardLine lineOf(const PreparedQuery& q)
{
    StockCardLine line;
    line.kind = q.value(1).toString();
    if (!q.value(2).isNull())
        line.number = q.value(2).toLongLong();
    line.kolicina = Figure::fromDouble(q.value(3).toDouble());
    line.cijena = Figure::fromDouble(q.value(4).toDouble());
    return line;
}

// The money column's text without its blanks, that is the "0,00" form, right-aligned.
QString figureColumn(Figure value, int width)
{
    return PadLeftTo(value.text00(), width);
}

QString labelLine()
{
    return QStringLiteral("Šifra:        Naziv:                                  Barkod:       J.m.: Min.kol.");
}

// Article line, rule, the two heading lines and the rule.
QStringList articleBlock(const StockListRow& a)
{
    return {PadRightTo(a.sifra, 14) + PadRightTo(a.naziv, 40) + PadRightTo(a.barkod, 14) + PadRightTo(a.jedmjere, 6) +
                PadLeftTo(a.minkolicina ? a.minkolicina->text00() : QString(), 9),
            ReportRule(ReportText::ReportWidth, u'_'),
            QStringLiteral("R.br. V B.P/I Ulaz              Izlaz             Stanje     Vrijednost   Pr.cijena"),
            QString(14, u' ') + QStringLiteral("Količina Cijena   Količina Cijena   ") + QString(38, u' '),
            ReportRule(ReportText::ReportWidth, u'_')};
}

// A row per line; the running figures move as the posting moved the article's.
void appendRows(QStringList& out, const QList<StockCardLine>& lines)
{
    StockFigures running;
    int number = 0;
    for (const StockCardLine& line : lines) {
        const bool receipt = line.kind == QLatin1String("P");
        const Figure amount = Figure::multiply(line.kolicina, line.cijena);
        running = AveragePriceRule(running, line.kolicina, amount, receipt);
        const Figure zero;
        out << PadLeftTo(QString::number(++number), 4) % QLatin1String(". ") % PadRightTo(line.kind, 1) %
                   PadLeftTo(line.number ? QString::number(*line.number) : QString(), 6) %
                   figureColumn(receipt ? line.kolicina : zero, 9) % figureColumn(receipt ? line.cijena : zero, 9) %
                   figureColumn(receipt ? zero : line.kolicina, 9) % figureColumn(receipt ? zero : line.cijena, 9) %
                   figureColumn(running.stanje, 11) % figureColumn(running.vrijednost, 13) %
                   figureColumn(running.proscijena, 10);
    }
}

} // namespace

namespace StockCards {

StockCardData oneCard(const QString& book, qint64 articleId)
{
    Database db = Database::open(book);
    // The article and its lines as one moment of the book, whatever another copy of the program posts meanwhile.
    Transaction snapshot(db);
    StockCardData data;
    data.articles = StockReports::oneArticle(db, articleId);
    if (data.articles.isEmpty())
        return data;
    PreparedQuery q(db, LineColumns + QStringLiteral(" where cast(u.idartikla as integer) = ? order by u.id"));
    q.exec({articleId});
    QList<StockCardLine>& lines = data.lines[articleId];
    while (q.next())
        lines.append(lineOf(q));
    return data;
}

StockCardData selectionCards(const QString& book, StockSelection which)
{
    Database db = Database::open(book);
    Transaction snapshot(db);
    StockCardData data;
    data.articles = StockReports::selection(db, which);
    if (data.articles.isEmpty())
        return data;
    PreparedQuery q(db, LineColumns + QStringLiteral(" order by u.id"));
    q.exec({});
    while (q.next())
        data.lines[q.value(0).toLongLong()].append(lineOf(q));
    return data;
}

} // namespace StockCards

QStringList buildStockCard(const StockListRow& article, const QList<StockCardLine>& lines)
{
    QStringList out;
    out.reserve(lines.size() + 6);
    out << labelLine() << articleBlock(article);
    appendRows(out, lines);
    return out;
}

QStringList buildStockCards(const StockCardData& data)
{
    const QList<StockListRow>& articles = data.articles;
    const QHash<qint64, QList<StockCardLine>>& lines = data.lines;
    QStringList out;
    out << labelLine() << ReportRule(ReportText::ReportWidth, u'_') << QString();
    const QList<StockCardLine> none;
    for (const StockListRow& article : articles) {
        out << articleBlock(article);
        const auto found = lines.constFind(article.id);
        appendRows(out, found == lines.cend() ? none : *found);
        out << ReportRule(ReportText::ReportWidth, u'-') << QString(ReportText::ReportWidth, u' ')
            << QString(ReportText::ReportWidth, u' ');
    }
    return out;
}
