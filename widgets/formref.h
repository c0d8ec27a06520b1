// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QPointer>

#include <functional>
#include <vector>

namespace orv {

namespace detail {
// Keeps a way to discard one reference's instance; all are discarded while
// the application object still exists (at the latest as it goes away).
void registerFormResetter(std::function<void()> reset);
}

// The one program-wide reference to a window class's current instance.
//
// Using an empty reference creates a fresh instance (all state zero or empty)
// without loading or showing it. unload() closes the window but keeps the
// instance; reset() discards the instance, so the next use creates a new one.
template <class T>
class FormRef
{
public:
    T *get()
    {
        if (!m_instance) {
            m_instance = new T();
            registerOnce();
        }
        return m_instance;
    }
    void unload()
    {
        if (m_instance)
            m_instance->unload();
    }

    void reset()
    {
        // Detach first, so that anything the destructor triggers sees an
        // empty reference rather than a half-destroyed window.
        T *old = m_instance.data();
        m_instance.clear();
        delete old;
    }

    // Unloads and discards the current instance; returns a fresh one,
    // neither loaded nor shown.
    T *renew()
    {
        unload();
        reset();
        return get();
    }

private:
    void registerOnce()
    {
        if (m_registered)
            return;
        m_registered = true;
        detail::registerFormResetter([this] { reset(); });
    }

    QPointer<T> m_instance;
    bool m_registered = false;
};

template <class T>
FormRef<T> &formRef()
{
    static FormRef<T> ref;
    return ref;
}

// Discards every window instance; the program calls it before the
// application object goes away, tests between cases.
void discardAllForms();

} // namespace orv
