// A fresh registry in a temporary working directory: the pack name points into it, the
// registry is emptied before and after, and the working directory is restored.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "audio/AudioPlayer.h"
#include "audio/Sound.h"
#include "resources/Resources.h"
#include "support/TempDir.h"
#include "support/WorkingDirectory.h"

class RegistryFixture : public testing::Test {
protected:
    WorkingDirectoryGuard cwd;
    TempDir dir;

    void SetUp() override {
        Resources::release();
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        Resources::archive = "Quandrels.dat";
        Resources::password = "";
    }

    void TearDown() override {
        Resources::release();
        Resources::archive = "data.dat";
        // Sounds belong to the audio player, which frees them only when it was started; the
        // tests run it stopped, so they free what they loaded themselves.
        List<Sound*> loaded = AudioPlayer::sounds;
        for (Sound* sound : loaded) delete sound;
    }

    // Writes a loose file under data/.
    void dataFile(const std::string& name, const std::string& content) {
        dir.writeFile("data/" + name, content);
    }
    void packFile(const std::string& bytes) { dir.writeFile("Quandrels.dat", bytes); }
};
