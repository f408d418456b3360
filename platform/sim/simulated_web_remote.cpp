#include "platform/sim/simulated_web_remote.h"

namespace kiro {

std::string SimulatedWebRemote::pairingUrl() const { return std::string(kAddress) + "pair#sim-secret-" + std::to_string(secret_); }

void SimulatedWebRemote::setServing(bool on) {
  WebRemoteStatus next;
  if (on && !refusal_.empty()) {
    next.error = refusal_;
  } else if (on) {
    next.serving = true;
    next.address = kAddress;
    next.pairingUrl = pairingUrl();
  }
  change(std::move(next));
}

void SimulatedWebRemote::renewSecret() {
  ++secret_;
  WebRemoteStatus next = status_;
  next.browsers = 0;
  if (next.serving) next.pairingUrl = pairingUrl();
  change(std::move(next));
}

void SimulatedWebRemote::setBrowsers(int browsers) {
  WebRemoteStatus next = status_;
  next.browsers = next.serving ? browsers : 0;
  change(std::move(next));
}

void SimulatedWebRemote::change(WebRemoteStatus status) {
  if (status == status_) return;
  status_ = std::move(status);
  changes_.send();
}

}  // namespace kiro
