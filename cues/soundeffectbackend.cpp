#include "cues/soundeffectbackend.h"

#include <QSoundEffect>
#include <QUrl>

namespace orv {

namespace {

class SoundEffectVoice : public CueVoice
{
public:
    explicit SoundEffectVoice(const QString &path)
    {
        // The effect loads asynchronously; play as soon as it is ready.
        QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect, [this] { playWhenReady(); });
        m_effect.setSource(QUrl::fromLocalFile(path));
        playWhenReady();
    }

    ~SoundEffectVoice() override { m_effect.stop(); }

private:
    void playWhenReady()
    {
        if (m_effect.status() == QSoundEffect::Ready && !m_started) {
            m_started = true;
            m_effect.play();
        }
    }

    QSoundEffect m_effect;
    bool m_started = false;
};

} // namespace

std::unique_ptr<CueVoice> SoundEffectBackend::play(const QString &path)
{
    return std::make_unique<SoundEffectVoice>(path);
}

} // namespace orv
