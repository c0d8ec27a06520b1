#include "cues/defaultoutput.h"

#ifdef ORVALEN_HAVE_PULSE

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>
#include <pulse/thread-mainloop.h>

#include <mutex>

namespace orv {

namespace {

class DefaultOutputWatch
{
public:
    DefaultOutputWatch()
    {
        m_loop = pa_threaded_mainloop_new();
        if (!m_loop)
            return;
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Orvalen");
        if (!m_context)
            return;
        pa_context_set_state_callback(m_context, &DefaultOutputWatch::onState, this);
        pa_context_set_subscribe_callback(m_context, &DefaultOutputWatch::onEvent, this);
        // No autospawn: a desktop without a sound server stays silent.
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        pa_threaded_mainloop_start(m_loop);
    }

    ~DefaultOutputWatch()
    {
        if (m_loop)
            pa_threaded_mainloop_stop(m_loop);
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        if (m_loop)
            pa_threaded_mainloop_free(m_loop);
    }

    QByteArray sink() const
    {
        std::lock_guard lock(m_mutex);
        return m_sink;
    }

private:
    static void onState(pa_context *context, void *self)
    {
        if (pa_context_get_state(context) != PA_CONTEXT_READY)
            return;
        pa_operation_unref(pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr));
        static_cast<DefaultOutputWatch *>(self)->askServer();
    }

    static void onEvent(pa_context *, pa_subscription_event_type_t, uint32_t, void *self)
    {
        static_cast<DefaultOutputWatch *>(self)->askServer();
    }

    static void onServerInfo(pa_context *, const pa_server_info *info, void *self)
    {
        if (!info || !info->default_sink_name)
            return;
        auto *watch = static_cast<DefaultOutputWatch *>(self);
        std::lock_guard lock(watch->m_mutex);
        watch->m_sink = QByteArray(info->default_sink_name);
    }

    void askServer()
    {
        if (pa_operation *op = pa_context_get_server_info(m_context, &DefaultOutputWatch::onServerInfo, this))
            pa_operation_unref(op);
    }

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    mutable std::mutex m_mutex;
    QByteArray m_sink;
};

} // namespace

QByteArray currentDefaultOutput()
{
    static DefaultOutputWatch watch;
    return watch.sink();
}

} // namespace orv

#else

namespace orv {
QByteArray currentDefaultOutput()
{
    return {};
}
} // namespace orv

#endif
