#include "masterdata/frmunosdokumenta.h"
#include "stockbook.h"
#include "stockdocs/frmPrimka.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using knjtest::MsgBoxScript;
using stocktest::StockBook;

namespace {

QStringList entries(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

} // namespace

class DocumentKindsTest : public QObject
{
    Q_OBJECT
private slots:
    void entryButtonFollowsTheText()
    {
        StockBook book;
        frmPrimka* receipt = frmPrimka::openFromMenu(QStringLiteral("Primka"));
        receipt->cmdnovidokument->click();
        frmunosdokumenta* w = frmunosdokumenta::loaded();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Unos dokumenta:"));
        QVERIFY(!w->cmdunos->isEnabled());
        knjtest::typeText(w->txtunos, QStringLiteral("R"));
        QVERIFY(w->cmdunos->isEnabled());
        QTest::keyClick(w->txtunos, Qt::Key_Backspace);
        QVERIFY(!w->cmdunos->isEnabled());
        knjtest::typeText(w->txtunos, QStringLiteral("Otpremnica-12345X"));
        QCOMPARE(w->txtunos->text(), QStringLiteral("Otpremnica-1234"));
    }

    void storedKindIsOfferedSortedAndSelected()
    {
        StockBook book;
        book.addDocumentKind(QStringLiteral("Faktura"));
        book.addDocumentKind(QStringLiteral("Račun"));
        MsgBoxScript msgs;
        frmPrimka* receipt = frmPrimka::openFromMenu(QStringLiteral("Primka"));
        receipt->cmdnovidokument->click();
        frmunosdokumenta* w = frmunosdokumenta::loaded();

        knjtest::typeText(w->txtunos, QStringLiteral("Otpremnica"));
        msgs.answer(MsgNo);
        QTest::keyClick(w->txtunos, Qt::Key_Return);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Unosimo novi dokument?"));
        QCOMPARE(msgs.last().style, 36);
        QCOMPARE(msgs.last().title, QStringLiteral("Unosim dokument?"));
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from dokumenti")).toInt(), 2);
        QCOMPARE(receipt->cbodokument->count(), 2);
        QCOMPARE(w->txtunos->text(), QStringLiteral("Otpremnica"));

        for (int round = 1; round <= 2; ++round) {
            msgs.answer(MsgYes).answer(MsgOk);
            w->cmdunos->click();
            QCOMPARE(msgs.last().prompt, QStringLiteral("Novi dokument unešen"));
            QCOMPARE(msgs.last().style, 64);
            QCOMPARE(msgs.last().title, QStringLiteral("Dokument unešen"));
            QCOMPARE(receipt->cbodokument->currentText(), QStringLiteral("Otpremnica"));
            QCOMPARE(receipt->cbodokument->currentIndex(), round);
            QCOMPARE(w->txtunos->text(), QString());
            QVERIFY(!w->cmdunos->isEnabled());
            QCOMPARE(w->focusWidget(), w->txtunos);
            knjtest::typeText(w->txtunos, QStringLiteral("Otpremnica"));
        }
        QCOMPARE(entries(receipt->cbodokument), (QStringList{"Faktura", "Otpremnica", "Otpremnica", "Račun"}));
        QCOMPARE(book.scalar(QStringLiteral("select count(*) from dokumenti where dokument = 'Otpremnica'")).toInt(),
                 2);
    }

    void failedStoreIsReportedAndNotOffered()
    {
        StockBook book;
        MsgBoxScript msgs;
        frmPrimka* receipt = frmPrimka::openFromMenu(QStringLiteral("Primka"));
        receipt->cmdnovidokument->click();
        frmunosdokumenta* w = frmunosdokumenta::loaded();
        book.exec(QStringLiteral("drop table dokumenti"));
        knjtest::typeText(w->txtunos, QStringLiteral("Otpremnica"));
        msgs.answer(MsgYes);
        w->cmdunos->click();
        QCOMPARE(msgs.calls().size(), 2);
        QVERIFY2(msgs.last().prompt.contains(QStringLiteral("dokumenti")), qPrintable(msgs.last().prompt));
        QCOMPARE(receipt->cbodokument->count(), 0);
        QCOMPARE(w->txtunos->text(), QStringLiteral("Otpremnica"));
    }
};

KNJ_REGISTER_TEST(DocumentKindsTest)
#include "tst_documentkinds.moc"
