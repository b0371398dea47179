#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Starting the system-information tool, whose place the system keeps in two values of its settings store.
namespace SysInfo {

// Types of a stored value that the text reading knows.
enum ValueType
{
    StringValue = 1,  // text
    Number32Value = 4 // 32-bit number, stored low byte first
};

// The text of a stored value's raw data (GetKeyValue's reading): the last byte is dropped when it is NUL; text is
// taken as it stands, a 32-bit number becomes "&h" and two hexadecimal digits per kept byte, most significant byte
// first (261 -> "&h000105"). Any other type gives nothing (the caller's text stays as it was).
std::optional<QString> DecodeKeyValue(int valueType, const QByteArray& data);

// What StartSysInfo needs of the platform.
class Platform
{
public:
    virtual ~Platform() = default;
    // GetKeyValue: a value of the machine's settings store as text, or nothing when the key or value is missing.
    virtual std::optional<QString> GetKeyValue(const QString& keyPath, const QString& valueName) = 0;
    virtual bool fileExists(const QString& path) = 0;
    // Starts a program in a normal window; false when it cannot be started.
    virtual bool startProgram(const QString& path) = 0;
};

// The platform in use. The Linux one has no settings store holding the tool, so the tool is never found.
Platform& platform();
// Tests put their own platform here; nullptr restores the real one.
void setPlatform(Platform* replacement);

inline const QString UnavailableNotice = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace SysInfo

// Starts the system-information tool, or shows the plain notice that it is unavailable.
void StartSysInfo();
