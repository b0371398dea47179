#include "common/hrmsgbox.h"
#include "support/testmain.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

struct SeenBox
{
    QStringList captions;
    QString defaultCaption;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int height = 0; // of the box with its title bar
    bool buttonsInSight = false;
};

// Opens the real dialog, reads it, and clicks the button with the given caption.
int showAndClick(const std::function<int()>& open, const QString& click, SeenBox& seen)
{
    QTimer::singleShot(0, [&seen, click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.height = box->frameGeometry().height();
        seen.buttonsInSight = true;
        for (QAbstractButton* b : box->buttons())
            seen.buttonsInSight = seen.buttonsInSight && b->isVisible() &&
                                  box->rect().contains(QRect(b->mapTo(box, QPoint()), b->size()));
        QPushButton* target = nullptr;
        QList<QAbstractButton*> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* a, QAbstractButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        for (QAbstractButton* b : buttons) {
            seen.captions << b->text();
            if (b->text() == click)
                target = static_cast<QPushButton*>(b);
        }
        if (box->defaultButton())
            seen.defaultCaption = box->defaultButton()->text();
        if (target)
            target->click();
        else
            box->reject();
    });
    return open();
}

} // namespace

class HrMsgBoxTest : public QObject
{
    Q_OBJECT
private slots:
    void captionsIconsDefaultsAndResults_data();
    void captionsIconsDefaultsAndResults();
    void emptyTitleShowsApplicationTitle();
    void promptIsPlainText();
    void plainBoxHasOkOnly();
    void answererSeesEveryCall();
    void longTextScrollsWithTheButtonsInSight();
};

void HrMsgBoxTest::captionsIconsDefaultsAndResults_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("defaultCaption");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("click");
    QTest::addColumn<int>("result");
    const QStringList ok{"U redu"};
    QTest::newRow("0") << 0 << ok << "U redu" << int(QMessageBox::NoIcon) << "U redu" << 1;
    QTest::newRow("16") << 16 << ok << "U redu" << int(QMessageBox::Critical) << "U redu" << 1;
    QTest::newRow("32") << 32 << ok << "U redu" << int(QMessageBox::Question) << "U redu" << 1;
    QTest::newRow("48") << 48 << ok << "U redu" << int(QMessageBox::Warning) << "U redu" << 1;
    QTest::newRow("64") << 64 << ok << "U redu" << int(QMessageBox::Information) << "U redu" << 1;
    QTest::newRow("33") << 33 << QStringList{"U redu", "Odustani"} << "U redu" << int(QMessageBox::Question)
                        << "Odustani" << 2;
    QTest::newRow("273") << 273 << QStringList{"U redu", "Odustani"} << "Odustani" << int(QMessageBox::Critical)
                         << "U redu" << 1;
    QTest::newRow("35") << 35 << QStringList{"Da", "Ne", "Odustani"} << "Da" << int(QMessageBox::Question) << "Odustani"
                        << 2;
    QTest::newRow("36 yes") << 36 << QStringList{"Da", "Ne"} << "Da" << int(QMessageBox::Question) << "Da" << 6;
    QTest::newRow("36 no") << 36 << QStringList{"Da", "Ne"} << "Da" << int(QMessageBox::Question) << "Ne" << 7;
    QTest::newRow("276") << 276 << QStringList{"Da", "Ne"} << "Ne" << int(QMessageBox::Critical) << "Da" << 6;
    QTest::newRow("2") << 2 << QStringList{"Prekini", "Ponovi", "Zanemari"} << "Prekini" << int(QMessageBox::NoIcon)
                       << "Zanemari" << 5;
    QTest::newRow("5") << 5 << QStringList{"Ponovi", "Odustani"} << "Ponovi" << int(QMessageBox::NoIcon) << "Ponovi"
                       << 4;
}

void HrMsgBoxTest::captionsIconsDefaultsAndResults()
{
    QFETCH(int, style);
    QFETCH(QString, click);
    SeenBox seen;
    const int result = showAndClick(
        [style] { return HrMsgBox(QStringLiteral("Pitanje?"), style, QStringLiteral("Naslov")); }, click, seen);
    QTEST(seen.captions, "captions");
    QTEST(seen.defaultCaption, "defaultCaption");
    QTEST(int(seen.icon), "icon");
    QTEST(result, "result");
    QCOMPARE(seen.title, QStringLiteral("Naslov"));
}

void HrMsgBoxTest::emptyTitleShowsApplicationTitle()
{
    SeenBox seen;
    showAndClick([] { return HrMsgBox(QStringLiteral("x"), 0, QString()); }, QStringLiteral("U redu"), seen);
    QCOMPARE(seen.title, QStringLiteral("Knjigovodstvo"));
    SeenBox kept;
    showAndClick([] { return HrMsgBox(QStringLiteral("x"), 32, QStringLiteral("Brisanje završeno")); },
                 QStringLiteral("U redu"), kept);
    QCOMPARE(kept.title, QStringLiteral("Brisanje završeno"));
}

void HrMsgBoxTest::promptIsPlainText()
{
    SeenBox seen;
    showAndClick([] { return HrMsgBox(QStringLiteral("<b>Tvrtka</b>\r\nMolim"), 0); }, QStringLiteral("U redu"), seen);
    QCOMPARE(seen.text, QStringLiteral("<b>Tvrtka</b>\nMolim"));
}

void HrMsgBoxTest::plainBoxHasOkOnly()
{
    SeenBox seen;
    showAndClick(
        [] {
            PlainMsgBox(QStringLiteral("Greška"));
            return 0;
        },
        QStringLiteral("OK"), seen);
    QCOMPARE(seen.captions, QStringList{QStringLiteral("OK")});
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.title, QStringLiteral("Knjigovodstvo"));
}

void HrMsgBoxTest::answererSeesEveryCall()
{
    QList<MsgRequest> calls;
    MsgBoxHook::setAnswerer([&calls](const MsgRequest& r) {
        calls.append(r);
        return int(MsgNo);
    });
    QCOMPARE(HrMsgBox(QStringLiteral("Brisati?"), 276, QStringLiteral("Brisanje")), int(MsgNo));
    PlainMsgBox(QStringLiteral("Greška"));
    MsgBoxHook::setAnswerer({});
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].prompt, QStringLiteral("Brisati?"));
    QCOMPARE(calls[0].style, 276);
    QCOMPARE(calls[0].title, QStringLiteral("Brisanje"));
    QVERIFY(!calls[0].plain);
    QVERIFY(calls[1].plain);
    QCOMPARE(calls[1].title, QStringLiteral("Knjigovodstvo"));
}

void HrMsgBoxTest::longTextScrollsWithTheButtonsInSight()
{
    QStringList lines{QStringLiteral("Nema dovoljno!")};
    for (int i = 1; i <= 70; ++i)
        lines << QStringLiteral("Art %1: 1,00").arg(i);
    const QString text = lines.join(QLatin1Char('\n'));
    SeenBox seen;
    const int result = showAndClick([&text] { return HrMsgBox(text, 48, QStringLiteral("Provjera")); },
                                    QStringLiteral("U redu"), seen);
    QCOMPARE(result, int(MsgOk));
    QCOMPARE(seen.text, text);
    QVERIFY2(seen.height > 0 && seen.height <= QApplication::primaryScreen()->availableGeometry().height(),
             qPrintable(QString::number(seen.height)));
    QVERIFY(seen.buttonsInSight);
}

KNJ_REGISTER_TEST(HrMsgBoxTest)
#include "tst_hrmsgbox.moc"
