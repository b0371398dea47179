#include "frmpregledkupacadobavljaca.h"

#include "common/controls.h"
#include "common/reportpane.h"
#include "common/windowkeys.h"
#include "core/db/database.h"
#include "core/reports/partnerlist.h"

#include <QDate>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

frmpregledkupacadobavljaca::frmpregledkupacadobavljaca() : WorkingWindow(MenuGroup::Warehouse)
{
    setObjectName(QStringLiteral("frmpregledkupacadobavljaca"));
    setWindowTitle(QStringLiteral("Pregled kupaca/dobavljača"));

    frameartikli = new QFrame(this);
    frameartikli->setObjectName(QStringLiteral("frameartikli"));
    frameartikli->resize(twips(9516), twips(6060));
    QWidget* f = frameartikli;

    Frame5 = new QFrame(f);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    Frame5->setFrameShape(QFrame::Box);
    Frame5->setFrameShadow(QFrame::Sunken);
    placeInTwips(Frame5, 0, 0, 2712, 1188);
    optkupaca = new QRadioButton(QStringLiteral("Pregled svih kupaca"), Frame5);
    optkupaca->setObjectName(QStringLiteral("optkupaca"));
    optkupaca->setChecked(true);
    placeInTwips(optkupaca, 144, 360, 2430, 255);
    optdobavljaca = new QRadioButton(QStringLiteral("Pregled svih dobavljača"), Frame5);
    optdobavljaca->setObjectName(QStringLiteral("optdobavljaca"));
    placeInTwips(optdobavljaca, 144, 690, 2244, 405);

    cmdprikazart = makeButton(f, QStringLiteral("cmdprikazart"), QStringLiteral("&Prikaz"), QString(), true);
    placeInTwips(cmdprikazart, 8028, 180, 1428, 312);
    cmdprikazart->setDefault(true);
    cmdispisart = makeButton(f, QStringLiteral("cmdispisart"), QStringLiteral("I&spis"), QString(), true);
    placeInTwips(cmdispisart, 8028, 540, 1428, 312);
    cmddizlaz = makeButton(f, QStringLiteral("cmddizlaz"), QStringLiteral("&Izlaz"), QString(), true);
    placeInTwips(cmddizlaz, 8028, 900, 1425, 312);

    rtfkd = new ReportPane(f);
    rtfkd->setObjectName(QStringLiteral("rtfkd"));
    rtfkd->setAccessibleName(QStringLiteral("Popis kupaca ili dobavljača"));
    placeInTwips(rtfkd, 72, 1260, 9372, 4584);

    // Tab order as designed.
    setTabOrder(optkupaca, cmdprikazart);
    setTabOrder(cmdprikazart, cmdispisart);
    setTabOrder(cmdispisart, cmddizlaz);
    setTabOrder(cmddizlaz, rtfkd);
    setTabOrder(rtfkd, optdobavljaca);

    setFrame(frameartikli);
    EnterClicksDefault(this);

    connect(cmdprikazart, &QPushButton::clicked, this, &frmpregledkupacadobavljaca::showList);
    connect(cmdispisart, &QPushButton::clicked, this, [this] { PrintQuestion(rtfkd); });
    connect(cmddizlaz, &QPushButton::clicked, this, [this] { closeWindow(this); });
}

void frmpregledkupacadobavljaca::openFromMenu()
{
    instance()->showFromMenu();
}

void frmpregledkupacadobavljaca::showList()
{
    const PartnerListKind kind = optkupaca->isChecked() ? PartnerListKind::Customers : PartnerListKind::Suppliers;
    try {
        rtfkd->setReport(buildPartnerList(kind, QDate::currentDate(), PartnerLists::partners(bookPath(), kind)));
    } catch (const DbError& e) {
        rtfkd->clearReport();
        ReportErrTail(e.description());
    }
}
