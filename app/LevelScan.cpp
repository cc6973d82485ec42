#include "app/LevelScan.h"

#include "app/LevelFileScan.h"
#include "gfx/Renderer.h"
#include "gfx/TextureFit.h"
#include "level/ImagePrefetch.h"
#include "listfile/FileExtension.h"
#include "platform/RegularFile.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <functional>
#include <set>

namespace {

// What a scan works from, found on a thread of its own so that frames go on meanwhile: the
// level's files and their stamps, the stamps of the files the scan before made sprites of, all
// taken before anything of this scan is read, so that a change while it reads shows as a
// change to the next scan; and which of those are unchanged since `before` stamped them.
// The stamps of paths[from, to).
std::vector<std::optional<FileStamp>> stampsOf(const std::vector<const std::string*>& paths,
                                               size_t from, size_t to) {
    std::vector<std::optional<FileStamp>> stamps;
    stamps.reserve(to - from);
    for (size_t i = from; i < to; ++i)
        stamps.push_back(fileStamp(*paths[i]));
    return stamps;
}

LevelScan::Listing listLevel(const std::vector<std::string>& madeBefore,
                             const std::map<std::string, FileStamp>& before, bool stamp) {
    // What the scan before made (in byte order, as the catalogue holds it) is stamped on a
    // thread of its own beside the listing; the rest of the files are stamped after it, half
    // on each of two threads: each path once.
    std::vector<const std::string*> made;
    for (const std::string& path : madeBefore)
        made.push_back(&path);
    std::future<std::vector<std::optional<FileStamp>>> madeStamps =
        std::async(std::launch::async, stampsOf, std::cref(made), 0, made.size());
    LevelScan::Listing listing;
    listing.files = levelFiles("");
    std::vector<const std::string*> rest;
    for (const LevelFile& file : listing.files) {
        if (!stamp || !file.unusable.empty())
            continue;
        for (const std::string* path : {&file.path, &file.swatchPath}) {
            if (!std::binary_search(madeBefore.begin(), madeBefore.end(), *path))
                rest.push_back(path);
        }
    }
    const size_t half = rest.size() / 2;
    std::future<std::vector<std::optional<FileStamp>>> secondHalf =
        std::async(std::launch::async, stampsOf, std::cref(rest), half, rest.size());
    std::vector<std::optional<FileStamp>> restStamps = stampsOf(rest, 0, half);
    for (std::optional<FileStamp>& stamped : secondHalf.get())
        restStamps.push_back(stamped);
    for (size_t i = 0; i < rest.size(); ++i) {
        if (restStamps[i])
            listing.stamps[*rest[i]] = *restStamps[i];
    }
    const std::vector<std::optional<FileStamp>> stamps = madeStamps.get();
    for (size_t i = 0; i < madeBefore.size(); ++i) {
        if (!stamps[i])
            continue;
        listing.stamps.emplace(madeBefore[i], *stamps[i]);
        const auto then = before.find(madeBefore[i]);
        if (then != before.end() && then->second.settled && then->second == *stamps[i])
            listing.unchanged.insert(listing.unchanged.end(), madeBefore[i]);
    }
    return listing;
}

// Sets aside the catalogue of the scan before: the image sprites whose files are `unchanged`
// are kept for this scan to take, and the swatch colours in `kept` are cut down to them;
// everything else stays alive, for the shown level, until the swap.
void keepUnchanged(KeptFiles& kept, const std::set<std::string>& unchanged) {
    SpriteCatalog& catalog = SpriteCatalog::get();
    const Renderer& gl = Renderer::get();
    // A sprite whose making wrote a line (an image that could not be loaded, or was scaled down
    // to fit a texture) is made again, so that its line is written again.
    catalog.setAside([&](const std::string& name, Sprite& sprite) {
        const Rect size = sprite.madeSize();
        return !sprite.unloaded && (sprite.texture != 0 || sprite.awaitsUpload()) &&
               unchanged.count(name) &&
               !TextureFit::of(size.w, size.h, gl.maxTextureSide, Renderer::texelBudget).scaled;
    });
    std::map<std::string, uint32_t> colours;
    for (const auto& [path, colour] : kept.swatchColours) {
        if (catalog.sprites.count(path))
            colours.emplace_hint(colours.end(), path, colour);
    }
    kept.swatchColours = std::move(colours);
}

} // namespace

LevelScan::LevelScan(Kind kind, KeptFiles* kept, LevelContents& shown)
    : kind_(kind), kept_(kept), shown_(shown) {
    std::vector<std::string> madeBefore;
    std::map<std::string, FileStamp> before;
    if (kind_ == Kind::Rescan && kept_) {
        for (const auto& entry : SpriteCatalog::get().sprites)
            madeBefore.push_back(entry.first);
        before = std::move(kept_->stamps); // what the listing leaves replaces them
        kept_->stamps.clear();
    }
    listing_ =
        std::async(std::launch::async,
                   [madeBefore = std::move(madeBefore), before = std::move(before),
                    stamp = kept_ != nullptr] { return listLevel(madeBefore, before, stamp); });
}

