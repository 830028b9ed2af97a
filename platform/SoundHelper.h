#pragma once

// The sound helper program, zentick-sound (platform/sound-helper/main.cpp), plays MIDI files through FluidSynthPlayer
// and any other sound through MediaSoundPlayer:
//
//   zentick-sound FILE           plays FILE once and exits with 0 when it reached the end, 1 when it could not be
//                                played.
//   zentick-sound --stay FILE    plays FILE, writes "end" or "failed" as a line on its output, then plays each file
//                                named by a line of its input the same way, and exits with 0 when its input closes.
//                                The second play costs no start of the process, nor a second load of the sound
//                                font (ProcessSoundPlayer keeps one helper while a window's sound repeats).
//
// It ends with the program that started it.
namespace SoundHelper {

constexpr const char* StayOption = "--stay";

int run(int argc, char** argv);

} // namespace SoundHelper
