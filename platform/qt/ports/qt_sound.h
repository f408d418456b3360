#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

#include <memory>

#include "platform/notices.h"
#include "platform/sound.h"

namespace kiro {

// Cues played through Qt Multimedia on the default audio output, from tones the app makes.
// Where there is no output it is a SilentSound. Each cue plays on its own sink, which goes
// when it has played: nothing waits for the device.
class QtSound final : public QObject, public Sound {
 public:
  // notices: told once when no sound can be played; it must outlive this.
  explicit QtSound(Notices& notices);
  void play(Cue cue) override;

 private:
  Notices& notices_;
  QAudioFormat format_;
  QByteArray tick_;
  QByteArray shot_;
  std::unique_ptr<SilentSound> silent_;
};

}  // namespace kiro
