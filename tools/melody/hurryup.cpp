// Writes "hurryup.mid", the default alarm melody: a bright marimba arpeggio that climbs through C, F and G,
// each bar answered by a short "hur-ry UP!" call on the glockenspiel, and a run up to a ringing C to close.
// Usage: zentick_melody <output file>

#include "MidiFile.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <initializer_list>

namespace {

constexpr std::uint16_t Quarter = 480;
constexpr std::uint32_t Sixteenth = Quarter / 4;
constexpr std::uint32_t Eighth = Quarter / 2;
constexpr std::uint32_t Bar = 4 * Quarter;

constexpr std::uint8_t Marimba = 0, Glockenspiel = 1, Bass = 2, Percussion = 9;

// General MIDI programs, counted from 0.
constexpr std::uint8_t MarimbaProgram = 12, GlockenspielProgram = 9, PizzicatoProgram = 45;
constexpr std::uint8_t HighWoodBlock = 76;

// clang-format off
enum Pitch : std::uint8_t {
    C2 = 36, F2 = 41, G2 = 43,
    C3 = 48, D3 = 50,
    C5 = 72, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83,
    C6 = 84, D6 = 86, E6 = 88, F6 = 89, G6 = 91, A6 = 93, B6 = 95,
    C7 = 96, D7 = 98, E7 = 100,
};
// clang-format on

// Eight sixteenths on the marimba over the first half of a bar, the first of each group of four leaning.
void run(MidiFile& midi, std::uint32_t start, std::initializer_list<std::uint8_t> keys) {
    std::uint32_t tick = start;
    int index = 0;
    for (std::uint8_t key : keys) {
        midi.note(tick, Sixteenth - 10, Marimba, key, index % 4 == 0 ? 104 : 84);
        tick += Sixteenth;
        ++index;
    }
}

// The answer on beats three and four: eighth, eighth, quarter, on marimba and glockenspiel with a wood block.
void call(MidiFile& midi, std::uint32_t barStart, std::uint8_t first, std::uint8_t second, std::uint8_t third) {
    const std::uint32_t start = barStart + 2 * Quarter;
    const struct {
        std::uint32_t offset, length;
        std::uint8_t key;
    } notes[] = {{0, Eighth - 30, first}, {Eighth, Eighth - 30, second}, {2 * Eighth, Quarter, third}};
    for (const auto& n : notes) {
        midi.note(start + n.offset, n.length, Marimba, n.key, 112);
        midi.note(start + n.offset, n.length, Glockenspiel, n.key, 92);
        midi.note(start + n.offset, 60, Percussion, HighWoodBlock, 64);
    }
}

void bass(MidiFile& midi, std::uint32_t barStart, std::uint8_t first, std::uint8_t second) {
    midi.note(barStart, Quarter, Bass, first, 88);
    midi.note(barStart + 2 * Quarter, Quarter, Bass, second, 80);
}

MidiFile compose() {
    MidiFile midi(Quarter);
    midi.setTrackName("Zentick hurry up");
    midi.setTempo(0, 150.0);
    midi.setTimeSignature(0, 4, 2);
    const std::uint8_t programs[][2] = {
        {Marimba, MarimbaProgram}, {Glockenspiel, GlockenspielProgram}, {Bass, PizzicatoProgram}};
    for (const auto& p : programs) {
        midi.programChange(0, p[0], p[1]);
        midi.controlChange(0, p[0], 7, 110); // channel volume
        midi.controlChange(0, p[0], 91, 48); // a little reverb for the bells' tail
    }

    // Bar 1, C: climb and answer.
    run(midi, 0, {C5, E5, G5, C6, E6, G6, E6, C6});
    call(midi, 0, E6, E6, G6);
    bass(midi, 0, C3, G2);

    // Bar 2, F: the same figure a fourth higher.
    run(midi, Bar, {F5, A5, C6, F6, A6, C7, A6, F6});
    call(midi, Bar, F6, F6, A6);
    bass(midi, Bar, F2, C3);

    // Bar 3, G: the answer now climbs too, raising the tension.
    run(midi, 2 * Bar, {G5, B5, D6, G6, B6, D7, B6, G6});
    call(midi, 2 * Bar, G6, B6, D7);
    bass(midi, 2 * Bar, G2, D3);

    // Bar 4: fall from the top, run up the scale, and ring out on C.
    run(midi, 3 * Bar, {C7, B6, G6, E6, F6, G6, A6, B6});
    const std::uint32_t last = 3 * Bar + 2 * Quarter;
    for (std::uint8_t key : {E6, G6, C7})
        midi.note(last, 2 * Quarter, Marimba, key, key == C7 ? 118 : 96);
    midi.note(last, 2 * Quarter, Glockenspiel, C7, 100);
    midi.note(last, 2 * Quarter, Glockenspiel, E7, 76);
    midi.note(last, 60, Percussion, HighWoodBlock, 72);
    midi.note(3 * Bar, Quarter, Bass, C3, 90);
    midi.note(last, 2 * Quarter, Bass, C2, 92);
    midi.endTrackAt(4 * Bar + Quarter + Eighth);
    return midi;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.mid>\n", argv[0]);
        return 2;
    }
    try {
        if (!compose().write(argv[1])) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
