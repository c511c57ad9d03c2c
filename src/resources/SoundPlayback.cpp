#include "resources/SoundPlayback.h"

#include "audio/AudioPlayer.h"
#include "resources/Resources.h"

Voice* playSound(const char* name) {
    return AudioPlayer::play(Resources::getSoundResource(name)->getSound());
}
