#include "link/link_manager.h"

#include <algorithm>

#include "link/descriptions.h"
#include "base/scope_exit.h"

namespace kiro {

namespace {

constexpr Millis kPauseAfterSubscription{100};

// The service that carries the command characteristic.
const BleUuid& commandService() {
  static const BleUuid uuid = BleUuid::from16(0xFFB0);
  return uuid;
}

const BleUuid& commandCharacteristic() {
  static const BleUuid uuid = BleUuid::from16(0xFFB2);
  return uuid;
}

}  // namespace

void singleton::connectionService(std::size_t indexRow) {
  // The remote screen answers every update for a receiver that is neither connecting nor
  // connected with a new request, and this request ends with update. When the request
  // leaves the state as it was (radio off, a receiver still disconnecting), the two would
  // call each other without end. A request raised from within the handling of another is
  // therefore dropped; the next update from a Bluetooth event asks again.
  if (handlingConnectionService_) {
    log_.line("connectionService: a request is already being handled, this one is dropped");
    return;
  }
  handlingConnectionService_ = true;
  const ScopeExit release([this] { handlingConnectionService_ = false; });

  log_.line("接收到通知方法-进入连接操作");
  log_.print("得到的值是:%@", indexRow);
  connectOrCancel(indexRow);
}

void singleton::connectOrCancel(std::size_t indexRow) {
  if (indexRow >= arr_->size()) {
    log_.print("indexRow %@ names no registry entry, the request is ignored", indexRow);
    return;
  }
  const auto picked = (*arr_)[indexRow];
  peripheral_ = picked;
  log_.print("当前的状态:%ld", static_cast<long>(picked->state()));
  if (picked->state() == PeripheralState::disconnected) {
    central_->connectPeripheral(*picked, true);
  } else {
    central_->cancelPeripheralConnection(*picked);
  }
  radioArr();
}

std::shared_ptr<Peripheral> singleton::shared(const Peripheral& peripheral) const {
  auto found = std::find_if(known_.begin(), known_.end(),
                            [&peripheral](const auto& listed) { return listed.get() == &peripheral; });
  return found == known_.end() ? nullptr : *found;
}

void singleton::makeCurrent(const Peripheral& peripheral) {
  if (auto current = shared(peripheral)) peripheral_ = std::move(current);
}

void singleton::subscribeAll(Peripheral& peripheral, const Service& service) {
  // Copies throughout: a backend may rebuild its lists while we call into it.
  const auto characteristics = service.characteristics;
  for (const auto& characteristic : characteristics) {
    log_.print("其中的特征UUID为:%@", described(characteristic->uuid));
    peripheral.setNotifyValue(true, *characteristic);
  }
}

void singleton::didConnectPeripheral(Central&, Peripheral& peripheral) {
  log_.line("-------------连接边缘设备-----------------");
  commands_.connected();
  peripheral.setDelegate(this);
  peripheral.discoverServices();
  const auto services = peripheral.services();
  for (const auto& service : services) {
    addLogWithService(*service);
    log_.print("这个服务信息为:%@", described(service->uuid));
    peripheral.discoverCharacteristics(*service);
    peripheral.discoverIncludedServices(*service);
    subscribeAll(peripheral, *service);
    makeCurrent(peripheral);
  }
  radioArr();
}

void singleton::didFailToConnectPeripheral(Central&, Peripheral& peripheral, const Result<>& result) {
  // Announced so that automatic reconnection, which answers update, can ask again.
  log_.line("-------------didFailToConnectPeripheral-----------------");
  log_.print("%@ error:%@", described(peripheral), described(result));
  radioArr();
}

void singleton::didDiscoverServices(Peripheral& peripheral, const Result<>& result) {
  log_.line("-------------发现服务-----------------");
  log_.print("连接到蓝牙设备，名称为:%@", described(peripheral.name()));
  log_.print("这个蓝牙设备的uuid为:%@", described(peripheral.identifier()));
  const auto services = peripheral.services();
  for (const auto& service : services) {
    addLogWithService(*service);
    log_.print("服务信息内容为:%@", described(*service));
    log_.print("这个服务的uuid为%@", described(service->uuid));
    peripheral.discoverCharacteristics(*service);
    peripheral.discoverIncludedServices(*service);
    subscribeAll(peripheral, *service);
    makeCurrent(peripheral);
  }
  const bool offersCommands = std::any_of(services.begin(), services.end(),
                                          [](const auto& service) { return service->uuid == commandService(); });
  if (result.ok() && isCurrent(peripheral) && !offersCommands)
    commands_.refused(peripheral, "it has no service FFB0");
  radioArr();
}

void singleton::didDiscoverCharacteristics(Peripheral& peripheral, Service& service, const Result<>& result) {
  const auto name = peripheral.name();
  const auto& identifier = peripheral.identifier();
  log_.line("-------------发现特征的服务-----------------");
  log_.print("%@", described(name));
  log_.print("当前特征组的name:%@", described(name));
  log_.print("当前特征组的uuidString是%@", described(identifier));
  log_.print("当前特征组的uuid是:%@", described(identifier));
  log_.print("%@", described(service));

  const auto services = peripheral.services();
  int number = 1;
  for (const auto& listed : services) {
    log_.print("这个第%d服务的具体信息为:%@", number, described(*listed));
    log_.print("这个第%d服务的uuid为:%@", number, described(listed->uuid));
    if (listed->uuid == commandService()) {
      log_.line("成功通过对比");
      if (auto current = shared(peripheral)) {
        peripheralArr_ = current;
        peripheral_ = std::move(current);
      }
    }
    subscribeAll(peripheral, *listed);
    makeCurrent(peripheral);
    ++number;
  }

  // The receiver is given time to settle each subscription; this blocks the main thread.
  const auto reported = service.characteristics;
  const bool commandable = std::any_of(reported.begin(), reported.end(), [](const auto& characteristic) {
    return characteristic->uuid == commandCharacteristic();
  });
  if (result.ok() && isCurrent(peripheral) && service.uuid == commandService() && !commandable)
    commands_.refused(peripheral, "its service FFB0 has no characteristic FFB2");
  for (const auto& characteristic : reported) {
    peripheral.setNotifyValue(true, *characteristic);
    runLoop_.sleepFor(kPauseAfterSubscription);
  }
  radioArr();
}

void singleton::didDiscoverIncludedServices(Peripheral& peripheral, Service& service, const Result<>&) {
  log_.line("--------------返回服务对象信息----------------");
  log_.print("%@", described(peripheral.name()));
  const auto included = service.includedServices;
  for (const auto& each : included) addLogWithService(*each);
  radioArr();
}

void singleton::didUpdateNotificationState(Peripheral& peripheral, Characteristic& characteristic,
                                           const Result<>&) {
  log_.line("-------------状态特征更新-----------------");
  log_.print("%@", described(peripheral.name()));
  log_.print("%@", described(characteristic));
  radioArr();
}

void singleton::didDisconnectPeripheral(Central&, Peripheral&, const Result<>&) {
  log_.line("-------------didDisconnectPeripheral-----------------");
  log_.line("-------------外围设备连接断开-----------------");
  radioArr();
}

}  // namespace kiro
