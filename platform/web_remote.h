#pragma once

#include <functional>
#include <string>

#include "base/subscription.h"

namespace kiro {

// What the web remote is doing now.
struct WebRemoteStatus {
  bool serving = false;
  std::string address;     // what a browser opens, such as "http://127.0.0.1:8080/"; empty while off
  std::string pairingUrl;  // the address with the pairing secret: for the owner's eyes only
  std::string error;       // why it does not serve though asked to; empty otherwise
  int browsers = 0;        // paired browsers holding a socket now
  friend bool operator==(const WebRemoteStatus&, const WebRemoteStatus&) = default;
};

// The remote other devices' browsers hold, served by the app on its own address; only a
// browser that opened the pairing URL gets in.
class WebRemote {
 public:
  virtual ~WebRemote() = default;
  virtual WebRemoteStatus status() const = 0;
  // Starts or stops serving; a failure to listen is in status().error.
  virtual void setServing(bool on) = 0;
  // A new pairing secret: every browser paired with the old one is shut out at once.
  virtual void renewSecret() = 0;
  // Told after status() changed.
  [[nodiscard]] virtual Subscription onStatus(std::function<void()> changed) = 0;
};

}  // namespace kiro