void LevelScan::start() {
    Listing listing = listing_.get();
    started_ = true;
    SpriteCatalog& catalog = SpriteCatalog::get();
    if (kind_ == Kind::Rescan && kept_)
        keepUnchanged(*kept_, listing.unchanged);
    else if (kind_ == Kind::Rescan)
        catalog.setAside([](const std::string&, Sprite&) { return false; });
    files_ = std::move(listing.files);
    if (kept_ && kept_->stamps.empty()) {
        kept_->stamps = std::move(listing.stamps);
    } else if (kept_) {
        for (auto& [path, stamp] : listing.stamps)
            kept_->stamps[path] = stamp;
    }
    // The images are decoded on worker threads in the order the scan reads them; the scan
    // takes each when it comes to it and does everything else itself, so that GL, the
    // catalogue and standard error see what a scan on one thread gives. Textures are made
    // when first drawn, so the scan's own thread has little else to do: a worker per core.
    images_ = std::make_unique<ImagePrefetch>(DecodePool::threadCount());
    prefetched_ = std::make_unique<PrefetchedImages>(*images_, kept_);
    before_ = catalog.use({prefetched_.get(), openRegularFile, &lines_, true});
}

LevelScan::~LevelScan() {
    // Unstarted, the listing's thread is waited for by its future.
    if (ended_ || !started_)
        return;
    // Dropped unfinished (the viewer quits while it loads): the sources go with the workers.
    releaseCatalog();
}

void LevelScan::releaseCatalog() {
    SpriteCatalog& catalog = SpriteCatalog::get();
    catalog.undoLending();
    catalog.use(before_);
}

bool LevelScan::stepUntil(uint32_t deadline) {
    if (!started_) {
        // The listing's thread may take the slice. Found listed only while waiting, a rescan's
        // files are taken up at the next slice, whose whole time setting it up may need; a
        // load's set-up is slight, and its first page waits on it.
        if (listing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            const int32_t left = int32_t(deadline - SDL_GetTicks());
            if (listing_.wait_for(std::chrono::milliseconds(std::max(left, 0))) !=
                    std::future_status::ready ||
                kind_ == Kind::Rescan)
                return false;
        }
        start();
        if (int32_t(SDL_GetTicks() - deadline) >= 0 && !files_.empty())
            return false;
    }
    LevelContents& into = kind_ == Kind::Rescan ? aside_ : shown_;
    // The frames since the last slice lent frames of animations their placement.
    SpriteCatalog::get().undoLending();
    do {
        if (next_ == files_.size()) {
            end();
            return true;
        }
        requestAhead();
        scanFile(files_[next_++], kept_, into, lines_);
    } while (int32_t(SDL_GetTicks() - deadline) < 0);
    if (next_ == files_.size())
        end();
    return ended_;
}

void LevelScan::requestAhead() {
    // Far enough ahead to keep the workers busy, near enough that no slice asks for them all.
    constexpr size_t lookahead = 256;
    const SpriteCatalog& catalog = SpriteCatalog::get();
    for (; requested_ < files_.size() && requested_ < next_ + lookahead; ++requested_) {
        const LevelFile& file = files_[requested_];
        if (!file.unusable.empty())
            continue;
        if (file.kind == LevelFileKind::Texture && hasExtension(file.path, "png") &&
            !catalog.sprites.count(file.path))
            images_->request(file.path);
        if (!kept_ || !kept_->swatchColours.count(file.swatchPath))
            images_->request(file.swatchPath);
    }
}

void LevelScan::finish() {
    if (!started_)
        listing_.wait();
    while (!ended_)
        stepUntil(SDL_GetTicks());
}

void LevelScan::end() {
    if (ended_)
        return;
    ended_ = true;
    // The collision swatches are the scan's last files read.
    LevelContents& into = kind_ == Kind::Rescan ? aside_ : shown_;
    giveCollisionColoursSwatches(into);
    releaseCatalog();
    prefetched_.reset();
    images_.reset();
    SpriteCatalog& catalog = SpriteCatalog::get();
    if (kind_ == Kind::Rescan) {
        std::swap(shown_, aside_);
        aside_ = LevelContents();
        // Nothing shown points at what the scan before made and this one did not take.
        catalog.freeSetAside();
    }
    // Kept sprites that this scan never asked for would not be in a scan made from nothing.
    catalog.dropUnclaimed();
    problems_ = lines_.lines();
}
