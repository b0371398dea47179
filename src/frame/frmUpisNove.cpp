#include "frmUpisNove.h"

#include "common/controls.h"

#include "common/appsetup.h"
#include "common/hrmsgbox.h"
#include "common/keyfilters.h"
#include "common/windowkeys.h"
#include "core/db/appstate.h"
#include "core/db/database.h"
#include "core/db/registry.h"
#include "frame/frmIzborTvrtke.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

frmUpisNove::frmUpisNove()
{
    setObjectName(QStringLiteral("frmUpisNove"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Upis nove tvrtke / obrta"));

    auto* label = new QLabel(QStringLiteral("Knjigovodstveni programi Lotrak"), this);
    label->setFont(AppSetup::serifFont(16));

    struct Field
    {
        QLineEdit** box;
        const char* name;
        const char* label;
        int maxLength;
    };
    const Field fields[] = {{&Text1, "Text1", "Naziv :", 30},
                            {&Text2, "Text2", "M.B./JMBG :", 13},
                            {&Text3, "Text3", "Šifra djelatnosti :", 10},
                            {&Text4, "Text4", "Tvrtka/Obrt (T/O) :", 1},
                            {&Text5, "Text5", "Žiro račun :", 20},
                            {&Text6, "Text6", "Poštanski broj :", 6},
                            {&Text7, "Text7", "Mjesto :", 20},
                            {&Text8, "Text8", "Ulica i br. :", 30},
                            {&Text9, "Text9", "Telefon :", 15},
                            {&Text10, "Text10", "Osoba za kontakt :", 15}};
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (const Field& f : fields) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(f.name));
        box->setMaxLength(f.maxLength);
        auto* caption = new QLabel(QString::fromUtf8(f.label), this);
        caption->setBuddy(box);
        form->addRow(caption, box);
        *f.box = box;
    }
    for (QLineEdit* box : {Text1, Text2, Text3, Text7, Text8, Text10})
        NoQuoteKeyFilter(box);
    DigitKeyFilter(Text6);
    PhoneKeyFilter(Text9, true);
    Text4->installEventFilter(this);

    cmdUpis = new QPushButton(QStringLiteral("&Upiši"), this);
    cmdUpis->setObjectName(QStringLiteral("cmdUpis"));
    cmdizlaz = new QPushButton(QStringLiteral("&Izlaz"), this);
    cmdizlaz->setObjectName(QStringLiteral("cmdizlaz"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUpis);
    buttons->addWidget(cmdizlaz);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addLayout(buttons);
    const QList<QWidget*> order = {Text1, Text2, Text3, Text4,  Text5,   Text6,
                                   Text7, Text8, Text9, Text10, cmdUpis, cmdizlaz};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    EscCloses(this);
    EnterClicksDefault(this);
    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { cmdUpis->setEnabled(!text.isEmpty()); });
    connect(cmdUpis, &QPushButton::clicked, this, &frmUpisNove::cmdUpisClick);
    connect(cmdizlaz, &QPushButton::clicked, this, &QWidget::close);

    FixedBorder(this, QSize(qMax(420, sizeHint().width()), sizeHint().height()));
}

QList<QLineEdit*> frmUpisNove::boxes() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10};
}

void frmUpisNove::prepareEntry()
{
    cmdUpis->setText(EntryCaption);
    cmdUpis->setToolTip(QStringLiteral("Unos nove tvrtke ili obrta"));
    cmdUpis->setDefault(true);
    cmdUpis->setEnabled(false);
}

void frmUpisNove::prepareChange(const QString& name, const QStringList& values)
{
    cmdUpis->setText(ChangeCaption);
    cmdUpis->setToolTip(QStringLiteral("Izmjena knjige"));
    setWindowTitle(literalTitle(QStringLiteral("Izmjena podataka - ") + name));
    const QList<QLineEdit*> all = boxes();
    for (int i = 0; i < all.size() && i < values.size(); ++i)
        all[i]->setText(values[i]);
    cmdUpis->setDefault(true);
}

bool frmUpisNove::checkTo()
{
    const QString text = Text4->text();
    if (text.isEmpty())
        return true;
    if (text.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0) {
        Text4->setText(QStringLiteral("T"));
        return true;
    }
    if (text.compare(QLatin1String("O"), Qt::CaseInsensitive) == 0) {
        Text4->setText(QStringLiteral("O"));
        return true;
    }
    Text4->clear();
    return false;
}

bool frmUpisNove::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text4 && event->type() == QEvent::FocusOut) {
        // Only leaving the box for another control of this window is checked, not a switch of windows.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !checkTo()) {
            m_toRefused = true;
            QTimer::singleShot(0, this, [this] {
                m_toRefused = false;
                Text4->setFocus(Qt::OtherFocusReason);
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmUpisNove::normaliseBoxes()
{
    for (QLineEdit* box : boxes())
        box->setText(box->text().isEmpty() ? QStringLiteral("-") : box->text().trimmed());
}

void frmUpisNove::cmdUpisClick()
{
    const QString mode = cmdUpis->text();
    if (mode != EntryCaption && mode != ChangeCaption)
        return;
    // A refused T/O value stops the store: when the click itself took the focus from the box, and when Enter
    // stores without leaving it.
    if (m_toRefused || (Text4->hasFocus() && !checkTo())) {
        Text4->setFocus(Qt::OtherFocusReason);
        return;
    }
    normaliseBoxes();
    Registry::Company company;
    company.ime = Text1->text();
    company.mb = Text2->text();
    company.sifradj = Text3->text();
    company.to = Text4->text();
    company.ziroracun = Text5->text();
    company.posta = Text6->text();
    company.mjesto = Text7->text();
    company.ulica = Text8->text();
    company.telefon = Text9->text();
    company.kontakt = Text10->text();

    try {
        if (mode == EntryCaption) {
            Registry::insertCompany(company);
        } else {
            company.id = AppState::companyIdText().toLongLong();
            Registry::updateCompany(company);
        }
    } catch (const DbError& e) {
        // The boxes keep what was typed, so nothing is lost.
        DbErrorMsgBox(e);
        return;
    }

    if (mode == EntryCaption) {
        HrMsgBox(QStringLiteral("Unešena nova tvrtka: ") + company.ime, 32, QStringLiteral("Unešena nova tvrtka!"));
        for (QLineEdit* box : boxes())
            box->clear();
        cmdUpis->setEnabled(false);
        Text1->setFocus(Qt::OtherFocusReason);
    } else {
        close();
    }
}

void frmUpisNove::closeEvent(QCloseEvent* event)
{
    // The company chooser lists the companies afresh.
    frmIzborTvrtke* chooser = frmIzborTvrtke::instance();
    chooser->show();
    chooser->raise();
    chooser->activateWindow();
    event->accept();
}
