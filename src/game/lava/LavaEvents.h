// The lava-stones teaser's events. LavaStones broadcasts "switch", "testSuccess", "win",
// "resetStates" and its own "nova" to its stone scene, where the stones answer them; the
// timers' events are sent up from the timer to the object that runs it.
#pragma once

namespace Events {

// data: int*, a stone id; that stone flips between lit and dark.
inline constexpr const char SWITCH[] = "switch";
// data: bool*, the display's solved flag, set to true before the broadcast; every dark stone
// sets it back to false.
inline constexpr const char TEST_SUCCESS[] = "testSuccess";
// No data: all stones are lit; they start celebrating.
inline constexpr const char WIN[] = "win";
// data: bool[7], the new states indexed by stone id.
inline constexpr const char RESET_STATES[] = "resetStates";
// Two senders. The nova timer's phase event, sent up to LavaStones, no data: time for a
// volley. LavaStones' broadcast to the stone scene, data int*: the stone with this id bursts.
inline constexpr const char NOVA[] = "nova";
// The win flash's timer ended (sent up, no data): the flash removes itself.
inline constexpr const char FLASH_FADED[] = "fleshTimeout";

}  // namespace Events
