#pragma once

#include <optional>

#include "document/settings.h"

namespace zelmora {

// Where the protocol window stood and how fast its replay ran. Kept only
// once the window has been used, so a store of someone who never opened it
// gains no keys.
struct ProtocolWindowSettings {
  int left = 0, top = 0, width = 0, height = 0;
  int stepMs = 1000;  // one replay step every this many milliseconds
};

inline constexpr int kMinStepMs = 100;
inline constexpr int kMaxStepMs = 10000;

// Nothing when the window was never placed; sizes and pace held to sense.
std::optional<ProtocolWindowSettings> LoadProtocolWindowSettings(SettingsStore& store);
bool SaveProtocolWindowSettings(SettingsStore& store, const ProtocolWindowSettings& settings);

}  // namespace zelmora
