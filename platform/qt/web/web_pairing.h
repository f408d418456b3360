#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QString>

#include <chrono>

#include "platform/user_defaults.h"

namespace kiro {

// The secret a browser shows once to be paired, kept in the user defaults as "webSecret",
// and the cookie a paired browser shows from then on. The cookie is made from the secret,
// so a new secret shuts out every browser paired before, and a restart shuts out none.
class WebPairing {
 public:
  static constexpr const char* kCookieName = "kiro_pairing";

  // defaults: where the secret is kept; one is made when none is, or the kept one is unfit.
  explicit WebPairing(UserDefaults& defaults);

  const QString& secret() const { return secret_; }
  // The secret given in a pairing URL is this one.
  bool isSecret(const QString& given) const;
  // The value of the cookie a paired browser holds.
  QByteArray cookie() const;
  // A Cookie header holds our cookie with the present value.
  bool isPaired(const QByteArray& cookieHeader) const;
  void renew();

 private:
  UserDefaults& defaults_;
  QString secret_;
};

// How often one address may show a wrong secret: a few tries a minute, so that guessing
// 128 bits stays hopeless and a typo is forgiven.
class WrongSecrets {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kTries = 5;
  static constexpr std::chrono::seconds kWindow{60};

  // Whether address may try now.
  bool mayTry(const QHostAddress& address, Clock::time_point now) const;
  void wrong(const QHostAddress& address, Clock::time_point now);

 private:
  struct Tries {
    int count = 0;
    Clock::time_point since;
  };
  // Bounded: the oldest entries go when too many addresses tried.
  static constexpr qsizetype kMostAddresses = 1024;
  QHash<QString, Tries> tries_;
};

}  // namespace kiro
