#pragma once

#include "common/listmodel.h"
#include "core/stock/articles.h"

// The list of all articles of a book (the articles window's stored list, the article picker): code, bar code, name,
// unit, minimum quantity and the id, from compact rows.
class ArticleListModel : public ListModel
{
public:
    enum Column
    {
        ColSifra,
        ColBarkod,
        ColNaziv,
        ColJedmjere,
        ColMinkolicina,
        ColId,
        ColumnCount
    };
    // The headers of the columns, the id's left out.
    static inline const QStringList Headers = {QStringLiteral("Šifra art."), QStringLiteral("Barkod"),
                                               QStringLiteral("Naziv art."), QStringLiteral("J.m"),
                                               QStringLiteral("Min.kolicina")};
    // How the code and the minimum quantity are shown: trimmed and "0,00" (Loaded), with blanks only trimmed and
    // "0,00" (Picker), or as stored and in their shortest text (AfterChange: the articles window after a change).
    enum class Form
    {
        Loaded,
        Picker,
        AfterChange
    };

    explicit ArticleListModel(QObject* parent = nullptr);
    void setArticles(QVector<ArticleRow> articles, Form form);
    const ArticleRow& article(int position) const { return m_articles.at(rowAt(position)); }

protected:
    QString cellText(int row, int column) const override;

private:
    QVector<ArticleRow> m_articles;
    Form m_form = Form::Loaded;
};

// The text without its leading and trailing blanks (blanks only, not other white space).
QString trimBlanks(QStringView text);
