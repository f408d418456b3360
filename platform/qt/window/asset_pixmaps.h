#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace kiro {

// The screens' pictures by asset name, from the app's resources; names given without an
// extension get ".png". A missing picture is an empty pixmap, said once to the user.
class AssetPixmaps {
 public:
  const QPixmap& pixmap(const std::string& name);
  // Starts decoding these pictures on a worker thread, in this order, while the window
  // gets ready; pixmap() waits only for one the worker has not finished yet.
  void prefetch(const std::vector<std::string>& names);

 private:
  QHash<QString, QPixmap> cache_;
  std::map<QString, std::future<QImage>> decoding_;
  std::vector<std::jthread> workers_;  // last: joined before the futures they fill go
};

// Qt's font for a font name the screens use ("ArialMT", "Arial-BoldMT"), at a size in points.
QFont fontFor(const std::string& name, double size);

}  // namespace kiro
