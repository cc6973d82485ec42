#pragma once

#include "sprites/Sprite.h"

#include <map>
#include <set>
#include <string>

// The process-wide catalogue of sprites by requested name. It holds the prototypes without
// owning them: they live until the process ends.
class SpriteCatalog {
public:
    static SpriteCatalog& get();

    // Name -> prototype; null when that name's description could not be built.
    std::map<std::string, Sprite*> sprites;
    // Description files being built, so that a file naming itself is caught.
    std::set<std::string> loading;
};

// The sprite factory. The first request for a name returns the prototype it builds (image
// for names ending in "png", description for "txt"), later ones its clone. An invalid
// extension, an unknown type word or a description cycle yields null with one line on
// standard error. The caller does not own the result.
Sprite* getSprite(std::string name);

// Reads a description file and builds the sprite its type word names; null (after one line
// on standard error) for an unknown type word.
Sprite* loadSpriteDescription(std::string name);
