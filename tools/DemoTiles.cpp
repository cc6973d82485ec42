#include "tools/DemoTiles.h"

#include "tools/Colour.h"
#include "tools/Random.h"

#include <cmath>

namespace DemoTiles {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int S = size;

// Each picture gets its own seed so that it is the same whatever is painted before it.
Random seeded(uint64_t id) {
    return Random(0x5EED0000ull + id * 7919ull);
}

// A base colour with per-pixel grain of +-amount.
Canvas grainy(uint32_t base, int amount, Random& rng) {
    Canvas c(S, S);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            c.set(x, y, shade(base, rng.between(-amount, amount)));
    return c;
}

// Adds grain of +-amount to every pixel of a rectangle.
void addGrain(Canvas& c, int x0, int y0, int w, int h, int amount, Random& rng) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            c.set(x, y, shade(c.get(x, y), rng.between(-amount, amount)));
}

// Wraps coordinates so that tiles repeat seamlessly.
int wrap(int v) {
    return ((v % S) + S) % S;
}

void setWrapped(Canvas& c, int x, int y, uint32_t argb) {
    c.set(wrap(x), wrap(y), argb);
}

// A random walk of dark pixels: cracks in stone and ice.
void crack(Canvas& c, int x, int y, int steps, uint32_t colour, Random& rng) {
    for (int i = 0; i < steps; ++i) {
        setWrapped(c, x, y, colour);
        x += rng.between(-1, 1);
        y += rng.below(3) == 0 ? 0 : 1;
    }
}

// Running-bond bricks of 16 by 8 with one-pixel joints; colour picks each brick's face.
template <typename Face>
void bricks(Canvas& c, uint32_t mortar, Random& rng, Face face) {
    c.fillRect(0, 0, S, S, mortar);
    for (int row = 0; row < S / 8; ++row) {
        const int offset = row % 2 ? 8 : 0;
        for (int b = -1; b < S / 16 + 1; ++b) {
            const int left = b * 16 + offset;
            const uint32_t colour = face(rng);
            for (int y = row * 8; y < row * 8 + 7; ++y)
                for (int x = left; x < left + 15; ++x)
                    if (x >= 0 && x < S)
                        c.set(x, y, shade(colour, rng.between(-8, 8) + (y == row * 8 ? 18 : 0)));
        }
    }
}

} // namespace

Canvas grass() {
    Random rng = seeded(1);
    Canvas c = grainy(rgb(72, 150, 48), 10, rng);
    for (int i = 0; i < 70; ++i) {
        const int x = rng.below(S), y = rng.below(S), len = rng.between(2, 4);
        const uint32_t blade = rng.chance(0.5) ? rgb(40, 110, 30) : rgb(120, 196, 80);
        for (int k = 0; k < len; ++k)
            setWrapped(c, x + (k == len - 1 ? rng.between(-1, 1) : 0), y - k, blade);
    }
    for (int i = 0; i < 3; ++i) {
        const int x = rng.between(2, S - 3), y = rng.between(2, S - 3);
        const uint32_t petal = i == 1 ? rgb(250, 250, 250) : rgb(250, 220, 60);
        c.set(x - 1, y, petal), c.set(x + 1, y, petal), c.set(x, y - 1, petal);
        c.set(x, y + 1, petal), c.set(x, y, rgb(230, 140, 30));
    }
    return c;
}

Canvas dirt() {
    Random rng = seeded(2);
    Canvas c = grainy(rgb(122, 82, 48), 14, rng);
    for (int i = 0; i < 14; ++i) {
        const double x = rng.below(S), y = rng.below(S);
        const uint32_t pebble = rng.chance(0.5) ? rgb(150, 112, 72) : rgb(88, 58, 34);
        c.fillCircle(x, y, rng.chance(0.3) ? 1.8 : 1.1, pebble);
    }
    return c;
}

Canvas stone() {
    Random rng = seeded(3);
    Canvas c = grainy(rgb(128, 128, 132), 8, rng);
    for (int i = 0; i < 10; ++i)
        c.fillCircle(rng.below(S), rng.below(S), rng.between(3, 6),
                     shade(rgb(128, 128, 132), rng.between(-14, 14)));
    addGrain(c, 0, 0, S, S, 6, rng);
    for (int i = 0; i < 3; ++i)
        crack(c, rng.below(S), rng.below(S), rng.between(8, 14), rgb(70, 70, 74), rng);
    return c;
}

