#pragma once

#include <functional>
#include <memory>

#include "base/subscription.h"
#include "platform/web_remote.h"
#include "ui/button.h"
#include "ui/image_view.h"
#include "ui/label.h"
#include "ui/screen.h"

namespace kiro {

// The "Web remote" screen, reached from the About screen: a switch that serves the web
// remote or not (remembered), where it serves, how many browsers hold it, the pairing URL
// as a QR code and as text, and Renew, which asks before it shuts every paired browser out.
// The pairing URL is only drawn: no screen reader name, event or log line carries it.
// Create it with std::make_shared: its buttons' targets hold it weakly.
class WebViewController final : public Screen {
 public:
  // remote: the run's web remote, or null where it has none; it must outlive the screen.
  // back: when the back button is let go.
  WebViewController(WebRemote* remote, std::function<void()> back);

  // Whether the user has the web remote on; off until they do, and remembered.
  static bool remembered();

  const std::shared_ptr<Button>& switchButton() const { return switch_; }
  const std::shared_ptr<Label>& statusLine() const { return status_; }
  const std::shared_ptr<Label>& browsersLine() const { return browsers_; }
  const std::shared_ptr<Label>& errorLine() const { return error_; }
  const std::shared_ptr<ImageView>& code() const { return code_; }
  const std::shared_ptr<Label>& urlLine() const { return url_; }
  const std::shared_ptr<Button>& renewButton() const { return renew_; }
  const std::shared_ptr<Button>& cancelButton() const { return cancel_; }

  // Serves or stops, and remembers which; nothing without a web remote.
  void toggle();
  // The first touch asks (an alert, then Renew now or Cancel); Renew now renews the secret.
  void renew();
  void cancelRenewal();

 protected:
  void viewDidLoad() override;

 private:
  void show();

  WebRemote* remote_;
  std::function<void()> back_;
  bool asking_ = false;
  Subscription statusListener_;
  std::shared_ptr<Button> switch_;
  std::shared_ptr<Label> status_;
  std::shared_ptr<Label> browsers_;
  std::shared_ptr<Label> error_;
  std::shared_ptr<ImageView> code_ = std::make_shared<ImageView>();
  std::shared_ptr<Label> url_;
  std::shared_ptr<Button> renew_;
  std::shared_ptr<Button> cancel_;
};

}  // namespace kiro
