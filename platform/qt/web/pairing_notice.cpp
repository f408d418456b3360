#include "platform/qt/web/pairing_notice.h"

#include <sstream>

#include "ui/qr_code.h"

namespace kiro {

PairingNotice::PairingNotice(WebRemote& web, Notices& notices)
    : web_(web), notices_(notices), watching_(web.onStatus([this] { sayNew(); })) {
  sayNew();
}

void PairingNotice::sayNew() {
  const WebRemoteStatus status = web_.status();
  if (!status.serving || status.pairingUrl == said_) return;
  said_ = status.pairingUrl;
  notices_.say("pair a browser with the web remote: open " + said_);
  const auto code = encodeQrCode(said_);
  if (!code.ok()) return;
  // A line a notice: each is escaped for the terminal, newlines too.
  std::istringstream lines(qrTerminalText(code.value()));
  for (std::string line; std::getline(lines, line);) notices_.say(line);
}

}  // namespace kiro
