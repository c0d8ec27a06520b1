#include "cues/soundeffectbackend.h"

#include "cues/defaultoutput.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace orv {

namespace {

// The output the user has chosen now, not the one at start-up: a cue follows
// unplugged headphones.
QAudioDevice currentOutput()
{
    const QByteArray sink = currentDefaultOutput();
    if (!sink.isEmpty()) {
        const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
        for (const QAudioDevice &device : outputs)
            if (device.id() == sink)
                return device;
    }
    return QMediaDevices::defaultAudioOutput();
}

class SoundEffectVoice : public CueVoice
{
public:
    explicit SoundEffectVoice(const QString &path)
    {
        m_effect.setAudioDevice(currentOutput());
        m_effect.setSource(QUrl::fromLocalFile(path));
        // The effect loads asynchronously and plays once loaded.
        m_effect.play();
    }

    ~SoundEffectVoice() override { m_effect.stop(); }

private:
    QSoundEffect m_effect;
};

} // namespace

SoundEffectBackend::SoundEffectBackend()
{
    // Connecting to the sound server takes a while the first time; do it
    // now rather than on the first cue.
    (void)QMediaDevices::defaultAudioOutput();
    (void)currentDefaultOutput();
}

SoundEffectBackend::~SoundEffectBackend() = default;

void SoundEffectBackend::preload(const QString &path)
{
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    m_loaded.push_back(std::move(effect));
}

std::unique_ptr<CueVoice> SoundEffectBackend::play(const QString &path)
{
    return std::make_unique<SoundEffectVoice>(path);
}

} // namespace orv

// The cue service finds the player by this name when it loads the module.
extern "C" Q_DECL_EXPORT orv::CueBackend *orvalen_make_cue_backend()
{
    return new orv::SoundEffectBackend;
}
