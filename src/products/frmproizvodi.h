#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"
#include "core/production/products.h"
#include "masterdata/articlepicktarget.h"

#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class ReportPane;

// The products window of a production book: products with their bills of materials, whose components are
// articles of the company's warehouse books. A new product is collected on the component list and stored with
// "Unos u bazu"; a stored product is loaded for editing from the list of all products, changed, deleted or printed.
class frmproizvodi : public WorkingWindow, public SingleInstance<frmproizvodi>, public ArticlePickTarget
{
    Q_OBJECT
public:
    static inline const QString DesignCaption = QStringLiteral("Unos novog proizvoda      Pomoć F1");
    static inline const QString WorkingCaption = QStringLiteral("Unos novog proizvoda    Pomoć  F1");

    // Columns of the component list.
    enum Column
    {
        ColSkladiste,
        ColSifra,
        ColNaziv,
        ColKolicina,
        ColCijena,
        ColIznos,
        ColId,
        ColIdSkladista,
        ColIdSastojka,
        ColumnCount
    };
    // Columns of the list of all products.
    enum ProductColumn
    {
        PColSifra,
        PColNaziv,
        PColBarkod,
        PColJedmjere,
        PColId,
        ProductColumnCount
    };

    frmproizvodi();
    // The company's warehouse books and the book's products.
    void load();
    // The main menu's "Proizvodi": switches "Izbor" off and shows the window.
    static frmproizvodi* openFromMenu();

    // Stores the new product of the header boxes and the component list; false when it was refused, declined or
    // failed (the window keeps everything then).
    bool storeNewProduct();
    // Loads the product chosen in the list of all products for editing.
    void prihvat();
    // Builds the bill-of-materials printout of what the window shows into rtfispis.
    void ispis();

    // ArticlePickTarget
    QWidget* pickerOwner() override { return this; }
    QString pickerBookPath() const override;
    QList<PendingQuantity> pendingQuantities() const override;
    void takePickedArticle(const PickedArticle& article) override;

    // The sastojci ids of stored lines removed from the list in edit mode ("0" for a line added here).
    const QStringList& lstbrisanje() const { return m_removed; }
    const QString& izabraniproizvod() const { return m_chosenName; }
    bool isEditMode() const;

    QFrame* frameartikli = nullptr;
    QFrame* Frame1 = nullptr;
    QFrame* Pic1 = nullptr;
    QLineEdit* txtsifra = nullptr;
    QLineEdit* txtbarkod = nullptr;
    QLineEdit* txtnaziv = nullptr;
    QLineEdit* txtjedmjere = nullptr;
    QLineEdit* txtcijenaproizvoda = nullptr;
    QComboBox* cboskladiste = nullptr;
    QComboBox* Cbosifra = nullptr;
    QComboBox* cbonaziv = nullptr;
    QPushButton* cmdpretraga = nullptr;
    QLineEdit* txtpokazkolicine = nullptr;
    QLineEdit* txtkolicina = nullptr;
    QLineEdit* txtcijena = nullptr;
    QLineEdit* txtiznos = nullptr;
    QPushButton* cmddodaj = nullptr;
    QPushButton* cmdbrisi = nullptr;
    QPushButton* cmdprihvati = nullptr;
    QPushButton* cmdodustani = nullptr;
    QPushButton* cmdeditiraj = nullptr;
    QPushButton* cmdizmjena = nullptr;
    QPushButton* cmdne = nullptr;
    QPushButton* cmdbrisiproizvod = nullptr;
    QPushButton* cmdispis = nullptr;
    QTreeWidget* lsvproizvodi = nullptr;
    QTreeWidget* lsvsviproizvodi = nullptr;
    QTextEdit* txtpomoc = nullptr;
    ReportPane* rtfispis = nullptr;
    QLabel* lblidknjige = nullptr;
    QLabel* lblvrstaknjige = nullptr;
    QLabel* lblartikl = nullptr;
    QLabel* lblidsvi = nullptr;

protected:
    // With component lines of a new product: Yes stores them (and stays open when they were not stored).
    bool confirmClose() override;

private:
    void chooseWarehouse(int index);
    void chooseArticle(int index);
    void showArticle(const StockDocs::ArticleStock& article);
    void forgetArticle();
    void recalcLineAmount();
    void recalcProductPrice();
    void cmddodajClick();
    void cmdbrisiClick();
    void cmdneClick();
    void cmdpretragaClick();
    void chooseProduct();
    void cmdeditirajClick();
    void cmdizmjenaClick();
    void cmdbrisiproizvodClick();
    void cmdispisClick();
    // Product header from the boxes; the refusals shared by storing a new product and storing changes.
    Product enteredProduct() const;
    bool headerComplete();
    bool headerUnique(qint64 exceptId);
    void refillProducts();
    void resetEntry();
    QList<Component> listedComponents(bool onlyNew) const;

    QList<WarehouseBook> m_books;
    QList<qint64> m_articleIds;
    // The article the entry boxes show, and the warehouse book it was taken from.
    qint64 m_chosenBook = 0;
    QStringList m_removed;
    QString m_chosenName;
};