Canvas cobble() {
    Random rng = seeded(4);
    Canvas c(S, S, rgb(62, 60, 58));
    for (int gy = 0; gy < 4; ++gy)
        for (int gx = 0; gx < 4; ++gx) {
            const double cx = gx * 8 + 4 + (gy % 2 ? 2 : 0) + rng.between(-1, 1);
            const double cy = gy * 8 + 4 + rng.between(-1, 0);
            const uint32_t face = shade(rgb(150, 146, 140), rng.between(-25, 20));
            c.fillCircle(cx, cy, 3.6, shade(face, -30));
            c.fillCircle(cx - 0.3, cy - 0.3, 3.1, face);
            c.fillCircle(cx - 1.2, cy - 1.2, 1.0, shade(face, 35));
            // Stones that stick out on the right come back on the left.
            if (cx + 3.6 > S) {
                c.fillCircle(cx - S, cy, 3.6, shade(face, -30));
                c.fillCircle(cx - S - 0.3, cy - 0.3, 3.1, face);
            }
        }
    addGrain(c, 0, 0, S, S, 5, rng);
    return c;
}

Canvas brick() {
    Random rng = seeded(5);
    Canvas c(S, S);
    bricks(c, rgb(196, 192, 180), rng,
           [](Random& r) { return shade(rgb(164, 58, 40), r.between(-22, 16)); });
    return c;
}

Canvas planks() {
    Random rng = seeded(6);
    Canvas c(S, S);
    for (int p = 0; p < 4; ++p) {
        const uint32_t wood = shade(rgb(168, 116, 64), rng.between(-18, 14));
        const double phase = rng.below(100) / 10.0;
        for (int y = p * 8; y < p * 8 + 8; ++y)
            for (int x = 0; x < S; ++x) {
                const double grain = std::sin((x + phase) * 2 * pi / 16 + (y - p * 8) * 1.3);
                uint32_t v = shade(wood, int(grain * 10) + rng.between(-4, 4));
                if (y == p * 8 + 7)
                    v = rgb(70, 44, 22); // the gap between planks
                else if (y == p * 8)
                    v = shade(v, 16);
                c.set(x, y, v);
            }
        // One butt joint per plank, with a nail each side.
        const int joint = (p * 11 + 5) % S;
        c.vLine(joint, p * 8, p * 8 + 6, rgb(70, 44, 22));
        c.set(joint - 2, p * 8 + 3, rgb(60, 60, 66));
        c.set(joint + 2, p * 8 + 3, rgb(60, 60, 66));
    }
    return c;
}

Canvas sand() {
    Random rng = seeded(7);
    Canvas c = grainy(rgb(226, 202, 134), 8, rng);
    for (int band = 0; band < 4; ++band)
        for (int x = 0; x < S; ++x) {
            const int y = band * 8 + 4 + int(std::lround(1.5 * std::sin(x * 2 * pi / 16 + band)));
            c.tint(x, y, rgb(184, 156, 92), 0.6);
            c.tint(x, y - 1, rgb(246, 230, 176), 0.5);
        }
    return c;
}

Canvas snow() {
    Random rng = seeded(8);
    Canvas c = grainy(rgb(236, 242, 252), 4, rng);
    for (int i = 0; i < 5; ++i)
        for (int x = 0; x < S; ++x) {
            const int y = i * 7 + 3 + int(std::lround(2 * std::sin(x * 2 * pi / S + i * 2)));
            c.tint(x, wrap(y), rgb(178, 196, 228), 0.45);
            c.tint(x, wrap(y + 1), rgb(178, 196, 228), 0.2);
        }
    for (int i = 0; i < 8; ++i)
        c.set(rng.below(S), rng.below(S), rgb(255, 255, 255));
    return c;
}

Canvas ice() {
    Random rng = seeded(9);
    Canvas c = grainy(rgb(168, 218, 242), 5, rng);
    // Diagonal sheen, repeating across the tile.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const int d = wrap(x + y);
            if (d < 3 || (d > 16 && d < 19))
                c.tint(x, y, rgb(236, 250, 255), 0.6);
        }
    for (int i = 0; i < 3; ++i)
        crack(c, rng.below(S), rng.below(S), rng.between(6, 12), rgb(120, 176, 210), rng);
    return c;
}

