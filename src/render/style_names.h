#pragma once

#include <QByteArray>
#include <map>
#include <utility>
#include <vector>

namespace zelmora {

// Short names for the styles a picture uses, given in the order they first
// appear ("a", "b", ... "z", "ba", ...): each style is written once, and the
// shapes name it.
class StyleNames {
 public:
  const QByteArray& NameOf(const QByteArray& style) {
    auto [at, added] = names_.try_emplace(style);
    if (added) {
      at->second = LetterName(order_.size());
      order_.emplace_back(style, at->second);
    }
    return at->second;
  }
  // Every style with its name, in the order of first use.
  const std::vector<std::pair<QByteArray, QByteArray>>& InOrder() const { return order_; }

 private:
  static QByteArray LetterName(std::size_t number) {
    QByteArray name;
    do {
      name.prepend(static_cast<char>('a' + number % 26));
      number /= 26;
    } while (number > 0);
    return name;
  }
  std::map<QByteArray, QByteArray> names_;
  std::vector<std::pair<QByteArray, QByteArray>> order_;
};

// `value` with at most two decimals and no trailing zeros: "12", "-3.5", "0.25".
inline void AppendNumber(QByteArray& out, double value) {
  long long hundredths = static_cast<long long>(value * 100 + (value < 0 ? -0.5 : 0.5));
  if (hundredths < 0) {
    out.append('-');
    hundredths = -hundredths;
  }
  out.append(QByteArray::number(hundredths / 100));
  const long long fraction = hundredths % 100;
  if (fraction == 0) return;
  out.append('.');
  out.append(static_cast<char>('0' + fraction / 10));
  if (fraction % 10 != 0) out.append(static_cast<char>('0' + fraction % 10));
}

}  // namespace zelmora
