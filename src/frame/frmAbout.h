#pragma once

#include "common/singleinstance.h"

#include <QDialog>
#include <QPointer>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

// The about box: the program's description and version, and either the user guide or the icon with the
// system-information button. Modal; OK or Esc closes it.
class frmAbout : public QDialog, public SingleInstance<frmAbout>
{
    Q_OBJECT
public:
    static inline const QString DesignCaption = QStringLiteral("O programu knjigovodstvo i o nama");
    static constexpr int FixedWidth = 800;
    static constexpr int FixedHeight = 520;
    static constexpr int RightGap = 30;

    frmAbout();
    void load() {}

    // "O programu...": the user guide over the whole box, no icon and no system-information button.
    void showGuide();
    // "O nama...": the icon and the system-information button, no guide.
    void showAboutUs();
    // The window the box is placed over (the main window); without one, the box is placed over the screen.
    void setHostWindow(QWidget* host) { m_host = host; }

    QLabel* picIcon = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblDescription = nullptr;
    QFrame* Line1[2] = {nullptr, nullptr};
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QTextEdit* txtpomoc = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeAndLayOut();

    QPointer<QWidget> m_host;
};
