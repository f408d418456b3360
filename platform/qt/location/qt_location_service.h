#pragma once

#include <QGeoPositionInfoSource>
#include <QTimer>

#include <memory>

#include "platform/location_service.h"

namespace kiro {

// The system's location service through Qt Positioning: on Linux the geoclue2 plugin, which
// asks GeoClue on the system bus. Each question gets a source of its own, let go when it is
// answered, so that nothing keeps the service looking afterwards.
class QtLocationService final : public LocationService {
 public:
  QtLocationService();
  void locate(Millis timeout, Answer answer) override;

 private:
  void finish(Result<Position> found);

  std::unique_ptr<QGeoPositionInfoSource> source_;
  QTimer bound_;
  Millis timeout_{0};
  Answer answer_;
};

}  // namespace kiro
