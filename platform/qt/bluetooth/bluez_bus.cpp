#include "platform/qt/bluetooth/bluez_bus.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>

namespace kiro {

namespace {

const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// a{sa{sv}}
BluezBus::Interfaces readInterfaces(const QDBusArgument& argument) {
  BluezBus::Interfaces interfaces;
  argument >> interfaces;
  return interfaces;
}

QVariantMap readMap(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<QDBusArgument>()) return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
  return value.toMap();
}

QStringList readStrings(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<QDBusArgument>()) return qdbus_cast<QStringList>(value.value<QDBusArgument>());
  return value.toStringList();
}

}  // namespace

BluezBus::BluezBus(Listener listener) : listener_(std::move(listener)), bus_(QDBusConnection::systemBus()) {
  // Once, as the central is made: Qt asks the bus (never the daemon) who owns the name.
  bus_.connect(kBluez, QStringLiteral("/"), kObjectManager, QStringLiteral("InterfacesAdded"), this,
               SLOT(interfacesAdded(QDBusMessage)));
  bus_.connect(kBluez, QStringLiteral("/"), kObjectManager, QStringLiteral("InterfacesRemoved"), this,
               SLOT(interfacesRemoved(QDBusMessage)));
  // Every object's: an empty path matches them all.
  bus_.connect(kBluez, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
               SLOT(propertiesChanged(QDBusMessage)));
}

BluezBus::~BluezBus() { close(); }

void BluezBus::close() {
  if (std::exchange(closed_, true)) return;
  ++reading_;
  bus_.disconnect(kBluez, QStringLiteral("/"), kObjectManager, QStringLiteral("InterfacesAdded"), this,
                  SLOT(interfacesAdded(QDBusMessage)));
  bus_.disconnect(kBluez, QStringLiteral("/"), kObjectManager, QStringLiteral("InterfacesRemoved"), this,
                  SLOT(interfacesRemoved(QDBusMessage)));
  bus_.disconnect(kBluez, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QDBusMessage)));
}

void BluezBus::refresh() {
  if (closed_) return;
  const int reading = ++reading_;
  call(QStringLiteral("/"), kObjectManager, QStringLiteral("GetManagedObjects"), {}, this,
       [this, reading](const QDBusMessage& reply) {
         if (reading != reading_) return;
         objects_.clear();
         if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
           const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
           list.beginMap();
           while (!list.atEnd()) {
             QDBusObjectPath path;
             list.beginMapEntry();
             list >> path;
             objects_[path.path()] = readInterfaces(list);
             list.endMapEntry();
           }
           list.endMap();
         }
         if (listener_.reset) listener_.reset();
       });
}

void BluezBus::forget() {
  ++reading_;
  objects_.clear();
  if (!closed_ && listener_.reset) listener_.reset();
}

const QVariantMap* BluezBus::properties(const QString& path, const QString& interface) const {
  const auto object = objects_.find(path);
  if (object == objects_.end()) return nullptr;
  const auto found = object->second.constFind(interface);
  return found == object->second.constEnd() ? nullptr : &found.value();
}

QVariant BluezBus::property(const QString& path, const QString& interface, const QString& name) const {
  const QVariantMap* all = properties(path, interface);
  return all ? all->value(name) : QVariant();
}

void BluezBus::call(const QString& path, const QString& interface, const QString& method,
                    const QVariantList& arguments, QObject* context,
                    std::function<void(const QDBusMessage& reply)> answered, int timeoutMs) {
  QDBusMessage message = QDBusMessage::createMethodCall(kBluez, path, interface, method);
  message.setArguments(arguments);
  if (!answered) {
    message.setAutoStartService(false);
    bus_.send(message);
    return;
  }
  // Sent at once; the answer is read by Qt's bus thread and handed to this one's loop.
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, timeoutMs), context);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                   [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                     finished->deleteLater();
                     answered(finished->reply());
                   });
}

void BluezBus::interfacesAdded(const QDBusMessage& signal) {
  const QVariantList arguments = signal.arguments();
  if (closed_ || arguments.size() < 2) return;
  const QString path = arguments.at(0).value<QDBusObjectPath>().path();
  const Interfaces interfaces = readInterfaces(arguments.at(1).value<QDBusArgument>());
  Interfaces& object = objects_[path];
  for (auto it = interfaces.constBegin(); it != interfaces.constEnd(); ++it) object[it.key()] = it.value();
  if (listener_.added) listener_.added(path, interfaces.keys());
}

void BluezBus::interfacesRemoved(const QDBusMessage& signal) {
  const QVariantList arguments = signal.arguments();
  if (closed_ || arguments.size() < 2) return;
  const QString path = arguments.at(0).value<QDBusObjectPath>().path();
  const QStringList interfaces = readStrings(arguments.at(1));
  const auto object = objects_.find(path);
  if (object == objects_.end()) return;
  for (const QString& interface : interfaces) object->second.remove(interface);
  if (object->second.isEmpty()) objects_.erase(object);
  if (listener_.removed) listener_.removed(path, interfaces);
}

void BluezBus::propertiesChanged(const QDBusMessage& signal) {
  const QVariantList arguments = signal.arguments();
  if (closed_ || arguments.size() < 2) return;
  const QString interface = arguments.at(0).toString();
  const auto object = objects_.find(signal.path());
  // An object the copy does not hold yet comes with InterfacesAdded, whole.
  if (object == objects_.end()) return;
  const auto properties = object->second.find(interface);
  if (properties == object->second.end()) return;
  const QVariantMap changed = readMap(arguments.at(1));
  for (auto it = changed.constBegin(); it != changed.constEnd(); ++it) properties.value()[it.key()] = it.value();
  if (arguments.size() > 2) {
    for (const QString& name : readStrings(arguments.at(2))) properties.value().remove(name);
  }
  if (listener_.changed) listener_.changed(signal.path(), interface, changed);
}

}  // namespace kiro
