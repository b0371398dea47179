#include "frmAbout.h"

#include "common/appsetup.h"
#include "common/centring.h"
#include "common/hrmsgbox.h"
#include "common/sysinfo.h"
#include "common/windowkeys.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>

namespace {

constexpr int Gap = 15;

// The application's icon, or a drawn one when it has none.
QPixmap programIcon()
{
    if (!qApp->windowIcon().isNull())
        return qApp->windowIcon().pixmap(48, 48);
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2F, 0x4F, 0x7F));
    painter.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    QFont letter = AppSetup::serifFont(22);
    letter.setBold(true);
    painter.setFont(letter);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("K"));
    return pixmap;
}

} // namespace

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(DesignCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(FixedWidth, FixedHeight);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon());
    picIcon->setAccessibleName(QStringLiteral("Ikona programa"));

    Label1 = new QLabel(applicationTitle(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = AppSetup::serifFont(20);
    titleFont.setBold(true);
    Label1->setFont(titleFont);

    for (QFrame*& line : Line1) {
        line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line1"));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
    }

    lblDescription = new QLabel(
        QStringLiteral("Program je jednostavan i siguran za upotrebu. Potrebno je pročitati upute za njegov početak "
                       "rada,(ako kliknete na pomoć, pa o programu).\n"
                       "Može se koristiti samo skladište, ili skladište i proizvodnja. Proizvodnja bez skladišta ne "
                       "može raditi. "),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblVersion = new QLabel(QStringLiteral("Verzija programa: 1.01"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    txtpomoc = makeHelpPane(
        this,
        {QStringLiteral("O programu:"),
         QStringLiteral("Prilikom prvog pokretanja programa potrebno je unijeti jednu ili više tvrtki ili obrta, a "
                        "zatim izabranoj tvrtki ili obrtu dodati knjige."),
         QStringLiteral("Najprije unesite knjigu skladišta. U nju unesite artikle (prozor za unos artikala), zatim "
                        "kupce (k), dobavljače (d) ili one koji su oboje (s) (prozor za unos kupaca i dobavljača), "
                        "potom primke s dokumentima dobavljača (prozor primke, dugme za novu vrstu dokumenta) i na "
                        "kraju izdatnice."),
         QStringLiteral("Pregledi artikala, primki, izdatnica, kupaca i dobavljača te dnevnik nalaze se u prozorima "
                        "pregleda i mogu se ispisati na pisač."),
         QStringLiteral("Nakon knjige skladišta može se otvoriti knjiga proizvodnje. U nju se unose proizvodi, a kada "
                        "postoji barem jedan proizvod, mogu se otvarati radni nalozi."),
         QStringLiteral("Svaki prozor, osim prozora pregleda, ima pomoć na tipki F1.")});
    txtpomoc->setAccessibleName(QStringLiteral("Upute za rad s programom"));
    QTextCursor heading(txtpomoc->document());
    heading.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    heading.mergeCharFormat(bold);

    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });
    EscCloses(this);
}

void frmAbout::showGuide()
{
    txtpomoc->show();
    txtpomoc->raise();
    picIcon->hide();
    cmdSysInfo->hide();
    placeAndLayOut();
    setWindowTitle(QStringLiteral("O programu..."));
}

void frmAbout::showAboutUs()
{
    txtpomoc->hide();
    picIcon->show();
    cmdSysInfo->show();
    setWindowTitle(QStringLiteral("O nama..."));
}

void frmAbout::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeAndLayOut();
}

void frmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    placeAndLayOut();
}

void frmAbout::placeAndLayOut()
{
    // Left edge centred on the host's client width; top edge a seventh of the box's own height below the host's top.
    int hostClientWidth = 0;
    int hostTop = 0;
    if (m_host) {
        const auto* main = qobject_cast<const QMainWindow*>(m_host.data());
        hostClientWidth = main && main->centralWidget() ? main->centralWidget()->width() : m_host->width();
        hostTop = m_host->y();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        hostClientWidth = screen->availableGeometry().width();
    }
    move(CentredEdge(hostClientWidth, width()), hostTop + height() / 7);

    const int w = width();
    const int h = height();
    const QSize button(140, 30);
    const int okTop = h - 2 * button.height() - 2 * Gap;
    // The guide fills the box above the OK button, which stays in sight.
    txtpomoc->setGeometry(0, 0, w, okTop - Gap);
    txtpomoc->setLineWrapMode(QTextEdit::FixedPixelWidth);
    txtpomoc->setLineWrapColumnOrWidth(qMax(1, txtpomoc->width() - RightGap));

    picIcon->setGeometry(Gap, Gap, 48, 48);
    Label1->setGeometry(80, Gap, w - 80 - RightGap, 48);
    Line1[0]->setGeometry(Gap, 75, w - RightGap - Gap, 2);
    Line1[1]->setGeometry(Gap, 79, w - RightGap - Gap, 2);
    lblDescription->setGeometry(Gap, 100, w - RightGap, 90);
    lblVersion->setGeometry(Gap, 200, w - RightGap, 24);
    cmdOK->setGeometry(w - RightGap - button.width(), okTop, button.width(), button.height());
    cmdSysInfo->setGeometry(w - RightGap - button.width(), h - button.height() - Gap, button.width(), button.height());
}
