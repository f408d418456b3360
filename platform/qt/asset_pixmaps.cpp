#include "platform/qt/asset_pixmaps.h"

#include <QFont>
#include <QImage>
#include <iostream>

namespace kiro {

const QPixmap& AssetPixmaps::pixmap(const std::string& name) {
  QString file = QString::fromStdString(name);
  if (!file.contains('.')) file += ".png";
  auto found = cache_.find(file);
  if (found != cache_.end()) return *found;
  // Read as an image and handed over whole: the pixmap converts it in place instead of
  // copying every pixel, which is most of the first frame's picture work.
  const QPixmap loaded = QPixmap::fromImage(QImage(":/assets/" + file));
  if (loaded.isNull()) std::cerr << "kiro-remote: no picture named " << file.toStdString() << '\n';
  return *cache_.insert(file, loaded);
}

QFont fontFor(const std::string& name, double size) {
  // Arial where installed; fontconfig maps it to the metric-compatible Liberation Sans.
  QFont font(name.empty() ? QString("Liberation Sans") : QString("Arial"));
  font.setBold(name.find("Bold") != std::string::npos);
  font.setPixelSize(std::max(1, static_cast<int>(size + 0.5)));
  return font;
}

}  // namespace kiro