Canvas metal() {
    Random rng = seeded(10);
    Canvas c(S, S);
    for (int y = 0; y < S; ++y) {
        const int streak = rng.between(-6, 6); // brushed along the rows
        for (int x = 0; x < S; ++x)
            c.set(x, y, shade(rgb(150, 156, 166), streak + rng.between(-2, 2)));
    }
    c.hLine(0, S - 1, 0, rgb(204, 210, 220));
    c.vLine(0, 0, S - 1, rgb(204, 210, 220));
    c.hLine(0, S - 1, S - 1, rgb(84, 88, 96));
    c.vLine(S - 1, 1, S - 1, rgb(84, 88, 96));
    for (int cy : {4, S - 5})
        for (int cx : {4, S - 5}) {
            c.fillCircle(cx + 0.5, cy + 0.5, 2.0, rgb(96, 100, 108));
            c.fillCircle(cx + 0.2, cy + 0.2, 1.3, rgb(186, 190, 200));
            c.set(cx - 1, cy - 1, rgb(230, 234, 240));
        }
    return c;
}

Canvas shore() {
    Random rng = seeded(11);
    Canvas c = grainy(rgb(226, 202, 134), 8, rng);
    for (int x = 0; x < S; ++x) {
        const int edge = 14 + int(std::lround(2 * std::sin(x * 2 * pi / S)));
        for (int y = edge; y < S; ++y)
            c.set(x, y, shade(rgb(40, 104, 196), (y - edge) * -2 + rng.between(-5, 5)));
        c.set(x, edge, rgb(246, 250, 255)); // foam
        c.set(x, edge + 1, rgb(196, 222, 246));
        c.tint(x, edge - 1, rgb(170, 146, 92), 0.6); // wet sand
        c.tint(x, edge - 2, rgb(170, 146, 92), 0.3);
    }
    for (int x = 0; x < S; x += 2)
        c.set(x + (x / 2) % 3, 23 + (x / 6) % 2 * 4, rgb(110, 170, 232));
    return c;
}

Canvas gravel() {
    Random rng = seeded(12);
    Canvas c = grainy(rgb(96, 90, 82), 10, rng);
    for (int i = 0; i < 90; ++i) {
        const int x = rng.below(S), y = rng.below(S);
        const uint32_t pebble =
            shade(rng.chance(0.5) ? rgb(150, 146, 138) : rgb(130, 112, 90), rng.between(-20, 20));
        setWrapped(c, x, y, pebble);
        setWrapped(c, x + 1, y, pebble);
        setWrapped(c, x, y + 1, shade(pebble, -30));
        setWrapped(c, x + 1, y + 1, shade(pebble, -20));
    }
    return c;
}

Canvas mossBrick() {
    Random rng = seeded(13);
    Canvas c(S, S);
    bricks(c, rgb(80, 84, 78), rng,
           [](Random& r) { return shade(rgb(132, 134, 128), r.between(-18, 18)); });
    for (int i = 0; i < 7; ++i) {
        const int cx = rng.below(S), cy = rng.below(S), r = rng.between(2, 4);
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && rng.chance(0.75))
                    setWrapped(c, x, y, shade(rgb(78, 132, 50), rng.between(-20, 20)));
    }
    return c;
}

Canvas roof() {
    Random rng = seeded(14);
    Canvas c(S, S, rgb(90, 36, 22));
    // Rows of round-ended shingles, each row shifted by half a shingle.
    for (int row = 0; row < 4; ++row) {
        const int offset = row % 2 ? 4 : 0;
        for (int s = -1; s < 5; ++s) {
            const int left = s * 8 + offset;
            const uint32_t tile = shade(rgb(184, 74, 42), rng.between(-16, 12));
            for (int y = row * 8; y < row * 8 + 8; ++y)
                for (int x = left; x < left + 7; ++x) {
                    const double dx = x + 0.5 - (left + 3.5), dy = y + 0.5 - (row * 8 + 3.0);
                    if (y < row * 8 + 4 || dx * dx + dy * dy <= 13.0)
                        if (x >= 0 && x < S)
                            c.set(x, y, shade(tile, (row * 8 + 7 - y) * 2 - 6));
                }
        }
    }
    addGrain(c, 0, 0, S, S, 4, rng);
    return c;
}

