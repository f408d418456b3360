#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <map>
#include <vector>

namespace kiro {

inline const QString kBluez = QStringLiteral("org.bluez");
inline const QString kAdapterInterface = QStringLiteral("org.bluez.Adapter1");
inline const QString kDeviceInterface = QStringLiteral("org.bluez.Device1");
inline const QString kServiceInterface = QStringLiteral("org.bluez.GattService1");
inline const QString kCharacteristicInterface = QStringLiteral("org.bluez.GattCharacteristic1");
inline const QString kDescriptorInterface = QStringLiteral("org.bluez.GattDescriptor1");

// What the Bluetooth daemon publishes, kept up to date from its signals, and calls to it.
//
// Qt Bluetooth's BlueZ backend waits on the daemon in many places (QBluetoothLocalDevice's
// constructor and hostMode(), each connectToDevice, service discovery, the property reads
// before each GATT job, a scan's start), so a daemon that stalls would stall the thread
// that calls it. This talks to BlueZ's D-Bus API itself, and never waits: every call is
// asynchronous, and what the daemon publishes is read from this copy, which one
// GetManagedObjects fills and the daemon's InterfacesAdded, InterfacesRemoved and
// PropertiesChanged keep current.
class BluezBus final : public QObject {
  Q_OBJECT

 public:
  using Interfaces = QMap<QString, QVariantMap>;
  using Objects = std::map<QString, Interfaces>;  // by object path, in path order

  struct Listener {
    // The copy was read anew (after refresh()) or emptied (forget()).
    std::function<void()> reset;
    std::function<void(const QString& path, const QStringList& interfaces)> added;
    // After the interfaces left the copy.
    std::function<void(const QString& path, const QStringList& interfaces)> removed;
    // After the change was taken into the copy.
    std::function<void(const QString& path, const QString& interface, const QVariantMap& changed)> changed;
  };

  explicit BluezBus(Listener listener);
  ~BluezBus() override;

  // Reads everything the daemon publishes again; reset() follows once it answers (an
  // empty copy when it cannot).
  void refresh();
  // The daemon has gone: the copy empties at once, and answers still due are dropped.
  void forget();
  // No signal or answer is taken from now on.
  void close();

  const Objects& objects() const { return objects_; }
  // The interface's properties on path; null when path does not have it.
  const QVariantMap* properties(const QString& path, const QString& interface) const;
  // A property, or an invalid QVariant.
  QVariant property(const QString& path, const QString& interface, const QString& name) const;

  // Calls method on the daemon without waiting; answered(reply) comes on a later turn of
  // the event loop unless context is gone by then. The reply is an error message when the
  // call failed or was not answered within timeout.
  void call(const QString& path, const QString& interface, const QString& method, const QVariantList& arguments,
            QObject* context, std::function<void(const QDBusMessage& reply)> answered = {}, int timeoutMs = -1);

 private Q_SLOTS:
  void interfacesAdded(const QDBusMessage& signal);
  void interfacesRemoved(const QDBusMessage& signal);
  void propertiesChanged(const QDBusMessage& signal);

 private:
  Listener listener_;
  QDBusConnection bus_;
  Objects objects_;
  bool closed_ = false;
  int reading_ = 0;  // the refresh whose answer counts
};

}  // namespace kiro
