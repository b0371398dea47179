#pragma once

#include <QPointer>

// One instance per window class. instance() creates the window and runs its load() on first touch, without
// showing it; the window deletes itself when it closes (Qt::WA_DeleteOnClose), and the next touch loads it afresh.
//
//   class frmX : public QWidget, public SingleInstance<frmX> { ... void load(); };
template <class Window> class SingleInstance
{
public:
    static Window* instance()
    {
        if (!s_instance) {
            s_instance = new Window();
            s_instance->load();
        }
        return s_instance;
    }
    static bool isLoaded() { return !s_instance.isNull(); }
    // The loaded instance, or nullptr (never loads).
    static Window* loaded() { return s_instance.data(); }
    // Closes and deletes the loaded instance at once, without asking (tests and program end).
    static void unload() { delete s_instance.data(); }

private:
    static inline QPointer<Window> s_instance;
};
