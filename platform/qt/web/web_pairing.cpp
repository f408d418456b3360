#include "platform/qt/web/web_pairing.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <algorithm>
#include <array>

namespace kiro {

namespace {

constexpr const char* kSecretKey = "webSecret";
constexpr qsizetype kSecretBytes = 32;

QString freshSecret() {
  std::array<quint32, kSecretBytes / 4> words;
  // The operating system's random source, not a seeded generator.
  QRandomGenerator::system()->fillRange(words.data(), words.size());
  return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words.data()), kSecretBytes).toHex());
}

bool fitSecret(const QString& secret) {
  return secret.size() == kSecretBytes * 2 &&
         std::all_of(secret.begin(), secret.end(), [](QChar c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Compares without stopping at the first difference, so the time taken tells nothing.
bool sameBytes(const QByteArray& a, const QByteArray& b) {
  if (a.size() != b.size()) return false;
  unsigned char differs = 0;
  for (qsizetype i = 0; i < a.size(); ++i) differs |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differs == 0;
}

}  // namespace

WebPairing::WebPairing(UserDefaults& defaults) : defaults_(defaults) {
  secret_ = QString::fromStdString(defaults_.string(kSecretKey).value_or(""));
  if (!fitSecret(secret_)) renew();
}

bool WebPairing::isSecret(const QString& given) const { return sameBytes(given.toLatin1(), secret_.toLatin1()); }

QByteArray WebPairing::cookie() const {
  return QCryptographicHash::hash("kiro-remote pairing " + secret_.toLatin1(), QCryptographicHash::Sha256).toHex();
}

bool WebPairing::isPaired(const QByteArray& cookieHeader) const {
  const QByteArray wanted = cookie();
  bool paired = false;
  for (const QByteArray& part : cookieHeader.split(';')) {
    const QByteArray pair = part.trimmed();
    const qsizetype equals = pair.indexOf('=');
    if (equals > 0 && pair.left(equals) == kCookieName) paired = sameBytes(pair.mid(equals + 1), wanted) || paired;
  }
  return paired;
}

void WebPairing::renew() {
  secret_ = freshSecret();
  defaults_.set(kSecretKey, secret_.toStdString());
}

bool WrongSecrets::mayTry(const QHostAddress& address, Clock::time_point now) const {
  const auto tries = tries_.constFind(address.toString());
  return tries == tries_.constEnd() || now - tries->since >= kWindow || tries->count < kTries;
}

void WrongSecrets::wrong(const QHostAddress& address, Clock::time_point now) {
  if (tries_.size() >= kMostAddresses && !tries_.contains(address.toString())) {
    const auto oldest = std::min_element(tries_.begin(), tries_.end(),
                                         [](const Tries& a, const Tries& b) { return a.since < b.since; });
    tries_.erase(oldest);
  }
  Tries& tries = tries_[address.toString()];
  if (now - tries.since >= kWindow) tries = {0, now};
  ++tries.count;
}

}  // namespace kiro
