#include "testmain.h"

#include "common/appsetup.h"

#include <QApplication>
#include <QTest>

#include <sqlite3.h>

#include <cstring>
#include <vector>

namespace {

struct Entry
{
    const char* name;
    knjtest::TestFactory factory;
};

std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}

} // namespace

bool knjtest::registerTest(const char* name, TestFactory factory)
{
    entries().push_back({name, std::move(factory)});
    return true;
}

namespace {

// The child run of knjtest::beginWriteInAnotherProcess: the result code of "begin immediate" on the file.
int beginWrite(const char* path)
{
    sqlite3* handle = nullptr;
    int rc = sqlite3_open_v2(path, &handle, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(handle, "begin immediate", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    return rc & 0xff;
}

} // namespace

// Runs every registered class. A first argument naming a class runs only that class, with the remaining
// arguments passed to Qt Test (for example: tst_frame CompanyChooserTest deleteCompany).
int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--begin-write") == 0)
        return beginWrite(argv[2]);
    QApplication app(argc, argv);
    AppSetup::init();

    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (argc > 1 && argv[1][0] != '-') {
        only = argv[1];
        args.erase(args.begin() + 1);
    }

    int failures = 0;
    for (const Entry& entry : entries()) {
        if (only && std::strcmp(only, entry.name) != 0)
            continue;
        std::unique_ptr<QObject> test = entry.factory();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
