#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/uuid.h"

namespace kiro {

// Characteristic property bits, as Bluetooth numbers them.
namespace property {
constexpr std::uint32_t read = 0x02;
constexpr std::uint32_t writeWithoutResponse = 0x04;
constexpr std::uint32_t write = 0x08;
constexpr std::uint32_t notify = 0x10;
constexpr std::uint32_t indicate = 0x20;
}  // namespace property

enum class CentralState { unknown = 0, resetting, unsupported, unauthorized, poweredOff, poweredOn };

// Numbered as the link manager and the screens read them: 0 disconnected, 1 connecting,
// 2 connected, 3 disconnecting.
enum class PeripheralState : std::int32_t { disconnected = 0, connecting = 1, connected = 2, disconnecting = 3 };

// "disconnected", "connecting", "connected" or "disconnecting".
const char* stateName(PeripheralState state);
// The state as a person is told it: a link going down already reads "disconnected".
const char* statusName(PeripheralState state);

enum class WriteType { withResponse = 0, withoutResponse = 1 };

// Advertisement fields by key; the local name is under kAdvertisementLocalName.
using AdvertisementData = std::map<std::string, std::string>;
inline constexpr const char* kAdvertisementLocalName = "kCBAdvDataLocalName";

struct Service;

// A characteristic as the peripheral last reported it. The backend fills it; the link
// manager only reads it.
struct Characteristic {
  BleUuid uuid;
  std::uint32_t properties = 0;
  std::optional<Bytes> value;
  bool isNotifying = false;
  Service* service = nullptr;  // the service that lists it
};

struct Service {
  BleUuid uuid;
  bool isPrimary = true;
  std::vector<std::shared_ptr<Characteristic>> characteristics;
  std::vector<std::shared_ptr<Service>> includedServices;
};

class Peripheral;

// What a peripheral reports. Every callback arrives on the main run loop; result says whether
// the request it answers succeeded, or why not.
class PeripheralDelegate {
 public:
  virtual ~PeripheralDelegate() = default;
  virtual void didDiscoverServices(Peripheral& peripheral, const Result<>& result) = 0;
  // service: the one whose characteristics are now listed.
  virtual void didDiscoverCharacteristics(Peripheral& peripheral, Service& service, const Result<>& result) = 0;
  virtual void didDiscoverIncludedServices(Peripheral& peripheral, Service& service, const Result<>& result) = 0;
  virtual void didUpdateNotificationState(Peripheral& peripheral, Characteristic& characteristic,
                                          const Result<>& result) = 0;
  // characteristic.value holds the notified bytes.
  virtual void didUpdateValue(Peripheral& peripheral, Characteristic& characteristic, const Result<>& result) = 0;
  // Follows each write with response.
  virtual void didWriteValue(Peripheral& peripheral, Characteristic& characteristic, const Result<>& result) = 0;
  // Only when asked for, and nothing here asks: a listener may leave it out.
  virtual void didReadRSSI(Peripheral&, int, const Result<>&) {}
};

// A remote device. The central hands out one object per device for as long as it exists.
class Peripheral {
 public:
  virtual ~Peripheral() = default;

  virtual const Uuid& identifier() const = 0;
  // The device's own name (GAP), which may differ from the advertised one.
  virtual std::optional<std::string> name() const = 0;
  // Live: a connect request moves it out of disconnected at once.
  virtual PeripheralState state() const = 0;
  virtual void setDelegate(PeripheralDelegate* delegate) = 0;
  // The services discovered so far in this connection; emptied by a disconnect.
  virtual const std::vector<std::shared_ptr<Service>>& services() const = 0;

  // Each discovery runs with no filter and answers through the delegate.
  virtual void discoverServices() = 0;
  virtual void discoverCharacteristics(Service& service) = 0;
  virtual void discoverIncludedServices(Service& service) = 0;
  // enabled: subscribe (true) or unsubscribe; answered by didUpdateNotificationState.
  virtual void setNotifyValue(bool enabled, Characteristic& characteristic) = 0;
  // With response: answered by didWriteValue. Without response: no answer.
  virtual void writeValue(const Bytes& value, Characteristic& characteristic, WriteType type) = 0;
};

using PeripheralList = std::vector<std::shared_ptr<Peripheral>>;

class Central;

// What the central reports. Every callback arrives on the main run loop; result says why a
// connect request failed or a link ended (a link the app itself ended ends without an error).
class CentralDelegate {
 public:
  virtual ~CentralDelegate() = default;
  virtual void centralDidUpdateState(Central& central) = 0;
  // rssi: signal strength in dBm.
  virtual void didDiscoverPeripheral(Central& central, const std::shared_ptr<Peripheral>& peripheral,
                                     const AdvertisementData& advertisement, int rssi) = 0;
  virtual void didConnectPeripheral(Central& central, Peripheral& peripheral) = 0;
  // A connect request that failed, or that the backend gave up on.
  virtual void didFailToConnectPeripheral(Central& central, Peripheral& peripheral, const Result<>& result) = 0;
  virtual void didDisconnectPeripheral(Central& central, Peripheral& peripheral, const Result<>& result) = 0;
  // Restoration and retrieval happen only when asked for, and nothing here asks: neither
  // backend sends these, so a listener may leave them out.
  virtual void willRestoreState(Central&, const std::map<std::string, std::string>&) {}
  virtual void didRetrievePeripherals(Central&, const PeripheralList&) {}
  virtual void didRetrieveConnectedPeripherals(Central&, const PeripheralList&) {}
};

// The Bluetooth Low Energy central role.
class Central {
 public:
  virtual ~Central() = default;

  virtual CentralState state() const = 0;
  // No service filter. allowDuplicates: report a device at each advertisement, not once per scan.
  virtual void scanForPeripherals(bool allowDuplicates) = 0;
  virtual void stopScan() = 0;
  // notifyOnDisconnection: the platform may alert the user of a disconnect in the background.
  virtual void connectPeripheral(Peripheral& peripheral, bool notifyOnDisconnection) = 0;
  // A disconnect callback follows for a connecting or connected peripheral.
  virtual void cancelPeripheralConnection(Peripheral& peripheral) = 0;
};

// Makes the central that reports to delegate; the link manager calls it once.
using CentralFactory = std::function<std::unique_ptr<Central>(CentralDelegate& delegate)>;

}  // namespace kiro
