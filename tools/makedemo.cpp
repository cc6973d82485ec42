// makedemo [FOLDER]   (default: demo)
//
// Writes the bundled demo level, always the same bytes, into FOLDER:
//
//   whiteBG.png, scramble.png     the viewer's background (plain white) and the 51 by 81
//                                 noise picture drawn near its lower left corner
//   textures/NAME.png             20 still 32 by 32 tiles (grass, brick, planks, ...)
//   textures/water.txt, lava.txt  "animated" descriptions, looping over frame images
//   textures/torch.txt            a "showone" description whose part carries an origin
//   textures/frames/              the frame and part images the descriptions name; kept out
//                                 of textures/ itself, where every .png is taken as a tile
//   characters/ events/ cutscenes/ entities/
//                                 object descriptions (list files the game reads; the
//                                 viewer lists only their paths)
//   levels/walkbehind_p.png, levels/walkinto_p.png
//                                 the collision colours: walk-into is the wall entity's
//                                 marker, walk-behind a colour no file carries
//   levels/valley.png             a painted map of the level, 18 by 12 pixels, each pixel in
//                                 a marker colour: the viewer's map view draws it with the art
//
// Every texture and object file X.png or X.txt has its swatch X_p.png beside it: an 8 by 8
// image of its own marker colour. Marker colours are picked from a 4-level RGB grid, so any
// two differ by at least a third of the range in some channel; the tool refuses to write a
// level where two files share one.
#include "tools/Canvas.h"
#include "tools/Colour.h"
#include "tools/DemoTiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

struct Tile {
    const char* name;
    uint32_t marker;
    Canvas (*paint)();
};

// Still tiles, written as textures/NAME.png.
const Tile stillTiles[] = {
    {"grass", 0x00AA00, DemoTiles::grass},
    {"dirt", 0xAA5500, DemoTiles::dirt},
    {"stone", 0x555555, DemoTiles::stone},
    {"cobble", 0xAAAAAA, DemoTiles::cobble},
    {"brick", 0xAA0000, DemoTiles::brick},
    {"planks", 0xFFAA55, DemoTiles::planks},
    {"sand", 0xFFFF55, DemoTiles::sand},
    {"snow", 0xAAFFFF, DemoTiles::snow},
    {"ice", 0x55FFFF, DemoTiles::ice},
    {"metal", 0x5555AA, DemoTiles::metal},
    {"shore", 0x0055FF, DemoTiles::shore},
    {"gravel", 0x555500, DemoTiles::gravel},
    {"mossbrick", 0x55AA55, DemoTiles::mossBrick},
    {"roof", 0xFF5500, DemoTiles::roof},
    {"floortiles", 0xFFAAAA, DemoTiles::floorTiles},
    {"grate", 0x005555, DemoTiles::grate},
    {"carpet", 0xAA0055, DemoTiles::carpet},
    {"leaves", 0x005500, DemoTiles::leaves},
    {"mud", 0x550000, DemoTiles::mud},
    {"hazard", 0xFFFF00, DemoTiles::hazard},
};

struct Description {
    const char* path; // from the level folder, without extension
    uint32_t marker;
    const char* text;
};

const Description textureDescriptions[] = {
    {"textures/water", 0x0000FF,
     "; Open water: the waves move a quarter of the tile per frame.\n"
     "(animated\n"
     "  (loop)\n"
     "  (sprite (filename textures/frames/water1.png) (time 12))\n"
     "  (sprite (filename textures/frames/water2.png) (time 12))\n"
     "  (sprite (filename textures/frames/water3.png) (time 12))\n"
     "  (sprite (filename textures/frames/water4.png) (time 12)))\n"},
    {"textures/lava", 0xFF0000,
     "; Lava: slow bubbling, three frames.\n"
     "(animated\n"
     "  (loop)\n"
     "  (sprite (filename textures/frames/lava1.png) (time 20))\n"
     "  (sprite (filename textures/frames/lava2.png) (time 20))\n"
     "  (sprite (filename textures/frames/lava3.png) (time 20)))\n"},
    {"textures/torch", 0xFFAA00,
     "; Wall torch. The game switches to the second part when it is put out;\n"
     "; the origin is the point that lands on the tile's corner.\n"
     "(showone\n"
     "  (size 32 32)\n"
     "  (sprite (filename textures/frames/torch.png) (origin 0 0))\n"
     "  (sprite (filename textures/frames/torch_out.png) (origin 0 0)))\n"},
};

