// The events of the gallery. "update", "mouseMove", "mouseUp" and "escape" come from the
// window (window/WindowEvents.h); this one is the gallery's own.
#pragma once

namespace Events {

// Sent up by an icon's press timer when it runs out (source: the timer, no data): the
// gallery fades to the teaser of the icon that owns the timer.
inline constexpr const char ENTER_TEASER[] = "enterTeaser";

}  // namespace Events
