// The Qt Multimedia sound player: which file it holds, and that a missing
// file, a replaced one and a stop leave it in a sound state. (Test machines
// have no sound device, so nothing is listened to.)

#include "framework/ui/QtSoundPlayer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

// A mono 16-bit PCM WAV file of `samples` silent samples at 8 kHz.
std::string WriteWav(const std::filesystem::path& path, uint32_t samples)
{
    auto le = [](std::ofstream& out, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    std::ofstream out(path, std::ios::binary);
    const uint32_t data = samples * 2;
    out << "RIFF";
    le(out, 36 + data, 4);
    out << "WAVEfmt ";
    le(out, 16, 4);
    le(out, 1, 2);      // PCM
    le(out, 1, 2);      // mono
    le(out, 8000, 4);   // samples per second
    le(out, 16000, 4);  // bytes per second
    le(out, 2, 2);      // block align
    le(out, 16, 2);     // bits per sample
    out << "data";
    le(out, data, 4);
    for (uint32_t i = 0; i < data; ++i)
        out.put(0);
    return path.string();
}

TEST(QtSoundPlayer, HoldsTheFileItPlaysUntilStopped)
{
    kivtest::TempDir dir;
    const std::string alarm = WriteWav(dir / "alarm.wav", 800);
    const std::string chime = WriteWav(dir / "chime.wav", 400);
    fw::QtSoundPlayer player;
    EXPECT_TRUE(player.CurrentFile().IsEmpty());

    player.PlayFileAsync(alarm.c_str());
    EXPECT_EQ(player.CurrentFile(), alarm.c_str());
    QCoreApplication::processEvents();
    // A second sound replaces the first.
    player.PlayFileAsync(chime.c_str());
    EXPECT_EQ(player.CurrentFile(), chime.c_str());
    QCoreApplication::processEvents();

    player.Purge();
    EXPECT_TRUE(player.CurrentFile().IsEmpty());
    player.Beep(0x30);
}

TEST(QtSoundPlayer, MissingFilePlaysNothing)
{
    kivtest::TempDir dir;
    const std::string alarm = WriteWav(dir / "alarm.wav", 800);
    fw::QtSoundPlayer player;
    player.PlayFileAsync(alarm.c_str());
    // The sound that was playing stops: the alarm asked for another.
    player.PlayFileAsync((dir / "gone.wav").string().c_str());
    EXPECT_TRUE(player.CurrentFile().IsEmpty());
    player.PlayFileAsync("");
    EXPECT_TRUE(player.CurrentFile().IsEmpty());
    player.PlayFileAsync(dir.Path().string().c_str());
    EXPECT_TRUE(player.CurrentFile().IsEmpty()) << "a folder is no sound";
    QCoreApplication::processEvents();
}

} // namespace
