#include "platform/qt/window/asset_pixmaps.h"

#include <QFont>
#include <QImage>
#include <QImageReader>

#include "platform/platform.h"

namespace kiro {

namespace {

QString fileFor(const std::string& name) {
  QString file = QString::fromStdString(name);
  if (!file.contains('.')) file += ".png";
  return file;
}

// Decoded and put in the form a pixmap keeps, so that making the pixmap copies nothing and
// looks at no pixel. Every picture is a PNG: told so, Qt goes straight to its own reader
// instead of loading each image plugin to ask whether it knows the file.
QImage decodeForPixmap(const QString& file) {
  QImageReader reader(":/assets/" + file, "png");
  reader.setAutoDetectImageFormat(false);
  const QImage image = reader.read();
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

}  // namespace

const QPixmap& AssetPixmaps::pixmap(const std::string& name) {
  const QString file = fileFor(name);
  auto found = cache_.find(file);
  if (found != cache_.end()) return *found;
  QImage image;
  if (auto decoding = decoding_.find(file); decoding != decoding_.end()) {
    image = decoding->second.get();
    decoding_.erase(decoding);
  } else {
    image = decodeForPixmap(file);
  }
  const QPixmap loaded = QPixmap::fromImage(std::move(image), Qt::NoOpaqueDetection);
  if (loaded.isNull()) platform().notices.say("no picture named " + file.toStdString());
  return *cache_.insert(file, loaded);
}

void AssetPixmaps::prefetch(const std::vector<std::string>& names) {
  std::vector<std::pair<QString, std::promise<QImage>>> work;
  for (const auto& name : names) {
    QString file = fileFor(name);
    if (cache_.contains(file) || decoding_.contains(file)) continue;
    work.emplace_back(file, std::promise<QImage>());
    decoding_.emplace(std::move(file), work.back().second.get_future());
  }
  if (work.empty()) return;
  // Images decode on any thread; only the pixmap must be made on this one.
  workers_.emplace_back([work = std::move(work)]() mutable {
    for (auto& [file, promise] : work) promise.set_value(decodeForPixmap(file));
  });
}

QFont fontFor(const std::string& name, double size) {
  // Arial where installed; fontconfig maps it to the metric-compatible Liberation Sans.
  QFont font(name.empty() ? QString("Liberation Sans") : QString("Arial"));
  font.setBold(name.find("Bold") != std::string::npos);
  font.setPixelSize(std::max(1, static_cast<int>(size + 0.5)));
  return font;
}

}  // namespace kiro
