#pragma once

#include <QPointer>
#include <QWidget>

#include <typeindex>
#include <unordered_map>

// Every window of the program exists at most once: made the first time it is touched (its
// load step runs in its constructor then) and destroyed when it closes, so that opening it
// again loads it afresh.
class WindowRegistry
{
public:
    static WindowRegistry &instance();

    template <typename Form>
    Form &form(QWidget *owner = nullptr)
    {
        QPointer<QWidget> &slot = m_windows[std::type_index(typeid(Form))];
        if (!slot) {
            auto *window = new Form(owner);
            window->setAttribute(Qt::WA_DeleteOnClose);
            slot = window;
        }
        return *static_cast<Form *>(slot.data());
    }

    template <typename Form>
    Form *existing() const
    {
        const auto found = m_windows.find(std::type_index(typeid(Form)));
        return found == m_windows.end() ? nullptr : static_cast<Form *>(found->second.data());
    }

    // At shutdown: windows still open are discarded without their own closing steps.
    void discardAll();

private:
    WindowRegistry() = default;
    std::unordered_map<std::type_index, QPointer<QWidget>> m_windows;
};
