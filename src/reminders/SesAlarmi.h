#pragma once
// The real alarm: a WAV file looping without end through QSoundEffect.

#include "core/Arayuzler.h"

#include <QPointer>
#include <QSoundEffect>

namespace Zelvora {

class SesAlarmi : public Alarm {
public:
    SesAlarmi() = default;
    ~SesAlarmi() override;

    // Replaces any sound that is playing. A missing or unreadable file plays nothing:
    // there is no fallback sound.
    void baslat(const QString &dosyaYolu) override;
    void durdur() override;
    // The effect of the sound started last; nullptr when nothing was started or it was stopped.
    const QSoundEffect *ses() const { return m_ses.data(); }

private:
    // Owned by the application object, so it goes with it and never outlives the
    // audio system (this seam itself lives until static destruction).
    QPointer<QSoundEffect> m_ses;
};

} // namespace Zelvora
