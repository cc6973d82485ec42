#include "app/CommandLine.h"
#include "app/Fonts.h"
#include "app/Frame.h"
#include "app/FramePacing.h"
#include "app/HeldKeys.h"
#include "app/ImageSources.h"
#include "app/KeyTable.h"
#include "app/Level.h"
#include "app/LiveReload.h"
#include "app/MapView.h"
#include "app/Pages.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/MemoryReuse.h"
#include "platform/QuitSignals.h"
#include "platform/RegularFile.h"
#include "platform/StateFolder.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const std::optional<int> status = applyCommandLine(line))
        return *status;
    keepFreedMemoryForReuse();
    uint32_t lastStamp = SDL_GetTicks();
    // Only a size asked for is fitted to the display; the default opens as it always did.
    if (line.sized)
        Screen::open(line.width, line.height);
    else
        Screen::get();
    Renderer::get();
    // After the window opens, whose library has its own handlers for these signals.
    catchQuitSignals();
    Fonts::load();
    // Image sprites made while no scan decodes ahead read their own files; a scan gives the
    // catalogue its own sources while it runs.
    FileImages files;
    SpriteCatalog::get().use({&files, openRegularFile, nullptr, false});
    Decoration background = loadDecoration(backgroundPath);
    Decoration overlay = loadDecoration(overlayPath);
    // The level loads between frames; the maps are read once it is loaded (their lines follow
    // the scan's), and watched from then on.
    LiveReload liveReload(background, overlay);
    // A new map is shown first, in edit mode, before any map the line names.
    std::vector<std::string> maps = line.maps;
    if (!line.newMap.empty())
        maps.insert(maps.begin(), line.newMap);
    MapView map(maps, shownLevel, false);
    map.setSnap(line.snap);
    map.keepRecoveryIn(recoveryFolder());
    liveReload.watchAlso(map.paths());
    uint64_t scans = liveReload.scans(), levelChanges = liveReload.levelChanges();
    // The map's cells point at the level's sprites, which a slice of a load, an unload or a
    // swap may have freed.
    const auto followLevel = [&] {
        if (liveReload.levelChanges() != levelChanges) {
            levelChanges = liveReload.levelChanges();
            map.forgetLevel();
        }
    };
    ViewState state;
    if (!line.newMap.empty()) {
        state.viewMode = ViewMode::Map;
        state.editing = true;
    }
    // SDL's key repeat stays off: the held keys repeat by `held`, for the keys the table says.
    // The find line takes the characters keys type, whatever the keyboard's layout.
    SDL_EnableUNICODE(1);
    HeldKeys held;

    // The wait sits between the background and the page, so the page, the overlay, the
    // swap and the events count into the next frame's 16 ms.
    while (!state.quit) {
        drawBackground(background, state.background);
        // A scan under way takes its slice of the frame, and the frame goes on when it is up.
        liveReload.work(SDL_GetTicks() + (liveReload.loading() ? loadSlice : scanSlice));
        followLevel();
        state.loading = liveReload.loading();
        waitForFramePeriod(lastStamp);
        lastStamp = SDL_GetTicks();
        bool eventsCame = false;
        state = finishFrame(state, shownLevel, background, overlay, held, map, eventsCame);
        state = liveReload.afterFrame(state);
        map.keepCopies(SDL_GetTicks());
        // A signal ends the program without asking, its unsaved edits kept for the next run.
        if (quitSignalled())
            state.quit = true;
        // A scan's end may follow a saved map, which is read again.
        if (liveReload.scans() != scans) {
            scans = liveReload.scans();
            map.reload();
        }
        followLevel();
        // Idle means idle: when nothing on the window can change, no frame is drawn until an
        // event, a change to the level's files or the repeat of a key held down comes.
        const bool animates =
            state.viewMode == ViewMode::Map ? map.animates(state) : pageAnimates(state, shownLevel);
        if (!state.quit && !eventsCame && !liveReload.busy() && !animates)
            waitForEventOrChange([&liveReload, &held, &map] {
                const uint32_t now = SDL_GetTicks();
                return liveReload.noteChanges(now) || held.due(now) || map.copyDue(now) ||
                       quitSignalled();
            });
    }
    // Quitting with unsaved edits was asked and answered; a signal asks nothing.
    if (quitSignalled())
        map.keepUnsaved();
    else
        map.dropCopies();
    SDL_Quit();
    return 0;
}
