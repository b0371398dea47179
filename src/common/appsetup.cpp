#include "appsetup.h"

#include "hrmsgbox.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace AppSetup {

void init()
{
    // The name only: a display name would be appended to every window title. A window with an empty title
    // shows the name.
    QCoreApplication::setApplicationName(applicationTitle());
    QLocale croatian(QLocale::Croatian, QLocale::Croatia);
    croatian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(croatian);
    // Qt's own texts (entry-box context menus, a child window's system menu) in Croatian.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(croatian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
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
