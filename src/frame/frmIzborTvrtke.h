#pragma once

#include "common/singleinstance.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The company chooser: the registry's companies, and the way into their books.
class frmIzborTvrtke : public QWidget, public SingleInstance<frmIzborTvrtke>
{
    Q_OBJECT
public:
    static inline const QString WorkingCaption = QStringLiteral("Izbor tvrtke / obrta        Pomoć F1");

    enum Column
    {
        ColIme,
        ColMb,
        ColSifradj,
        ColTo,
        ColZiroracun,
        ColPosta,
        ColMjesto,
        ColUlica,
        ColTelefon,
        ColKontakt,
        ColId,
        ColumnCount
    };

    frmIzborTvrtke();
    void load();

    QTreeWidget* lsvLista = nullptr;
    QPushButton* cmdUlaz = nullptr;
    QPushButton* cmdNova = nullptr;
    QPushButton* cmdUredjivanje = nullptr;
    QPushButton* cmdBrisanje = nullptr;
    QPushButton* cmdispis = nullptr;
    QPushButton* cmdizlaz = nullptr;
    QLabel* lblIme = nullptr;
    QLabel* lblidt = nullptr;
    QTextEdit* txtpomoc = nullptr;

private:
    void ucitajtvrtke();
    void lsvListaClick();
    void cmdUlazClick();
    void cmdNovaClick();
    void cmdUredjivanjeClick();
    void cmdBrisanjeClick();
    void cmdispisClick();
    void cmdizlazClick();
    QTreeWidgetItem* selectedRow() const;
    bool holdsOpenBook(qint64 companyId) const;
    void fitColumns();
    void printSheet(const QTreeWidgetItem* row);
};
