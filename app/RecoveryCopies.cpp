#include "app/RecoveryCopies.h"

#include "platform/StateFolder.h"

#include <ctime>

namespace {

Diagnostic line(const std::string& mapPath, std::string text) {
    return {DiagnosticKind::Level, mapPath, {}, "", std::move(text)};
}

} // namespace

std::string localTime(int64_t seconds, const char* format) {
    const std::time_t time = std::time_t(seconds);
    std::tm local = {};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    char text[64];
    return std::strftime(text, sizeof text, format, &local) ? text : "";
}

RecoveryCopies::RecoveryCopies(std::string folder, std::string run)
    : recovery_(std::move(folder), std::move(run)), writer_(recovery_) {}

const std::string& RecoveryCopies::nameOf(MapList::Map& map) {
    if (map.recoveryName.empty())
        map.recoveryName = MapRecovery::mapName(map.path);
    return map.recoveryName;
}

void RecoveryCopies::find(MapList& maps, DiagnosticSink& sink) {
    for (size_t index = 0; index < maps.size(); ++index) {
        MapList::Map& map = *maps.at(index);
        for (const MapRecovery::File& file : recovery_.filesOf(nameOf(map))) {
            sink.report(line(map.path, "Recovery of " + map.path + " from " +
                                           localTime(file.modified, "%Y-%m-%d %H:%M") + ": " +
                                           file.path));
            map.recovery = file; // the newest comes last
        }
    }
}

void RecoveryCopies::keep(MapList& maps, uint32_t now, DiagnosticSink& sink) {
    for (size_t index = 0; index < maps.size(); ++index) {
        MapList::Map& map = *maps.at(index);
        if (!map.read)
            continue;
        const std::string version = map.version();
        if (version != map.copiedVersion) {
            map.copiedVersion = version;
            // A map back to its file needs its copy removed; one never copied needs nothing.
            if (map.unsaved() || map.copiedHere)
                map.copies.changed();
        }
        if (!map.copies.due(now))
            continue;
        map.copies.copied(now);
        RecoveryWriter::Copy copy;
        copy.map = nameOf(map);
        copy.remove = !map.unsaved();
        if (!copy.remove) {
            // The snapshot the thread writes from, while painting goes on.
            copy.width = map.width;
            copy.height = map.height;
            copy.pixels = map.pixels();
        }
        map.copiedHere = !copy.remove;
        writer_.submit(std::move(copy));
    }
    for (const RecoveryWriter::Failure& failure : writer_.takeFailures()) {
        std::string path = failure.map;
        for (size_t index = 0; index < maps.size(); ++index)
            if (maps.at(index)->recoveryName == failure.map)
                path = maps.at(index)->path;
        sayFailure(path, failure.problem, sink);
    }
}

bool RecoveryCopies::due(const MapList& maps, uint32_t now) {
    for (size_t index = 0; index < maps.size(); ++index)
        if (maps.at(index)->copies.due(now))
            return true;
    return false;
}

void RecoveryCopies::keepAll(MapList& maps, DiagnosticSink& sink) {
    // The thread's copies are older than these: none may land after them.
    writer_.stop();
    for (size_t index = 0; index < maps.size(); ++index) {
        MapList::Map& map = *maps.at(index);
        if (!map.unsaved())
            continue;
        const std::string problem =
            recovery_.write(nameOf(map), map.width, map.height, map.pixels());
        if (problem.empty())
            sink.report(line(map.path, "Unsaved edits of " + map.path + " kept in " +
                                           recovery_.fileOf(nameOf(map))));
        else
            sink.report(line(map.path,
                             "Unable to keep the unsaved edits of " + map.path + " : " + problem));
    }
}

void RecoveryCopies::dropOwn(MapList& maps) {
    writer_.stop();
    for (size_t index = 0; index < maps.size(); ++index) {
        MapList::Map& map = *maps.at(index);
        if (map.copiedHere)
            removeFile(recovery_.fileOf(nameOf(map)));
        map.copiedHere = false;
    }
}

void RecoveryCopies::saved(MapList::Map& map, DiagnosticSink& sink) {
    const std::string& name = nameOf(map);
    writer_.settle(name);
    map.copies.cancel();
    map.copiedHere = false;
    map.copiedVersion = map.version();
    map.recovery.reset();
    const std::string problem = recovery_.removeAll(name);
    if (!problem.empty())
        sink.report(
            line(map.path, "Unable to remove the recovery files of " + map.path + " : " + problem));
}

void RecoveryCopies::sayFailure(const std::string& mapPath, const std::string& problem,
                                DiagnosticSink& sink) {
    if (said_.insert(mapPath + "\n" + problem).second)
        sink.report(
            line(mapPath, "Unable to keep the unsaved edits of " + mapPath + " : " + problem));
}