const Description objects[] = {
    {"characters/hero", 0xFF00FF,
     "; The player.\n(character\n  (name hero)\n  (health 10)\n  (speed 3)\n  (jump 6))\n"},
    {"characters/villager", 0xAA55FF,
     "(character\n  (name villager)\n  (health 3)\n  (speed 1)\n"
     "  (says \"Nice weather for digging.\"))\n"},
    {"characters/guard", 0x0000AA,
     "(character\n  (name guard)\n  (health 6)\n  (speed 2)\n  (patrol 4))\n"},
    {"characters/slime", 0x55FF00,
     "; Bounces towards the player when it is close.\n"
     "(character\n  (name slime)\n  (health 2)\n  (speed 1)\n  (hostile))\n"},
    {"events/open_gate", 0x00FFAA,
     "(event\n  (name open_gate)\n  (trigger lever)\n  (opens gate1)\n  (once))\n"},
    {"events/treasure", 0xAAAA00,
     "(event\n  (name treasure)\n  (trigger touch)\n  (gives (coins 25))\n  (once))\n"},
    {"events/level_exit", 0x00FF00,
     "(event\n  (name level_exit)\n  (trigger touch)\n  (goto level2))\n"},
    {"cutscenes/intro", 0xAA00AA,
     "(cutscene\n  (name intro)\n  (line \"Long ago, the valley was quiet.\")\n"
     "  (line \"Then the lava came.\")\n  (wait 120))\n"},
    {"cutscenes/boss_reveal", 0x550055,
     "(cutscene\n  (name boss_reveal)\n  (camera (pan 0 -64))\n"
     "  (line \"Who dares wake me?\"))\n"},
    {"cutscenes/ending", 0xFF55AA,
     "(cutscene\n  (name ending)\n  (line \"The valley is quiet again.\")\n  (fade 60))\n"},
    {"entities/wall", 0x000000,
     "; Solid: nothing walks into it. Its marker is the walk-into colour.\n"
     "(entity\n  (name wall)\n  (solid))\n"},
    {"entities/crate", 0xAA5555, "(entity\n  (name crate)\n  (solid)\n  (pushable))\n"},
    {"entities/spikes", 0x00AAAA, "(entity\n  (name spikes)\n  (damage 1))\n"},
    {"entities/ladder", 0x5500FF, "(entity\n  (name ladder)\n  (climbable))\n"},
    {"entities/checkpoint", 0xFFAAFF, "(entity\n  (name checkpoint)\n  (saves))\n"},
};

// walkinto is the wall's marker on purpose: a collision colour shared with an object.
constexpr uint32_t walkIntoMarker = 0x000000;
constexpr uint32_t walkBehindMarker = 0x55AAAA;

constexpr int swatchSize = 8;

// The painted map, one character a pixel: a valley ringed by trees, a house, a pond, lava,
// a road to the exit, and some of the level's characters and entities.
constexpr const char* valleyRows[] = {
    "TTTTTTTTTTTTTTTTTT", "TgggggggggyyyyyggT", "TgrrrrrggyywwwyygT", "TgbbfbbggywwwwwygT",
    "TgbbdbbgggywwwygGT", "TgggsggggggyyyggsT", "TgggsssssssssssssE", "TggggggsggggkkgggT",
    "ThgggggsgggBBBgggT", "TgccccgsgggWWWg$gT", "TglllcgsggSSgggggT", "TTTTTTTTTTTTTTTTTT",
};
struct Paint {
    char key;
    uint32_t marker;
};
constexpr Paint valleyPaints[] = {
    {'T', 0x005500}, // leaves
    {'g', 0x00AA00}, // grass
    {'r', 0xFF5500}, // roof
    {'b', 0xAA0000}, // brick
    {'f', 0xFFAA00}, // torch
    {'d', 0xFFAA55}, // planks, the door
    {'s', 0x555555}, // stone
    {'y', 0xFFFF55}, // sand
    {'w', 0x0000FF}, // water
    {'c', 0xAAAAAA}, // cobble
    {'l', 0xFF0000}, // lava
    {'h', 0xFF00FF}, // the hero
    {'G', 0x0000AA}, // the guard
    {'$', 0xAAAA00}, // treasure
    {'E', 0x00FF00}, // the level's exit
    {'k', 0xAA5555}, // crates
    {'S', 0x00AAAA}, // spikes
    {'B', 0x55AAAA}, // walk behind
    {'W', 0x000000}, // walk into (and the wall)
};

