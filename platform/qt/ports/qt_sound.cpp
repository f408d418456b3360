#include "platform/qt/ports/qt_sound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <cmath>
#include <cstdint>
#include <numbers>

namespace kiro {

namespace {

constexpr int kRate = 44100;

// A sine tone with short fades, so it starts and ends without a click.
QByteArray tone(double hertz, int milliseconds) {
  const int samples = kRate * milliseconds / 1000, fade = kRate / 200;
  QByteArray pcm(samples * static_cast<int>(sizeof(std::int16_t)), '\0');
  auto* out = reinterpret_cast<std::int16_t*>(pcm.data());
  for (int i = 0; i < samples; ++i) {
    const double envelope = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(samples - i) / fade});
    out[i] = static_cast<std::int16_t>(12000 * envelope * std::sin(2 * std::numbers::pi * hertz * i / kRate));
  }
  return pcm;
}

}  // namespace

QtSound::QtSound(Notices& notices) : notices_(notices) {
  format_.setSampleRate(kRate);
  format_.setChannelCount(1);
  format_.setSampleFormat(QAudioFormat::Int16);
}

void QtSound::play(Cue cue) {
  // The audio system is first asked when a sound is first wanted, not at start-up.
  if (tick_.isEmpty() && !silent_) {
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) silent_ = std::make_unique<SilentSound>("no audio output found", notices_);
    else if (!output.isFormatSupported(format_))
      silent_ = std::make_unique<SilentSound>("the audio output takes no 16-bit mono", notices_);
    tick_ = tone(1000, 40);
    shot_ = tone(1760, 180);
  }
  if (silent_) return silent_->play(cue);
  auto* sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), format_, this);
  auto* buffer = new QBuffer(sink);
  buffer->setData(cue == Cue::tick ? tick_ : shot_);
  buffer->open(QIODevice::ReadOnly);
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
    if (state == QAudio::IdleState || state == QAudio::StoppedState) sink->deleteLater();
  });
  sink->start(buffer);
}

}  // namespace kiro
