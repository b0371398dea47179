#include "sysinfo.h"

#include "hrmsgbox.h"

#include <QFileInfo>
#include <QProcess>

namespace {

class LinuxPlatform : public SysInfo::Platform
{
public:
    std::optional<QString> GetKeyValue(const QString&, const QString&) override { return std::nullopt; }
    bool fileExists(const QString& path) override { return QFileInfo(path).isFile(); }
    bool startProgram(const QString& path) override { return QProcess::startDetached(path, {}); }
};

SysInfo::Platform*& replacement()
{
    static SysInfo::Platform* p = nullptr;
    return p;
}

} // namespace

namespace SysInfo {

std::optional<QString> DecodeKeyValue(int valueType, const QByteArray& data)
{
    const QByteArray kept = !data.isEmpty() && data.endsWith('\0') ? data.left(data.size() - 1) : data;
    if (valueType == StringValue)
        return QString::fromLatin1(kept);
    if (valueType == Number32Value) {
        QString text = QStringLiteral("&h");
        for (qsizetype i = kept.size() - 1; i >= 0; --i)
            text += QStringLiteral("%1").arg(quint8(kept.at(i)), 2, 16, QLatin1Char('0')).toUpper();
        return text;
    }
    return std::nullopt;
}

Platform& platform()
{
    static LinuxPlatform linuxPlatform;
    return replacement() ? *replacement() : linuxPlatform;
}

void setPlatform(Platform* p)
{
    replacement() = p;
}

} // namespace SysInfo

void StartSysInfo()
{
    SysInfo::Platform& system = SysInfo::platform();
    QString path;
    if (const auto full =
            system.GetKeyValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"))) {
        path = *full;
    } else if (const auto folder = system.GetKeyValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                                      QStringLiteral("MSINFO"))) {
        const QString candidate = *folder + QStringLiteral("\\MSINFO32.EXE");
        if (system.fileExists(candidate))
            path = candidate;
    }
    if (path.isEmpty() || !system.startProgram(path))
        PlainMsgBox(SysInfo::UnavailableNotice);
}
