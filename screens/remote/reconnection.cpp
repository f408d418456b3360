#include "screens/remote/reconnection.h"

#include <cstring>

#include "platform/platform.h"
#include "screens/peripheral_words.h"

namespace kiro {

namespace {

// Whether registry entry index is the remembered receiver. A record without both
// strings, or a name list shorter than the peripheral list, matches nothing.
bool isRemembered(const StringDictionary* remembered, const std::optional<std::vector<std::string>>& names,
                  const PeripheralList& peripherals, std::size_t index) {
  if (remembered == nullptr || !names || index >= names->size() || !peripherals[index]) return false;
  const auto name = remembered->find("name");
  const auto uuid = remembered->find("uuid");
  return name != remembered->end() && uuid != remembered->end() && name->second == (*names)[index] &&
         peripherals[index]->identifier().isWrittenAs(uuid->second);
}

}  // namespace

void Reconnection::change(const SharedPeripheralList& list) {
  auto& log = platform().log;
  log.line("主界面列表接收到通知方法");
  auto& manager = singleton::defaultManager();
  commandsLine_->setText(manager.commands().accepted() ? Text() : Text("Not accepting commands"));
  if (!list || list->empty()) {
    show(PeripheralState::disconnected);
    return;
  }

  bool matched = false;
  // The size is read at each step: the list is the registry's live one.
  for (std::size_t i = 0; i < list->size(); ++i) {
    // Read in place at each step: a record held across the request below could outlive a write.
    if (!isRemembered(platform().defaults.findDictionary("iphone"), manager.nameArray(), *list, i)) continue;
    matched = true;
    const PeripheralState state = (*list)[i]->state();
    const char* status = statusName(state);
    log.print("进入成功，进行连接判定:%@", status);
    // The label is set before the request: the request's own nested update shows
    // "connecting", which this pass's older reading must not overwrite.
    show(state);
    if (std::strcmp(status, "disconnected") == 0 && manager.connectionFlag() == 1) requestConnection(i);
  }
  if (!matched) show(PeripheralState::disconnected);
}

void Reconnection::show(PeripheralState state) {
  connected_ = state == PeripheralState::connected;
  testLabel_->setText(statusWords(state));
  showRemembered();
}

void Reconnection::showRemembered() {
  // Read in place, as every update of a frame does it: the name is copied only when it changes.
  static const Text none = Text("No receiver chosen yet");
  const auto* remembered = platform().defaults.findDictionary("iphone");
  const auto name = remembered ? remembered->find("name") : StringDictionary::const_iterator{};
  if (!remembered || name == remembered->end()) return receiverLine_->setText(none);
  const Text& shown = receiverLine_->words();
  if (!shown.id().empty() || shown.english() != name->second) receiverLine_->setText(Text::verbatim(name->second));
}

void Reconnection::requestConnection(std::size_t index) {
  platform().log.print("cell点击方法触发，将要传递的通知内容是:{indexRow = %@}", index);
  singleton::defaultManager().connectionService(index);
}

}  // namespace kiro
