#pragma once

#include <string>

#include "base/subscription.h"
#include "platform/notices.h"
#include "platform/web_remote.h"

namespace kiro {

// A run without a screen says the pairing URL, and its QR code to scan from a terminal or
// the journal, on stderr: once for each secret, as serving starts. Nowhere else.
class PairingNotice {
 public:
  // Both must outlive it.
  PairingNotice(WebRemote& web, Notices& notices);

 private:
  void sayNew();

  WebRemote& web_;
  Notices& notices_;
  std::string said_;
  Subscription watching_;
};

}  // namespace kiro
