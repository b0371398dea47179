#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"

class QFrame;
class QPushButton;
class QRadioButton;
class ReportPane;

// The list of customers or suppliers of the open book, with their data, as text in rtfkd.
class frmpregledkupacadobavljaca : public WorkingWindow, public SingleInstance<frmpregledkupacadobavljaca>
{
    Q_OBJECT
public:
    frmpregledkupacadobavljaca();
    void load() {}

    // The main window's "Kupaca/dobavljača" item under "&Pregled".
    static void openFromMenu();

    QFrame* frameartikli;
    QFrame* Frame5;
    QRadioButton* optkupaca;
    QRadioButton* optdobavljaca;
    QPushButton* cmdprikazart;
    QPushButton* cmdispisart;
    QPushButton* cmddizlaz;
    ReportPane* rtfkd;

private:
    void showList();
};
