#pragma once

#include "common/singleinstance.h"
#include "common/workingwindow.h"
#include "core/reports/reviews.h"

#include <optional>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ReportPane;

// The review of the receipts or of the issue notes of the open book: the summary of the chosen document, of the
// documents of a date range or of one partner, or the full listing of the chosen document, shown in rtfprimke
// by "&Prikaz" and printed by "I&spis". The two twins below differ only in the kind of document they review.
//
// Four layouts follow the options:
//   "Zaključak" + "Jedne"                 document box (all documents of the kind)
//   "Zaključak" + "Više" + "Datumu"       the date range
//   "Zaključak" + "Više" + "Dobavljaču"   partner box and the partner's documents in the document box
//   "Cjelovit prikaz"                     document box; "Više" hidden
class DocumentReview : public WorkingWindow
{
    Q_OBJECT
public:
    static inline const QString ReceiptCaption = QStringLiteral("Pregled primki");
    static inline const QString IssueCaption = QStringLiteral("Pregled izdatnica");

    // Lists the documents, chooses the last one and sets the starting layout.
    void load();
    bool reviewsReceipts() const { return m_receipt; }

    QGroupBox* frameartikli;
    QGroupBox* Frame5;
    QRadioButton* optzakljucak;
    QRadioButton* optprikaz;
    QGroupBox* Frame2;
    QRadioButton* Optjedne;
    QRadioButton* optvise;
    QGroupBox* Frame4;
    QRadioButton* optdatumu;
    QRadioButton* optdobavljacu;
    QGroupBox* Framedatum;
    QLabel* lblod;
    QDateEdit* dtpod;
    QLabel* lbldo;
    QDateEdit* dtpdo;
    QGroupBox* frameprimkadobavljac;
    QLabel* lblprimka;
    QComboBox* cboizborprimke;
    QLabel* lbldobavljac;
    QComboBox* cboizbordobavljaca;
    QPushButton* cmdprikazart;
    QPushButton* cmdispisart;
    QPushButton* exitButton; // cmdizlaz in the issue-note review, Command1 in the receipt review
    ReportPane* rtfprimke;

    // The document chosen in the document box, as the one-document summary and the full listing show it.
    const std::optional<Reviews::ReviewDocument>& chosenDocument() const { return m_chosen; }
    // The documents of the partner loaded last, one for each entry of the document box in by-partner mode.
    const QList<Reviews::ReviewDocument>& partnerDocuments() const { return m_partnerDocuments; }

protected:
    explicit DocumentReview(bool receipt);

private:
    void placeControls();
    void summaryClicked();
    void fullListingClicked();
    void severalClicked();
    void dateRangeClicked();
    // One-document mode: every document of the kind in the box, the last one chosen.
    void oneDocumentClicked();
    // Reads the document of the box's current entry.
    void documentChosen();
    // By-partner mode: the partners of the kind, and the documents of the one listed last.
    void partnerModeClicked();
    // Loads the documents of the partner at that index of the partner box (or of the partner loaded before).
    void partnerChosen(int index);
    void showReport();
    // The document box alone: the range, the partner box and the choice of several hidden.
    void showOneDocumentLayout();
    // Fills the document box with the documents' numbers; the last one is current.
    void fillDocumentBox(const QList<Reviews::DocumentChoice>& documents);

    bool m_receipt;
    std::optional<Reviews::ReviewDocument> m_chosen;
    QList<Reviews::PartnerChoice> m_partners;
    std::optional<qint64> m_partnerId;
    QList<Reviews::ReviewDocument> m_partnerDocuments;
};

// "&Pregled" > "Primki": the receipt review.
class frmpregledprimki : public DocumentReview, public SingleInstance<frmpregledprimki>
{
    Q_OBJECT
public:
    frmpregledprimki();
    static void openFromMenu();
};

// "&Pregled" > "Izdatnica": the issue-note review.
class frmpregledizdatnice : public DocumentReview, public SingleInstance<frmpregledizdatnice>
{
    Q_OBJECT
public:
    frmpregledizdatnice();
    static void openFromMenu();
};
