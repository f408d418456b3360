#include "platform/qt/location/qt_location_service.h"

#include <string>
#include <utility>

namespace kiro {

namespace {

std::string reason(QGeoPositionInfoSource::Error error, Millis timeout) {
  switch (error) {
    case QGeoPositionInfoSource::AccessError: return "no location service answers, or it does not let this app ask";
    case QGeoPositionInfoSource::ClosedError: return "the location service was turned off";
    case QGeoPositionInfoSource::UpdateTimeoutError:
      return "no position came within " + std::to_string(timeout.count() / 1000) + " s";
    default: return "the location service failed";
  }
}

}  // namespace

QtLocationService::QtLocationService() {
  bound_.setSingleShot(true);
  // The plugin has a timeout of its own; this one holds whatever the plugin does.
  QObject::connect(&bound_, &QTimer::timeout,
                   [this] { finish(Error{reason(QGeoPositionInfoSource::UpdateTimeoutError, timeout_)}); });
}

void QtLocationService::locate(Millis timeout, Answer answer) {
  answer_ = std::move(answer);
  timeout_ = timeout;
  // GeoClue lets an app ask by the name of its desktop file.
  source_.reset(QGeoPositionInfoSource::createDefaultSource({{"desktopId", KIRO_APP_ID}}, nullptr));
  if (!source_) return finish(Error{"Qt has no position plugin here (libqt6positioning6-plugins)"});
  QObject::connect(source_.get(), &QGeoPositionInfoSource::positionUpdated, [this](const QGeoPositionInfo& info) {
    finish(Position{info.coordinate().latitude(), info.coordinate().longitude()});
  });
  QObject::connect(source_.get(), &QGeoPositionInfoSource::errorOccurred,
                   [this](QGeoPositionInfoSource::Error error) { finish(Error{reason(error, timeout_)}); });
  // A town's precision is all a sun time needs; Qt offers nothing coarser than this. Asking
  // for it reads what the service offers, and so finds at once a bus or a service not there.
  source_->setPreferredPositioningMethods(QGeoPositionInfoSource::NonSatellitePositioningMethods);
  if (!answer_) return;
  bound_.start(timeout);
  source_->requestUpdate(static_cast<int>(timeout.count()));
}

void QtLocationService::finish(Result<Position> found) {
  if (!answer_) return;
  bound_.stop();
  if (source_) source_->disconnect();
  // The source may be the one telling: it goes, and the answer comes, once it has returned.
  QTimer::singleShot(0, &bound_, [this, answer = std::exchange(answer_, nullptr), found = std::move(found)] {
    source_.reset();
    answer(found);
  });
}

}  // namespace kiro
