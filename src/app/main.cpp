#include "app/frmUvod.h"
#include "common/appsetup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    AppSetup::init();
    auto* splash = new frmUvod;
    splash->show();
    return app.exec();
}
