#pragma once

#include <string>

#include "base/channel.h"
#include "platform/web_remote.h"

namespace kiro {

// A web remote with no network: it serves on a fixed fake address at once, each secret a
// number counted up, and browsers come and go as told. Virtual-time runs and tests drive it.
class SimulatedWebRemote final : public WebRemote {
 public:
  static constexpr const char* kAddress = "http://192.0.2.1:8080/";

  WebRemoteStatus status() const override { return status_; }
  void setServing(bool on) override;
  void renewSecret() override;
  [[nodiscard]] Subscription onStatus(std::function<void()> changed) override { return changes_.listen(std::move(changed)); }

  // How many paired browsers hold it; they hold it only while it serves.
  void setBrowsers(int browsers);
  // why: what keeps it from listening from the next start on; empty lets it listen again.
  void setRefusal(std::string why) { refusal_ = std::move(why); }

 private:
  std::string pairingUrl() const;
  void change(WebRemoteStatus status);

  WebRemoteStatus status_;
  int secret_ = 1;
  std::string refusal_;
  Channel<> changes_;
};

}  // namespace kiro
