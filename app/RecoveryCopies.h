#pragma once

#include "app/MapList.h"
#include "app/RecoveryWriter.h"
#include "diagnostics/DiagnosticSink.h"
#include "level/MapRecovery.h"

#include <cstdint>
#include <set>
#include <string>

// The maps' unsaved edits kept in the recovery folder (level/MapRecovery): copied while they
// change, at most one copy per map every 30 seconds (app/RecoveryPacing) and written on a
// thread of their own (app/RecoveryWriter); written at once when the program is told to end;
// removed, every run's, when the map is saved; and found again at the next start.
class RecoveryCopies {
  public:
    // Files go to `folder` ("" for none: every write fails); this run is called `run`.
    explicit RecoveryCopies(std::string folder, std::string run = MapRecovery::runNow());

    // Finds the files earlier runs left for each map: one line each to `sink`, "Recovery of
    // <map> from <YYYY-MM-DD HH:MM>: <file>", and the newest kept in the map. Never fails.
    void find(MapList& maps, DiagnosticSink& sink);
    // Notes each map's changes at tick `now` and queues the copies due; a copy that failed is
    // said to `sink` once per map and problem: "Unable to keep the unsaved edits of <map> :
    // <problem>". Never fails.
    void keep(MapList& maps, uint32_t now, DiagnosticSink& sink);
    // Whether a copy is due at `now`, which an idle program must wake for. Never fails.
    static bool due(const MapList& maps, uint32_t now);
    // Writes the unsaved edits of every map now, one line each to `sink`: "Unsaved edits of
    // <map> kept in <file>", or the failure's line. Never fails.
    void keepAll(MapList& maps, DiagnosticSink& sink);
    // Removes this run's copies (the edits were given up on purpose). Never fails.
    void dropOwn(MapList& maps);
    // After `map` was saved: every run's files of it removed; a file that could not be is
    // said to `sink`. Never fails.
    void saved(MapList::Map& map, DiagnosticSink& sink);
    // Waits until the copies queued are written. Never fails.
    void finish() { writer_.finish(); }

    const MapRecovery& recovery() const { return recovery_; }
    // The map's name in the folder, found once.
    static const std::string& nameOf(MapList::Map& map);

  private:
    void sayFailure(const std::string& mapPath, const std::string& problem, DiagnosticSink& sink);

    MapRecovery recovery_;
    RecoveryWriter writer_;
    std::set<std::string> said_; // the failures said, map and problem
};

// A time in seconds since 1970 as local time in strftime's `format`. Never fails.
std::string localTime(int64_t seconds, const char* format);