Canvas floorTiles() {
    Random rng = seeded(15);
    Canvas c(S, S);
    for (int ty = 0; ty < 2; ++ty)
        for (int tx = 0; tx < 2; ++tx) {
            const bool light = (tx + ty) % 2 == 0;
            const uint32_t face = light ? rgb(232, 226, 212) : rgb(92, 84, 78);
            for (int y = ty * 16; y < ty * 16 + 16; ++y)
                for (int x = tx * 16; x < tx * 16 + 16; ++x)
                    c.set(x, y, shade(face, rng.between(-3, 3)));
            // A marble vein across each tile.
            int vy = ty * 16 + rng.between(3, 12);
            for (int x = tx * 16; x < tx * 16 + 16; ++x) {
                c.tint(x, vy, light ? rgb(170, 164, 156) : rgb(140, 132, 124), 0.7);
                vy += rng.between(-1, 1);
                vy = std::clamp(vy, ty * 16 + 1, ty * 16 + 14);
            }
        }
    for (int k : {0, 16}) {
        c.hLine(0, S - 1, k, rgb(150, 144, 134));
        c.vLine(k, 0, S - 1, rgb(150, 144, 134));
    }
    return c;
}

Canvas grate() {
    Canvas c(S, S, rgb(24, 24, 28));
    for (int k = 0; k < S; k += 8) {
        c.fillRect(k, 0, 2, S, rgb(122, 124, 132));
        c.fillRect(0, k, S, 2, rgb(122, 124, 132));
        c.vLine(k, 0, S - 1, rgb(170, 172, 182));
        c.hLine(0, S - 1, k, rgb(170, 172, 182));
    }
    for (int y = 2; y < S; y += 8)
        for (int x = 2; x < S; x += 8)
            c.fillRect(x, y, 6, 1, rgb(44, 44, 50)); // light falling through the holes
    return c;
}

Canvas carpet() {
    Random rng = seeded(17);
    Canvas c = grainy(rgb(150, 22, 34), 6, rng);
    c.fillRect(0, 0, S, 3, rgb(214, 170, 60));
    c.fillRect(0, S - 3, S, 3, rgb(214, 170, 60));
    c.hLine(0, S - 1, 1, rgb(120, 16, 26));
    c.hLine(0, S - 1, S - 2, rgb(120, 16, 26));
    for (int y = 4; y < S - 4; ++y)
        for (int x = 0; x < S; ++x) {
            const int d = std::abs(x % 16 - 8) + std::abs(y - 16);
            if (d == 7 || d == 3)
                c.set(x, y, rgb(214, 170, 60));
            else if (d < 3)
                c.set(x, y, rgb(30, 60, 120));
        }
    return c;
}

Canvas leaves() {
    Random rng = seeded(18);
    Canvas c = grainy(rgb(28, 74, 30), 6, rng);
    for (int i = 0; i < 60; ++i) {
        const int x = rng.below(S), y = rng.below(S);
        const uint32_t leaf = shade(rgb(56, 124, 48), rng.between(-26, 30));
        setWrapped(c, x, y, leaf);
        setWrapped(c, x + 1, y, leaf);
        setWrapped(c, x, y + 1, leaf);
        setWrapped(c, x + 1, y + 1, shade(leaf, -24));
        setWrapped(c, x - 1, y - 1, shade(leaf, 30));
    }
    return c;
}

Canvas mud() {
    Random rng = seeded(19);
    Canvas c = grainy(rgb(92, 62, 38), 10, rng);
    for (int i = 0; i < 3; ++i) {
        const double cx = rng.between(6, S - 7), cy = rng.between(6, S - 7);
        const double rx = rng.between(4, 6), ry = rng.between(2, 3);
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x) {
                const double dx = (x - cx) / rx, dy = (y - cy) / ry;
                if (dx * dx + dy * dy <= 1.0)
                    c.set(x, y, shade(rgb(62, 44, 30), rng.between(-3, 3)));
            }
        c.hLine(int(cx - rx / 2), int(cx), int(cy - ry / 2), rgb(132, 112, 92)); // wet shine
    }
    return c;
}

