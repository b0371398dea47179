#include "appsetup.h"

#include "hrmsgbox.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

namespace AppSetup {

void init()
{
    QCoreApplication::setApplicationName(applicationTitle());
    QGuiApplication::setApplicationDisplayName(applicationTitle());
    QLocale croatian(QLocale::Croatian, QLocale::Croatia);
    croatian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(croatian);
}

QFont fixedFont(int pointSize)
{
    QFont font(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QFont serifFont(int pointSize)
{
    QFont font(QStringLiteral("Times New Roman"), pointSize);
    font.setStyleHint(QFont::Serif);
    return font;
}

} // namespace AppSetup
