#include "screens/web/web_view_controller.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/platform.h"
#include "ui/alert.h"
#include "ui/main_screen.h"
#include "ui/qr_code.h"
#include "screens/palette.h"
#include "screens/timer/timer_chrome.h"

namespace kiro {

namespace {

const char* const kKey = "webRemote";
const Font kFont{"ArialMT", 15};
const Font kLineFont{"ArialMT", 14};
const Font kUrlFont{"ArialMT", 11};
constexpr Color kErrorRed{1, 0.42, 0.36, 1};
// A phone held a forearm from the window reads a code this wide; more costs the text below.
constexpr double kLargestCode = 220;

double codeSide() {
  const Size screen = mainScreen().bounds;
  return std::min({kLargestCode, screen.width - 80, screen.height - 300});
}

std::shared_ptr<Label> line(const Rect& frame, const Font& font, const Color& colour) {
  auto label = std::make_shared<Label>();
  label->setFrame(frame);
  label->setFont(font);
  label->setTextColor(colour);
  label->setTextAlignment(TextAlignment::center);
  label->setWraps(true);
  return label;
}

void setTitle(Button& button, const Text& title) {
  std::static_pointer_cast<Label>(button.subviews().front())->setText(title);
  button.setAccessibilityLabel(title);
}

}  // namespace

WebViewController::WebViewController(WebRemote* remote, std::function<void()> back)
    : Screen("web"), remote_(remote), back_(std::move(back)) {}

bool WebViewController::remembered() { return platform().defaults.string(kKey) == "true"; }

void WebViewController::viewDidLoad() {
  Screen::viewDidLoad();
  const double width = mainScreen().bounds.width;
  addBackground(*view());
  navigationItem().setTitle(Text("Web remote"));
  auto back = backButton();
  back->addTarget(ControlEvent::touchUpInside, weakly<WebViewController>([](WebViewController& s) { s.back_(); }));
  navigationItem().setLeftBarButtonItem(BarButtonItem{back});

  switch_ = textButton(makeRect(20, 76, width - 40, 40), {}, kFont);
  switch_->setKeyEquivalents({"Space"});
  switch_->addTarget(ControlEvent::touchUpInside, weakly<WebViewController>([](WebViewController& s) { s.toggle(); }));
  view()->addSubview(switch_);
  status_ = line(makeRect(20, 122, width - 40, 20), kLineFont, Color::white());
  status_->setName("webStatus");
  browsers_ = line(makeRect(20, 144, width - 40, 20), kLineFont, Color::white());
  browsers_->setName("webBrowsers");
  error_ = line(makeRect(20, 166, width - 40, 36), kLineFont, kErrorRed);
  error_->setName("webError");
  const double side = codeSide();
  code_->setName("webCode");
  code_->setFrame(makeRect((width - side) / 2, 206, side, side));
  // Said as what it is: the address it draws holds the secret.
  code_->setAccessibilityLabel(Text("Pairing code"));
  url_ = line(makeRect(20, 210 + side, width - 40, 30), kUrlFont, kYellow);
  url_->setName("webUrl");
  url_->setAccessibilityLabel(Text("Pairing address, shown as text"));
  for (const auto& shown : {status_, browsers_, error_, url_}) view()->addSubview(shown);
  view()->addSubview(code_);

  const double below = 246 + side;
  renew_ = textButton(makeRect(20, below, width - 40, 40), Text("Renew"), kFont);
  renew_->setKeyEquivalents({"R"});
  renew_->addTarget(ControlEvent::touchUpInside, weakly<WebViewController>([](WebViewController& s) { s.renew(); }));
  view()->addSubview(renew_);
  cancel_ = textButton(makeRect(width / 2 + 4, below, width / 2 - 24, 40), Text("Cancel"), kFont);
  cancel_->setKeyEquivalents({"C"});
  cancel_->addTarget(ControlEvent::touchUpInside,
                     weakly<WebViewController>([](WebViewController& s) { s.cancelRenewal(); }));
  view()->addSubview(cancel_);

  if (remote_) statusListener_ = remote_->onStatus(weakly<WebViewController>([](WebViewController& s) { s.show(); }));
  show();
}

void WebViewController::toggle() {
  if (!remote_) return;
  const bool on = !remembered();
  platform().defaults.set(kKey, std::string(on ? "true" : "false"));
  remote_->setServing(on);
  show();
}

void WebViewController::renew() {
  if (!remote_) return;
  if (asking_) {
    asking_ = false;
    remote_->renewSecret();
  } else {
    asking_ = true;
    alertQueue().show(Alert{Text("Renew the pairing?"),
                            Text("Every paired browser is shut out until it scans the new code. Touch Renew now "
                                 "to renew, or Cancel to keep the pairing."),
                            Text("OK")});
  }
  show();
}

void WebViewController::cancelRenewal() {
  asking_ = false;
  show();
}

void WebViewController::show() {
  if (!isViewLoaded()) return;
  const double width = mainScreen().bounds.width;
  const WebRemoteStatus status = remote_ ? remote_->status() : WebRemoteStatus{};
  setTitle(*switch_, remembered() && remote_ ? Text("Web remote: on") : Text("Web remote: off"));
  switch_->setSelected(remembered() && remote_);
  if (!remote_)
    status_->setText(Text("The web remote is not available in this run."));
  else
    status_->setText(status.serving ? Text("Serving on %1", status.address) : Text("Not serving"));
  browsers_->setText(status.serving ? Text("Browsers connected: %1", std::to_string(status.browsers)) : Text());
  error_->setText(Text::verbatim(status.error));
  const bool pairing = status.serving && !status.pairingUrl.empty();
  const auto encoded = encodeQrCode(status.pairingUrl);
  if (pairing && encoded.ok()) {
    // Whole pixels to a module, so that none is drawn blurred; the view takes the picture's size.
    const double scale = mainScreen().scale;
    const double modules = encoded.value().size() + 8;
    const auto modulePixels = static_cast<std::size_t>(std::max(1.0, std::floor(codeSide() * scale / modules)));
    auto picture = std::make_shared<const Picture>(qrPicture(encoded.value(), modulePixels, scale));
    const Size size = picture->size();
    code_->setFrame(makeRect((width - size.width) / 2, 206 + (codeSide() - size.height) / 2, size.width, size.height));
    code_->setPicture(std::move(picture));
  } else {
    code_->setPicture(nullptr);
  }
  code_->setHidden(!pairing);
  url_->setText(pairing ? Text::verbatim(status.pairingUrl) : Text());
  url_->setHidden(!pairing);
  renew_->setHidden(!remote_);
  cancel_->setHidden(!asking_);
  Rect frame = renew_->frame();
  frame.size.width = asking_ ? width / 2 - 24 : width - 40;
  renew_->setFrame(frame);
  std::static_pointer_cast<Label>(renew_->subviews().front())->setFrame(makeRect(0, 0, frame.size.width, frame.size.height));
  setTitle(*renew_, asking_ ? Text("Renew now") : Text("Renew"));
}

}  // namespace kiro
