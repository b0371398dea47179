#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"
#include "core/reports/stocklist.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class ReportPane;

// The stock-report window: stock lists and stock cards of one article (chosen by name or by code) or of a
// selection of articles, shown as text in rtfart and printed from there.
class frmPregledart : public WorkingWindow, public SingleInstance<frmPregledart>
{
    Q_OBJECT
public:
    frmPregledart();
    void load();

    // The main window's "Artikala" item under "&Pregled".
    static void openFromMenu();

    QFrame* frameartikli;
    QFrame* Frame5;
    QRadioButton* optstanjeart;
    QRadioButton* optkarticeart;
    QFrame* Frame2;
    QRadioButton* Optjedanart;
    QRadioButton* optviseart;
    QFrame* Frame3;
    QRadioButton* optnazivart;
    QRadioButton* optsifraart;
    QLabel* lblizbor;
    QComboBox* cbood;
    QFrame* Frame4;
    QRadioButton* optsveart;
    QRadioButton* optminkolicinaart;
    QRadioButton* optkolicinanulart;
    QPushButton* cmdprikazart;
    QPushButton* cmdispisart;
    QPushButton* cmdizlaz;
    ReportPane* rtfart;

private:
    void showOneArticleChooser();
    void showSeveralArticles();
    void fillChooser(bool byCode);
    void dispatch();

    // The reports; each shows rtfart when its text is written.
    void stockListOfChosen();
    void stockListOfSelection(StockSelection which);
    void cardOfChosen();
    void cardsOfSelection();

    StockSelection chosenSelection() const;
    // The id of the article chosen in cbood; 0 when none is.
    qint64 chosenArticle() const;
};
