#pragma once

#include <QByteArrayList>
#include <QStringList>

#include <pulse/context.h>
#include <pulse/thread-mainloop.h>

namespace orv {

// A connection to the sound server on a thread of its own. When the server
// goes away it is looked for again after half a second, then every ten
// seconds, and at once whenever wake() says its folder has changed. While
// it is away only the server's socket is looked at, which costs
// microseconds, where a context costs milliseconds (it reads its
// configuration afresh each time).
class PulseConnection
{
public:
    PulseConnection();
    ~PulseConnection();

    void lock() { pa_threaded_mainloop_lock(m_loop); }
    void unlock() { pa_threaded_mainloop_unlock(m_loop); }
    // The context while it is ready; call with the lock held.
    pa_context *ready() const;
    bool running() const { return m_loop; }
    // The folders where the server's socket appears.
    QStringList folders() const;
    // Looks for the server at once unless connected.
    void wake();

private:
    pa_mainloop_api *api() const { return pa_threaded_mainloop_get_api(m_loop); }
    void connect();
    void dropContext();
    void retryIn(pa_usec_t usec);
    static void onRetry(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self);
    static void onState(pa_context *context, void *self);

    const QByteArrayList m_paths;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_time_event *m_retry = nullptr;
    bool m_looked = false; // the first attempt is a real one, wherever the server is
};

} // namespace orv
