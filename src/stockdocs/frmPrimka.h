#pragma once

#include "common/singleinstance.h"
#include "common/stockdoclink.h"
#include "common/workingwindow.h"
#include "core/db/appstate.h"
#include "masterdata/articlepicktarget.h"

class HelpPaneToggle;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;
class QTreeWidget;

// The stock-document window: one receipt ("Primka") or issue note ("Izdatnica") of the open warehouse book,
// entered line by line on the list on the right and posted into the book at once.
class frmPrimka : public WorkingWindow, public SingleInstance<frmPrimka>, public ArticlePickTarget
{
    Q_OBJECT
public:
    enum Column
    {
        ColSifra,
        ColNaziv,
        ColKolicina,
        ColCijena,
        ColIznos,
        ColId,
        ColumnCount
    };

    frmPrimka();
    ~frmPrimka() override;
    // Reads the mode (vrstadokumenta) once (the book is fixed when the window is made), and fills the lists and the
    // number.
    void load();

    // The main menu's "Primki" ("Primka") and "Izdatnica" ("Izdatnica") items: switches the warehouse menus off,
    // sets vrstadokumenta, opens the window for that kind of document and shows it.
    static frmPrimka* openFromMenu(const QString& mode);

    const QString& mode() const { return m_mode; }
    bool isReceipt() const { return m_mode == AppState::ModeReceipt; }

    // A new kind of supplier document: offered in its sorted place and selected.
    void takeNewDocumentKind(qint64 id, const QString& name);
    // The articles window's articles in the order stored: the code and name pickers take them, and the last stored
    // becomes the line's article.
    void showArticles(const QList<StockDocs::ArticleChoice>& articles);
    // Stored or changed articles: the code and name pickers afresh in name order, none shown.
    void refillArticlePickers();
    // New or changed partners: the partner picker afresh. The partners window's step decides the partner shown (the
    // newest, the oldest after its closing question, or the one shown after a change) and whether a mode without
    // partners empties the picker.
    void refillPartnerPicker(StockDocumentLink::PartnerRefill step);
    // Posts the list as one document (checks, confirmation, posting, reset). True when it was posted.
    bool postDocument();

    // ArticlePickTarget
    QWidget* pickerOwner() override { return this; }
    QString pickerBookPath() const override { return bookPath(); }
    QList<PendingQuantity> pendingQuantities() const override;
    void takePickedArticle(const PickedArticle& article) override;

    QFrame* frameartikli = nullptr;
    // Header
    QLabel* Label1_0 = nullptr;
    QLabel* Label2_0 = nullptr;
    QLabel* Label3_0 = nullptr;
    QLabel* Label4_0 = nullptr;
    QLabel* Label5_0 = nullptr;
    QLabel* Label6_0 = nullptr;
    QLineEdit* txtprimka = nullptr;
    QDateEdit* txtdatumprimke = nullptr;
    QComboBox* cbokd = nullptr;
    QComboBox* cbodokument = nullptr;
    QLineEdit* txtbroj = nullptr;
    QDateEdit* txtdatumdokumenta = nullptr;
    QLabel* lblpi = nullptr;
    QLabel* lblidprimkeizdatnice = nullptr;
    // Line entry
    QLabel* lblkd = nullptr;
    QLabel* Label2_1 = nullptr;
    QLabel* Label1_1 = nullptr;
    QLabel* Label3_1 = nullptr;
    QLabel* Label4_1 = nullptr;
    QComboBox* Cbosifra = nullptr;
    QComboBox* cbonaziv = nullptr;
    QListWidget* lstid = nullptr;
    QLabel* lblartikl = nullptr;
    QLineEdit* txtkolicina = nullptr;
    QLineEdit* txtcijena = nullptr;
    QLineEdit* txtiznos = nullptr;
    QLineEdit* txtpokazkolicine = nullptr;
    // Buttons
    QPushButton* cmddodaj = nullptr;
    QPushButton* cmdbrisi = nullptr;
    QPushButton* cmdprihvati = nullptr;
    QPushButton* cmdodustani = nullptr;
    QPushButton* cmdpretraga = nullptr;
    QPushButton* cmdnovidokument = nullptr;
    QPushButton* cmdartikl = nullptr;
    QPushButton* cmddobavljac = nullptr;
    // Pending lines and help
    QTreeWidget* lsvartprimka = nullptr;
    QTextEdit* txtpomoc = nullptr;
    QTextEdit* txtpomoc1 = nullptr;

protected:
    // With lines on the list: Yes posts them (and stays open when they were not posted), No drops them.
    bool confirmClose() override;
    void releaseMenus() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyMode();
    void fillArticleLists(const QList<StockDocs::ArticleChoice>& articles);
    void choosePickedIndex(int index);
    void showArticle(const std::optional<StockDocs::ArticleStock>& article);
    void clearArticle();
    void LineAmountRecalc(QLineEdit* changed);
    void cmddodajClick();
    void cmdbrisiClick();
    void cmdartiklClick();
    void cmddobavljacClick();
    void cmdnovidokumentClick();
    void cmdpretragaClick();
    void resetAfterPosting();
    QString workingCaption() const;

    QString m_mode;
    HelpPaneToggle* m_help = nullptr;
};
