#include "document/protocol_settings.h"

#include <algorithm>

namespace zelmora {
namespace {

constexpr const char* kLeft = "ProtocolFormLeft";
constexpr const char* kTop = "ProtocolFormTop";
constexpr const char* kWidth = "ProtocolFormWidth";
constexpr const char* kHeight = "ProtocolFormHeight";
constexpr const char* kStepMs = "ProtocolStepMs";
constexpr int kSmallestSide = 200;

}  // namespace

std::optional<ProtocolWindowSettings> LoadProtocolWindowSettings(SettingsStore& store) {
  if (!store.Open(false)) return std::nullopt;
  const auto left = store.ReadInt(kLeft), top = store.ReadInt(kTop);
  const auto width = store.ReadInt(kWidth), height = store.ReadInt(kHeight);
  if (!left || !top || !width || !height) return std::nullopt;
  ProtocolWindowSettings s;
  s.left = *left;
  s.top = *top;
  s.width = std::max(*width, kSmallestSide);
  s.height = std::max(*height, kSmallestSide);
  s.stepMs = std::clamp(store.ReadInt(kStepMs).value_or(s.stepMs), kMinStepMs, kMaxStepMs);
  return s;
}

bool SaveProtocolWindowSettings(SettingsStore& store, const ProtocolWindowSettings& settings) {
  if (!store.Open(true)) return false;
  store.WriteInt(kLeft, settings.left);
  store.WriteInt(kTop, settings.top);
  store.WriteInt(kWidth, settings.width);
  store.WriteInt(kHeight, settings.height);
  store.WriteInt(kStepMs, settings.stepMs);
  return store.Flush();
}

}  // namespace zelmora
