#include "articlelistmodel.h"

ArticleListModel::ArticleListModel(QObject* parent) : ListModel(Headers + QStringList{QString()}, parent)
{
    setColumnAlignment(ColMinkolicina, Qt::AlignRight);
}

void ArticleListModel::setArticles(QVector<ArticleRow> articles, Form form)
{
    beginResetModel();
    m_articles = std::move(articles);
    m_form = form;
    showRows(int(m_articles.size()));
    endResetModel();
}

QString ArticleListModel::cellText(int row, int column) const
{
    const ArticleRow& a = m_articles.at(row);
    switch (column) {
    case ColSifra:
        switch (m_form) {
        case Form::Loaded:
            return a.sifra().trimmed().toString();
        case Form::Picker:
            return trimBlanks(a.sifra());
        case Form::AfterChange:
            return a.sifra().toString();
        }
        return QString();
    case ColBarkod:
        return a.barkod().toString();
    case ColNaziv:
        return a.naziv().toString();
    case ColJedmjere:
        return a.jedmjere().toString();
    case ColMinkolicina:
        return m_form == Form::AfterChange ? a.minkolicina.shortText() : a.minkolicina.text00();
    case ColId:
        return QString::number(a.id);
    default:
        return QString();
    }
}

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin).toString();
}
