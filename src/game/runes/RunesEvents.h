// The events of the runes teaser. The display sends them to itself or broadcasts them to its
// rune scene; the runes and the display's timers send theirs up.
#pragma once

namespace Events {

// Sent up from the display: set up and start a trial. No data.
inline constexpr const char NEW_TRIAL[] = "phase0";
// Broadcast to the rune scene; data: int[runeCount], the type (0 to 3) of each rune by index.
inline constexpr const char RANDOM_TYPES[] = "randomTypes";
// Broadcast to the rune scene: all runes show at once. No data.
inline constexpr const char SHOW_ALL_TOGETHER[] = "setFullview";
// Broadcast to the rune scene: the runes show one after another by index. No data.
inline constexpr const char SHOW_BY_INDEX[] = "setHidenning";
// Broadcast to the rune scene; data: int[runeCount], each rune's slot in the showing order.
inline constexpr const char SHOW_IN_RANDOM_ORDER[] = "setRandomHidenning";
// Broadcast to the rune scene: the runes start showing. No data.
inline constexpr const char START_SHOWING[] = "start";
// Sent up by each rune's show timer at its end: the showing is over, answering starts. No data.
inline constexpr const char ANSWERING_STARTS[] = "phase1";
// Broadcast to the rune scene; data: int*, the type the rune at the cursor takes as answer.
inline constexpr const char SET_TYPE[] = "setType";
// Broadcast to the rune scene; data: bool*, true before the broadcast; every rune whose
// answer is not its type sets it to false.
inline constexpr const char CHECK[] = "check";
// Sent up by the display's bar-down timer at its end: the trial is closed. No data.
inline constexpr const char TRIAL_CLOSED[] = "phase2";

}  // namespace Events
