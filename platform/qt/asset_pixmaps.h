#pragma once

#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <string>

namespace kiro {

// The screens' pictures by asset name, from the app's resources; names given without an
// extension get ".png". A missing picture is an empty pixmap, reported once on stderr.
class AssetPixmaps {
 public:
  const QPixmap& pixmap(const std::string& name);

 private:
  QHash<QString, QPixmap> cache_;
};

// Qt's font for a font name the screens use ("ArialMT", "Arial-BoldMT"), at a size in points.
QFont fontFor(const std::string& name, double size);

}  // namespace kiro
