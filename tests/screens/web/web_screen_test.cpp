#include "platform/sim/simulated_web_remote.h"
#include "screens/web/web_view_controller.h"
#include "tests/script/script_fixture.h"

namespace kiro::app_test {
namespace {

const std::string kSecret = "sim-secret";

// The web remote's screen opened as a person does (help, then About's Web), driven by the
// script's words, over a simulated web remote.
class WebScreen : public ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    delegate->setWebRemote(&web);
  }
  WebViewController& open() {
    say("tap help");
    loop.advance(1000ms);
    say("tap web");
    loop.advance(1000ms);
    EXPECT_EQ(stack(), (std::vector<std::string>{"about", "web"}));
    return dynamic_cast<WebViewController&>(*navigation().topViewController());
  }
  void say(const std::string& line) {
    session->runLine(line);
    EXPECT_EQ(errors.str(), "") << line;
  }
  static std::string shown(const std::shared_ptr<Label>& label) { return label->text(); }

  SimulatedWebRemote web;
};

TEST_F(WebScreen, TheSwitchServesAndStopsAndIsRememberedForTheNextLaunch) {
  auto& screen = open();
  EXPECT_EQ(shown(screen.statusLine()), "Not serving");
  EXPECT_TRUE(screen.code()->isHidden());
  say("tap serve");
  EXPECT_EQ(defaults.string("webRemote"), "true");
  ASSERT_TRUE(web.status().serving);
  EXPECT_EQ(shown(screen.statusLine()), "Serving on http://192.0.2.1:8080/");
  EXPECT_EQ(shown(screen.browsersLine()), "Browsers connected: 0");
  EXPECT_EQ(screen.switchButton()->accessibilityLabel(), "Web remote: on");
  ASSERT_NE(screen.code()->picture(), nullptr);
  EXPECT_FALSE(screen.code()->isHidden());
  // Big enough to scan from a phone: at least 2 points a module on this 320-point screen.
  EXPECT_GE(screen.code()->frame().size.width, 160);
  EXPECT_EQ(shown(screen.urlLine()), web.status().pairingUrl);
  say("tap serve");
  EXPECT_EQ(defaults.string("webRemote"), "false");
  EXPECT_FALSE(web.status().serving);
  EXPECT_TRUE(screen.code()->isHidden() && screen.urlLine()->isHidden());

  // A web remote given to the app serves at once when it was left on, and only then.
  SimulatedWebRemote next;
  delegate->setWebRemote(&next);
  EXPECT_FALSE(next.status().serving);
  defaults.set("webRemote", std::string("true"));
  delegate->setWebRemote(&next);
  EXPECT_TRUE(next.status().serving);
  delegate->setWebRemote(nullptr);
}

TEST_F(WebScreen, RenewAsksFirstAndCancellingKeepsEveryPairing) {
  auto& screen = open();
  say("tap serve");
  web.setBrowsers(1);
  const std::string first = web.status().pairingUrl;
  say("tap renew");
  ASSERT_NE(alerts.visible(), nullptr);
  EXPECT_EQ(alerts.visible()->title.english(), "Renew the pairing?");
  EXPECT_EQ(web.status().pairingUrl, first);
  say("dismiss");
  EXPECT_EQ(screen.renewButton()->accessibilityLabel(), "Renew now");
  say("tap cancel");
  EXPECT_EQ(web.status().pairingUrl, first);
  EXPECT_EQ(web.status().browsers, 1);
  EXPECT_TRUE(screen.cancelButton()->isHidden());
  EXPECT_EQ(screen.renewButton()->accessibilityLabel(), "Renew");

  say("tap renew");
  say("dismiss");
  say("tap renew");
  EXPECT_NE(web.status().pairingUrl, first);
  EXPECT_EQ(web.status().browsers, 0);
  EXPECT_EQ(shown(screen.urlLine()), web.status().pairingUrl);
  EXPECT_EQ(screen.renewButton()->accessibilityLabel(), "Renew");
  // Not asking, there is nothing to cancel: a script's line says so and ends the run.
  session->runLine("tap cancel");
  EXPECT_EQ(errors.str(), "script line 10: the web screen in front has no cancel button\n");
}

TEST_F(WebScreen, EachStatusChangeRedrawsTheScreen) {
  auto& screen = open();
  say("tap serve");
  const auto code = screen.code()->picture();
  web.setBrowsers(3);
  EXPECT_EQ(shown(screen.browsersLine()), "Browsers connected: 3");
  web.renewSecret();
  EXPECT_NE(screen.code()->picture(), code);
  EXPECT_EQ(shown(screen.urlLine()), web.status().pairingUrl);
  web.setRefusal("port 8080 is in use");
  web.setServing(false);
  web.setServing(true);
  EXPECT_EQ(shown(screen.errorLine()), "port 8080 is in use");
  EXPECT_EQ(shown(screen.statusLine()), "Not serving");
  EXPECT_EQ(shown(screen.browsersLine()), "");
  EXPECT_TRUE(screen.code()->isHidden());
}

TEST_F(WebScreen, WithoutAWebRemoteItSaysSoAndTheSwitchDoesNothing) {
  delegate->setWebRemote(nullptr);
  auto& screen = open();
  EXPECT_EQ(shown(screen.statusLine()), "The web remote is not available in this run.");
  say("tap serve");
  EXPECT_EQ(defaults.find("webRemote"), nullptr);
  EXPECT_FALSE(web.status().serving);
  EXPECT_TRUE(screen.renewButton()->isHidden());
  EXPECT_EQ(screen.switchButton()->accessibilityLabel(), "Web remote: off");
}

// What a screen reader finds in the model: each view's own name, or a label's text.
void collectSpoken(const View& view, std::vector<std::string>& spoken) {
  if (!view.accessibilityLabel().empty()) spoken.push_back(view.accessibilityLabel());
  else if (const auto* label = dynamic_cast<const Label*>(&view)) spoken.push_back(label->text());
  for (const auto& subview : view.subviews()) collectSpoken(*subview, spoken);
}

TEST_F(WebScreen, ThePairingUrlIsInNoEventLogLineOrSpokenName) {
  auto& screen = open();
  say("tap serve");
  web.setBrowsers(2);
  say("tap renew");
  say("dismiss");
  say("tap renew");
  say("state");
  say("layout");
  ASSERT_NE(shown(screen.urlLine()).find(kSecret), std::string::npos);  // drawn, so the test looks at it
  std::vector<std::string> spoken;
  collectSpoken(*screen.view(), spoken);
  EXPECT_NE(std::find(spoken.begin(), spoken.end(), "Pairing code"), spoken.end());
  for (const auto& name : spoken) EXPECT_EQ(name.find(kSecret), std::string::npos) << name;
  say("tap back");
  loop.advance(1000ms);
  EXPECT_EQ(out.str().find(kSecret), std::string::npos) << out.str();
  for (const auto& line : log.lines) EXPECT_EQ(line.find(kSecret), std::string::npos) << line;
  for (const auto& line : notices.said) EXPECT_EQ(line.find(kSecret), std::string::npos) << line;
}

}  // namespace
}  // namespace kiro::app_test