Canvas hazard() {
    Canvas c(S, S);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            c.set(x, y, wrap(x + y) % 16 < 8 ? rgb(242, 196, 24) : rgb(28, 28, 28));
    return c;
}

Canvas water(int frame) {
    Random rng = seeded(20); // the same grain in every frame: only the waves move
    Canvas c(S, S);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            c.set(x, y, shade(rgb(34, 96, 196), rng.between(-4, 4) + (y % 8 < 4 ? 4 : 0)));
    const int shift = frame * S / waterFrames;
    for (int band = 0; band < 4; ++band)
        for (int x = 0; x < S; ++x) {
            const int xs = x + shift + band * 5;
            const double w = std::sin(xs * 2 * pi / 16);
            const int y = band * 8 + 3 + int(std::lround(1.5 * w));
            c.set(x, wrap(y), rgb(70, 138, 222));
            c.set(x, wrap(y + 1), rgb(28, 80, 170));
            if (w > 0.5)
                c.set(x, wrap(y), rgb(150, 200, 246));
            if (w > 0.9)
                c.set(x, wrap(y - 1), rgb(220, 240, 255)); // foam on the crests
        }
    return c;
}

Canvas lava(int frame) {
    Random rng = seeded(21);
    Canvas c(S, S);
    const double phase = frame * 2 * pi / lavaFrames;
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            // Sums of sines with whole periods across the tile: seamless and looping.
            const double v = std::sin(x * 2 * pi / S + phase) + std::sin(y * 4 * pi / S - phase) +
                             0.6 * std::sin((x + y) * 2 * pi / 16 + 2 * phase);
            const int grain = rng.between(-6, 6);
            uint32_t colour;
            if (v < -1.2)
                colour = rgb(76, 22, 12); // cooled crust
            else if (v < -0.6)
                colour = rgb(140, 36, 12);
            else if (v < 1.0)
                colour = rgb(214, 72, 14);
            else if (v < 1.7)
                colour = rgb(246, 150, 30);
            else
                colour = rgb(255, 226, 96);
            c.set(x, y, shade(colour, grain));
        }
    return c;
}

Canvas torch(bool lit) {
    Canvas c(S, S, 0x00000000u);
    // Wall bracket, then the wooden handle.
    c.fillRect(11, 22, 10, 2, rgb(70, 70, 78));
    c.fillRect(12, 24, 8, 1, rgb(50, 50, 56));
    for (int y = 12; y < 31; ++y) {
        c.hLine(14, 17, y, rgb(120, 78, 40));
        c.set(14, y, rgb(150, 100, 54));
        c.set(17, y, rgb(86, 54, 28));
    }
    c.fillRect(13, 11, 6, 3, rgb(90, 90, 98)); // metal cup
    c.hLine(13, 18, 11, rgb(140, 140, 150));
    if (lit) {
        c.fillCircle(16, 8, 5.0, rgb(214, 72, 14));
        c.fillCircle(16, 6, 4.2, rgb(214, 72, 14));
        c.fillCircle(16, 3.5, 2.6, rgb(214, 72, 14));
        c.fillCircle(16, 8.5, 3.4, rgb(246, 150, 30));
        c.fillCircle(16, 6, 2.4, rgb(246, 150, 30));
        c.fillCircle(16, 9, 1.9, rgb(255, 230, 110));
        c.set(16, 0, rgb(214, 72, 14));
    } else {
        c.fillRect(14, 9, 4, 2, rgb(40, 36, 34)); // charred end
        for (int y = 1; y < 9; ++y)
            c.set(16 + int(std::lround(1.5 * std::sin(y * 0.9))), y, 0x80A0A0A0u); // smoke
    }
    return c;
}

Canvas scramble(int width, int height) {
    Random rng = seeded(99);
    Canvas c(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int grey = rng.below(256);
            // Mostly greys, every so often a saturated speck.
            if (rng.chance(0.15))
                c.set(x, y, rgb(rng.below(256), rng.below(256), rng.below(256)));
            else
                c.set(x, y, rgb(grey, grey, grey));
        }
    return c;
}

} // namespace DemoTiles
