#pragma once

#include "core/db/database.h"
#include "core/db/programfolder.h"
#include "core/db/registry.h"

#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include <optional>

namespace knjtest {

// A company with a name only, stored as the editor would store it.
inline qint64 addCompany(const QString& name)
{
    Registry::ensureExists();
    Registry::Company c;
    c.ime = name;
    c.mb = c.sifradj = c.to = c.ziroracun = c.posta = c.mjesto = c.ulica = c.telefon = c.kontakt = QStringLiteral("-");
    return Registry::insertCompany(c);
}

// The stored company row, or nothing.
inline std::optional<Registry::Company> storedCompany(qint64 id)
{
    for (const Registry::Company& c : Registry::companies())
        if (c.id == id)
            return c;
    return std::nullopt;
}

inline int rowCount(const QString& table)
{
    Database db = Database::open(ProgramFolder::registryPath());
    return db.scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

// Clicks a list row as a person would.
inline void clickRow(QTreeWidget* list, int row)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
}

// Shows a window and waits until it is the active one (keys then reach it).
inline bool showActive(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace knjtest
