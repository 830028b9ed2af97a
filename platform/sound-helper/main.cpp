#include "platform/SoundHelper.h"

// zentick-sound: plays alarm sounds for zentick, which starts it (SoundHelper.h). Kept out of the program itself so
// that a start of zentick loads neither Qt Multimedia nor GStreamer.
int main(int argc, char** argv) {
    return SoundHelper::run(argc, argv);
}
