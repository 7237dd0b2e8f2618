#include "core/gui/windowregistry.h"

WindowRegistry &WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::discardAll()
{
    for (auto &entry : m_windows)
        delete entry.second.data();
    m_windows.clear();
}