Canvas paintValley() {
    const int width = int(std::char_traits<char>::length(valleyRows[0]));
    const int height = int(std::size(valleyRows));
    Canvas map(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (const Paint& paint : valleyPaints) {
                if (paint.key == valleyRows[y][x])
                    map.set(x, y, 0xFF000000u | paint.marker);
            }
        }
    }
    return map;
}

class Writer {
  public:
    explicit Writer(std::string root) : root_(std::move(root)) {}

    void png(const std::string& path, const Canvas& canvas) {
        if (makeFolder(path) && !canvas.save(root_ + "/" + path))
            fail(path, "cannot be written");
    }
    void swatch(const std::string& path, uint32_t marker) {
        if (!ok_)
            return;
        png(path, Canvas(swatchSize, swatchSize, 0xFF000000u | marker));
    }
    void text(const std::string& path, const char* contents) {
        if (!makeFolder(path))
            return;
        std::ofstream out(root_ + "/" + path, std::ios::binary);
        out << contents;
        out.close();
        if (!out)
            fail(path, "cannot be written");
    }
    int files() const { return files_; }
    bool ok() const { return ok_; }

  private:
    // After the first failure nothing more is written: one line says what went wrong.
    bool makeFolder(const std::string& path) {
        if (!ok_)
            return false;
        ++files_;
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(root_ + "/" + path).parent_path(),
                                            error);
        if (error)
            fail(path, "its folder cannot be made (" + error.message() + ")");
        return !error;
    }
    void fail(const std::string& path, const std::string& problem) {
        std::fprintf(stderr, "makedemo: %s/%s: %s\n", root_.c_str(), path.c_str(), problem.c_str());
        ok_ = false;
    }

    std::string root_;
    int files_ = 0;
    bool ok_ = true;
};

// Every marker is used by one file only (and walk-behind by none); the level would
// otherwise list two files under one colour.
bool markersDistinct() {
    std::set<uint32_t> seen;
    bool distinct = true;
    const auto add = [&](const std::string& what, uint32_t marker) {
        if (!seen.insert(marker).second) {
            std::fprintf(stderr, "makedemo: marker %06X of %s is used twice\n", unsigned(marker),
                         what.c_str());
            distinct = false;
        }
    };
    for (const Tile& t : stillTiles)
        add(t.name, t.marker);
    for (const Description& d : textureDescriptions)
        add(d.path, d.marker);
    for (const Description& d : objects)
        add(d.path, d.marker);
    add("levels/walkbehind", walkBehindMarker);
    return distinct;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: makedemo [FOLDER]\n");
        return 2;
    }
    if (!markersDistinct())
        return 1;
    Writer out(argc == 2 ? argv[1] : "demo");

    out.png("whiteBG.png", Canvas(64, 64, 0xFFFFFFFFu));
    out.png("scramble.png", DemoTiles::scramble(51, 81));

    for (const Tile& t : stillTiles) {
        out.png(std::string("textures/") + t.name + ".png", t.paint());
        out.swatch(std::string("textures/") + t.name + "_p.png", t.marker);
    }
    for (int f = 0; f < DemoTiles::waterFrames; ++f)
        out.png("textures/frames/water" + std::to_string(f + 1) + ".png", DemoTiles::water(f));
    for (int f = 0; f < DemoTiles::lavaFrames; ++f)
        out.png("textures/frames/lava" + std::to_string(f + 1) + ".png", DemoTiles::lava(f));
    out.png("textures/frames/torch.png", DemoTiles::torch(true));
    out.png("textures/frames/torch_out.png", DemoTiles::torch(false));

    for (const Description& d : textureDescriptions) {
        out.text(std::string(d.path) + ".txt", d.text);
        out.swatch(std::string(d.path) + "_p.png", d.marker);
    }
    for (const Description& d : objects) {
        out.text(std::string(d.path) + ".txt", d.text);
        out.swatch(std::string(d.path) + "_p.png", d.marker);
    }
    out.swatch("levels/walkbehind_p.png", walkBehindMarker);
    out.swatch("levels/walkinto_p.png", walkIntoMarker);
    out.png("levels/valley.png", paintValley());

    if (!out.ok())
        return 1;
    std::printf("makedemo: wrote %d files: %zu textures, %zu objects\n", out.files(),
                std::size(stillTiles) + std::size(textureDescriptions), std::size(objects));
    return 0;
}
