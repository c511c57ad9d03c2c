// Sound effects by name: the registry's sound (loaded on first use) handed to the mixer.
#pragma once

class Voice;

// Starts the sound `name` from its beginning; null when the mixer started nothing (no audio
// device, or a sound without samples: the player says why). Throws the registry's message
// when the sound cannot be loaded.
Voice* playSound(const char* name);
