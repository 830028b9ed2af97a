#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A single-track (format 0) Standard MIDI File built event by event. Events may be added in any order;
// they are sorted by time when the file is written, note-offs before note-ons at the same tick so a
// repeated pitch is never cut short.
class MidiFile {
public:
    explicit MidiFile(std::uint16_t ticksPerQuarter)
        : m_ticksPerQuarter(ticksPerQuarter) {}

    std::uint16_t ticksPerQuarter() const { return m_ticksPerQuarter; }

    void setTempo(std::uint32_t tick, double beatsPerMinute);
    void setTimeSignature(std::uint32_t tick, std::uint8_t numerator, std::uint8_t denominatorPowerOfTwo);
    void setTrackName(const std::string& name);
    void programChange(std::uint32_t tick, std::uint8_t channel, std::uint8_t program);
    void controlChange(std::uint32_t tick, std::uint8_t channel, std::uint8_t controller, std::uint8_t value);
    void note(std::uint32_t tick, std::uint32_t length, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity);

    // Lets the track run on to tick, so that the last notes ring out before a player reports the end.
    void endTrackAt(std::uint32_t tick) { m_endTick = tick; }

    // The whole file as bytes, ending the track one tick after its last event or at endTrackAt().
    std::vector<std::uint8_t> bytes() const;
    bool write(const std::string& path) const;

private:
    struct Event {
        std::uint32_t tick;
        int order; // meta and set-up events first, then note-offs, then note-ons
        std::vector<std::uint8_t> data;
    };

    void add(std::uint32_t tick, int order, std::vector<std::uint8_t> data);

    std::uint16_t m_ticksPerQuarter;
    std::vector<Event> m_events;
    std::uint32_t m_endTick = 0;
};
