#pragma once

// The program as its own sound helper: `zentick --play-sound FILE` plays FILE once through MediaSoundPlayer and exits
// with 0 when it reached the end, 1 when it could not be played (ProcessSoundPlayer reads the exit code). It ends
// with the program that started it.
namespace SoundHelper {

constexpr const char* Option = "--play-sound";

// argv[1] is Option and a file follows.
bool isRequested(int argc, char** argv);
int run(int argc, char** argv);

} // namespace SoundHelper
