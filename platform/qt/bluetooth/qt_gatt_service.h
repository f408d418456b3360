#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/central.h"
#include "base/write_coalescer.h"
#include "platform/qt/bluetooth/bluez_bus.h"

namespace kiro {

// A delegate call the peripheral makes on a later turn of the run loop.
using PeripheralCall = std::function<void(PeripheralDelegate&, Peripheral&)>;
using PeripheralReport = std::function<void(PeripheralCall)>;
// What becomes of the writes a service hands to the daemon. Frames that wait for a slow write with
// response and are replaced never get there, and have no outcome.
struct WriteOutcomes {
  // Confirmed (with response), or handed to the daemon (without: nothing more is ever known).
  std::function<void(const Bytes& value, WriteType type)> accepted;
  std::function<void(const Bytes& value, const std::string& reason)> failed;
  // A write with response went unanswered: the daemon holds it, and every write after
  // it would queue behind it and reach the receiver late. Only ending the link clears them.
  std::function<void()> stalled;
};

// How long a write with response may wait for its answer before it is given up: far above
// a link's answer time, and short enough that no frame lands a second after it was replaced.
inline constexpr std::chrono::milliseconds kWriteConfirmationLimit{750};

// One remote service of a connection: its characteristics, subscriptions and writes, on
// BlueZ's GattService1 object and those under it. Lives as long as the connection; the next
// connection makes new ones. Nothing here waits on the daemon: its details are read from the
// bus's copy, and every request to it is answered on a later turn.
class QtGattService {
 public:
  // path: the service's object. report: where the delegate calls go; outcomes: told what
  // became of each write. bus must outlive it.
  QtGattService(BluezBus& bus, const QString& path, PeripheralReport report, WriteOutcomes outcomes);
  ~QtGattService();
  QtGattService(const QtGattService&) = delete;
  QtGattService& operator=(const QtGattService&) = delete;

  const QString& path() const { return path_; }
  const std::shared_ptr<Service>& service() const { return model_; }
  bool lists(const Characteristic& characteristic) const { return find(characteristic) != nullptr; }

  // Each request is answered once its details are known.
  void discoverCharacteristics();
  void discoverIncludedServices();
  void setNotifyValue(bool enabled, Characteristic& characteristic);
  void writeValue(const Bytes& value, Characteristic& characteristic, WriteType type);
  // A property of one of its characteristics changed (path: the characteristic's object).
  void characteristicChanged(const QString& path, const QVariantMap& changed);

  // Writes with response in flight or waiting, over all characteristics.
  int pendingWrites() const;

 private:
  struct Entry {
    QString path;
    bool notifies = false;  // has a client characteristic configuration descriptor
    std::shared_ptr<Characteristic> model;
    WriteCoalescer writes;
  };

  Entry* find(const Characteristic& characteristic) const;
  void readDetails();
  void answerDetailRequests(const Result<>& result);
  void send(Entry& entry, const Bytes& value);
  void writeAnswered(std::uint64_t write, const Result<>& result);
  void writeUnanswered(std::uint64_t write);
  void notificationStateAnswered(Entry& entry, bool enabled, const Result<>& result);

  BluezBus& bus_;
  QString path_;
  PeripheralReport report_;
  WriteOutcomes outcomes_;
  std::shared_ptr<Service> model_;
  std::vector<std::unique_ptr<Entry>> entries_;
  bool detailsRead_ = false;
  struct InFlight {
    Entry* entry;
    std::uint64_t write;  // the how-manieth write this is
    Bytes value;
  };
  std::deque<InFlight> writesInFlight_;
  std::uint64_t writesSent_ = 0;
  QObject context_;  // the daemon's answers come to it, and go with it
};

}  // namespace kiro
