#pragma once

#include "store/XMLIniFile.h"

#include <QByteArray>
#include <QByteArrayList>

// Moving an alarm into the past-alarm store. Every place that moves one (the firing of a one-time
// alarm, "Disable Repetition", "Delete" on the alarm list) goes through here, so the move is the same
// everywhere and all or nothing on disk.
namespace PastAlarms {

// One action over the event and past-alarm stores: opens a batch on each. retire() settles records in
// memory; commit() saves the past-alarm store first, then the event store. A kill between the two saves
// leaves a record in both files, which finishInterruptedMoves() settles at the next start.
class Move {
public:
    Move(TXMLIniFile& events, TXMLIniFile& pastAlarms);
    // Without a successful commit both stores go back to what they held before.
    ~Move();
    Move(const Move&) = delete;
    Move& operator=(const Move&) = delete;

    // Writes the past-alarm record (first free number: "date" = date, the event record's "sound" and
    // text block as stored bytes, every line key it holds included: readTextBlockToMove) and erases the event
    // record. Returns the past-alarm section.
    QByteArray retire(const QByteArray& section, double date);

    // Throws Exception when a save fails. Both stores then hold, in memory and on disk, what they held
    // before; should taking the past-alarm records out again fail too, they stay in both files.
    void commit();

private:
    TXMLIniFile& m_events;
    TXMLIniFile& m_pastAlarms;
    TXMLIniFile::Batch m_pastBatch;
    TXMLIniFile::Batch m_eventsBatch;
    QByteArrayList m_written; // past-alarm sections this move wrote
};

// A move on its own: retire and commit. Returns the past-alarm section.
QByteArray retire(TXMLIniFile& events, TXMLIniFile& pastAlarms, const QByteArray& section, double date);

// For a start after a kill: each one-time alarm due at now whose identical record (the "date", "sound"
// and text block that retire would write) is already in the past-alarm store had fired and was moved
// but for its erasure; it is erased now, with one save. Returns the sections erased. Throws like the
// save.
QByteArrayList finishInterruptedMoves(TXMLIniFile& events, const TXMLIniFile& pastAlarms, double now);
// The sections finishInterruptedMoves() would erase, without erasing them.
QByteArrayList interruptedMoves(const TXMLIniFile& events, const TXMLIniFile& pastAlarms, double now);

} // namespace PastAlarms
