#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

namespace ProgramFolder {

QString path()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setPath(const QString& folder)
{
    folderOverride() = folder;
}

QString filePath(const QString& fileName)
{
    return QDir(path()).filePath(fileName);
}

QString registryPath()
{
    return filePath(QStringLiteral("tvrtke.mdb"));
}

} // namespace ProgramFolder

QString BookFileName(const QString& vrstaknjige, qint64 bookId)
{
    return vrstaknjige + QString::number(bookId) + QStringLiteral(".mdb");
}
