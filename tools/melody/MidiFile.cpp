#include "MidiFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace {

enum Order { Meta = 0, Setup = 1, NoteOff = 2, NoteOn = 3 };

void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    if (value > 0x0FFFFFFF)
        throw std::out_of_range("MIDI delta time too large");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int byteCount) {
    for (int shift = (byteCount - 1) * 8; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

std::uint8_t checked7Bit(int value) {
    if (value < 0 || value > 127)
        throw std::out_of_range("MIDI data byte out of range");
    return static_cast<std::uint8_t>(value);
}

std::uint8_t status(std::uint8_t kind, std::uint8_t channel) {
    if (channel > 15)
        throw std::out_of_range("MIDI channel out of range");
    return static_cast<std::uint8_t>(kind | channel);
}

} // namespace

void MidiFile::add(std::uint32_t tick, int order, std::vector<std::uint8_t> data) {
    m_events.push_back({tick, order, std::move(data)});
}

void MidiFile::setTempo(std::uint32_t tick, double beatsPerMinute) {
    const auto microsPerQuarter = static_cast<std::uint32_t>(std::lround(60'000'000.0 / beatsPerMinute));
    std::vector<std::uint8_t> data{0xFF, 0x51, 0x03};
    appendBigEndian(data, microsPerQuarter, 3);
    add(tick, Meta, std::move(data));
}

void MidiFile::setTimeSignature(std::uint32_t tick, std::uint8_t numerator, std::uint8_t denominatorPowerOfTwo) {
    // 24 MIDI clocks per metronome click, 8 thirty-second notes per quarter.
    add(tick, Meta, {0xFF, 0x58, 0x04, numerator, denominatorPowerOfTwo, 24, 8});
}

void MidiFile::setTrackName(const std::string& name) {
    std::vector<std::uint8_t> data{0xFF, 0x03};
    appendVariableLength(data, static_cast<std::uint32_t>(name.size()));
    data.insert(data.end(), name.begin(), name.end());
    add(0, Meta, std::move(data));
}

void MidiFile::programChange(std::uint32_t tick, std::uint8_t channel, std::uint8_t program) {
    add(tick, Setup, {status(0xC0, channel), checked7Bit(program)});
}

void MidiFile::controlChange(std::uint32_t tick, std::uint8_t channel, std::uint8_t controller, std::uint8_t value) {
    add(tick, Setup, {status(0xB0, channel), checked7Bit(controller), checked7Bit(value)});
}

void MidiFile::note(std::uint32_t tick, std::uint32_t length, std::uint8_t channel, std::uint8_t key,
                    std::uint8_t velocity) {
    if (length == 0 || velocity == 0)
        throw std::invalid_argument("a note needs a length and a velocity");
    add(tick, NoteOn, {status(0x90, channel), checked7Bit(key), checked7Bit(velocity)});
    add(tick + length, NoteOff, {status(0x80, channel), checked7Bit(key), 64});
}

std::vector<std::uint8_t> MidiFile::bytes() const {
    std::vector<Event> events = m_events;
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    std::vector<std::uint8_t> track;
    std::uint32_t now = 0;
    for (const Event& event : events) {
        appendVariableLength(track, event.tick - now);
        now = event.tick;
        track.insert(track.end(), event.data.begin(), event.data.end());
    }
    appendVariableLength(track, m_endTick > now ? m_endTick - now : 1);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, 0, 2); // format 0
    appendBigEndian(file, 1, 2); // one track
    appendBigEndian(file, m_ticksPerQuarter, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    appendBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

bool MidiFile::write(const std::string& path) const {
    const std::vector<std::uint8_t> data = bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    return static_cast<bool>(out);
}
