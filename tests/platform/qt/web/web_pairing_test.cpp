#include "platform/qt/web/web_pairing.h"

#include <gtest/gtest.h>

#include <set>

namespace kiro {
namespace {

TEST(WebPairing, ASecretIsFreshKeptAndItsCookieGoesWithIt) {
  std::set<QString> secrets;
  for (int i = 0; i < 50; ++i) {
    MemoryUserDefaults defaults;
    secrets.insert(WebPairing(defaults).secret());
  }
  EXPECT_EQ(secrets.size(), 50u);
  EXPECT_EQ(secrets.begin()->size(), 64);

  MemoryUserDefaults defaults;
  defaults.set("webSecret", std::string("short"));  // a hand-edited one too weak to keep
  WebPairing pairing(defaults);
  EXPECT_NE(pairing.secret(), "short");
  EXPECT_EQ(WebPairing(defaults).secret(), pairing.secret());
  EXPECT_TRUE(pairing.isSecret(pairing.secret()));
  EXPECT_FALSE(pairing.isSecret(pairing.secret().left(63)));
  const QByteArray cookie = QByteArray("theme=dark; kiro_pairing=") + pairing.cookie() + "; x=1";
  EXPECT_TRUE(pairing.isPaired(cookie));
  EXPECT_FALSE(pairing.isPaired("kiro_pairing=" + pairing.cookie().left(63)));
  EXPECT_FALSE(pairing.isPaired("other_pairing=" + pairing.cookie()));
  pairing.renew();
  EXPECT_FALSE(pairing.isPaired(cookie));
}

TEST(WrongSecrets, FiveTriesAMinuteAnAddressAndOthersUntouched) {
  WrongSecrets wrong;
  const QHostAddress guesser("192.0.2.7");
  const auto start = WrongSecrets::Clock::time_point{} + std::chrono::hours(1);
  for (int i = 0; i < WrongSecrets::kTries; ++i) {
    EXPECT_TRUE(wrong.mayTry(guesser, start));
    wrong.wrong(guesser, start);
  }
  EXPECT_FALSE(wrong.mayTry(guesser, start + WrongSecrets::kWindow - std::chrono::seconds(1)));
  EXPECT_TRUE(wrong.mayTry(QHostAddress("192.0.2.8"), start));
  EXPECT_TRUE(wrong.mayTry(guesser, start + WrongSecrets::kWindow));
}

}  // namespace
}  // namespace kiro
