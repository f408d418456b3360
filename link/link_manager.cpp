#include "link/link_manager.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <string_view>

#include "link/descriptions.h"
#include "platform/platform.h"

namespace kiro {

namespace {

std::mutex sharedMutex;
std::unique_ptr<singleton> sharedInstance;

// Receivers are told apart by their advertised local name alone, case-sensitively.
bool isReceiverName(std::string_view name) {
  static constexpr std::array<std::string_view, 3> kMarks{"Kiro", "bde spp dev", "KIRO"};
  return std::any_of(kMarks.begin(), kMarks.end(),
                     [name](std::string_view mark) { return name.find(mark) != std::string_view::npos; });
}

}  // namespace

singleton& singleton::defaultManager() {
  // A central reports on the run loop, never from within its making, so nothing comes
  // back in here while the lock is held.
  std::lock_guard lock(sharedMutex);
  if (!sharedInstance) {
    const Platform& installed = platform();
    std::unique_ptr<singleton> made(new singleton(installed.runLoop, installed.log, installed.notices));
    made->attachCentral(installed.makeCentral);
    sharedInstance = std::move(made);
  }
  return *sharedInstance;
}

void singleton::resetShared() {
  std::unique_ptr<singleton> gone;
  {
    std::lock_guard lock(sharedMutex);
    gone = std::move(sharedInstance);
  }
}

bool singleton::sharedExists() {
  std::lock_guard lock(sharedMutex);
  return sharedInstance != nullptr;
}

singleton::singleton(RunLoop& runLoop, Log& log, Notices& notices)
    : runLoop_(runLoop), log_(log), isText_("单例实例化成功"), commands_(notices) {}

void singleton::attachCentral(const CentralFactory& makeCentral) {
  central_ = makeCentral(*this);
  central_->stopScan();
}

singleton::~singleton() {
  // Peripherals may outlive us in the central's hands; they must not call back into a dead object.
  for (const auto& listed : known_) listed->setDelegate(nullptr);
  central_.reset();
}

void singleton::startBlueYooth() {
  log_.line("正在查找蓝牙设备");
  arr_ = std::make_shared<PeripheralList>();
  nameArray_.emplace();
  central_->stopScan();
  central_->scanForPeripherals(false);
  log_.print("得到的信息是:%@",
             described(std::map<std::string, std::string>{{"CBCentralManagerScanOptionAllowDuplicatesKey", "0"}}));
  radioArr();
}

void singleton::radioArr() {
  log_.line("刷新列表广播发送");
  update_.send(arr_);
}

void singleton::changeList() {
  cancelPeripheral();
  startBlueYooth();
}

void singleton::cancelPeripheral() {
  if (peripheral_) central_->cancelPeripheralConnection(*peripheral_);
}

void singleton::DisconnectLink() {
  startBlueYooth();
  radioArr();
}

void singleton::youIsText(const std::string& text) { iAmText_ = text; }

void singleton::centralDidUpdateState(Central& central) {
  const auto state = static_cast<long>(central.state());
  log_.print("更新状态更新central:%ld", state);
  log_.print("更新状态详细central:%ld", state);
  radioArr();
}

void singleton::didDiscoverPeripheral(Central& central, const std::shared_ptr<Peripheral>& peripheral,
                                      const AdvertisementData& advertisement, int rssi) {
  auto named = advertisement.find(kAdvertisementLocalName);
  const std::optional<std::string> advertisedName =
      named == advertisement.end() ? std::nullopt : std::optional<std::string>(named->second);
  log_.print("获取advertisementData:%@", described(advertisement));
  log_.print("获取kCBAdvDataLocalName:%@", described(advertisedName));
  log_.line("发现外围设备");
  if (!peripheral) {
    radioArr();
    return;
  }
  log_.print("外围设备的信息为:%@", described(peripheral->name()));
  log_.print("centralManager:%@", described(central));
  log_.print("centralManager:%@", described(*peripheral));
  log_.print("RSSI:%@", rssi);

  const bool listed = std::find(arr_->begin(), arr_->end(), peripheral) != arr_->end();
  if (!listed && advertisedName && isReceiverName(*advertisedName)) {
    log_.print("加入设备的是:%@,名字是:%@", described(*peripheral), described(peripheral->name()));
    arr_->push_back(peripheral);
    // A report before any scan start must still keep the two lists aligned.
    if (!nameArray_) nameArray_.emplace();
    nameArray_->push_back(*advertisedName);
    if (std::find(known_.begin(), known_.end(), peripheral) == known_.end()) known_.push_back(peripheral);
    log_.print("当前姓名数组的状态是:%@", described(*nameArray_));
  }
  radioArr();
}

void singleton::willRestoreState(Central&, const std::map<std::string, std::string>& state) {
  log_.line("-------------恢复状态-----------------");
  log_.print("%@", described(state));
}

void singleton::didRetrievePeripherals(Central&, const PeripheralList&) {
  log_.line("-------------检索设备-----------------");
  radioArr();
}

void singleton::didRetrieveConnectedPeripherals(Central&, const PeripheralList& peripherals) {
  log_.line("-------------检索/连接外围设备-----------------");
  for (const auto& retrieved : peripherals) {
    if (!retrieved) continue;
    const auto identifier = retrieved->identifier().UUIDString();
    log_.print("这个服务的uuidString是%@", identifier);
    log_.print("这个服务的uuid是:%@", identifier);
    log_.print("%@ name:%@", described(*retrieved), described(retrieved->name()));
  }
  radioArr();
}

void singleton::didReadRSSI(Peripheral&, int rssi, const Result<>&) {
  log_.print("获取到当前的信号值为:%@", rssi);
}

}  // namespace kiro
