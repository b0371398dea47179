#include "frmUvod.h"

#include "common/appsetup.h"
#include "frame/frmIzborTvrtke.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

frmUvod::frmUvod()
{
    setObjectName(QStringLiteral("frmUvod"));
    setWindowTitle(QStringLiteral("Uvod"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(480, 300);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF1, 0xE6));
    setPalette(pal);

    lblNaziv = new QLabel(QStringLiteral("Knjigovodstveni programi"), this);
    lblNaziv->setObjectName(QStringLiteral("lblNaziv"));
    lblNaziv->setFont(AppSetup::serifFont(24));
    Label1 = new QLabel(QStringLiteral("Lotrak"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = AppSetup::serifFont(36);
    big.setBold(true);
    Label1->setFont(big);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(lblNaziv, 0, Qt::AlignHCenter);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addStretch(3);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmUvod::handOver);
    Timer1->start();
}

void frmUvod::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2F, 0x4F, 0x7F), 3));
    p.drawRoundedRect(rect().adjusted(12, 12, -12, -12), 18, 18);
    p.setPen(QPen(QColor(0x2F, 0x4F, 0x7F), 1));
    p.drawLine(60, height() - 70, width() - 60, height() - 70);
}

void frmUvod::handOver()
{
    frmIzborTvrtke::instance()->show();
    close();
}
