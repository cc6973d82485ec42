#pragma once

#include <string>

// How a file's name is matched against an extension such as "png": the one test of a file's
// kind by its name, for the level's folders, the sprite factory, the watch list and the check.
enum class ExtensionMatch {
    // The name ends in "." and the extension, byte for byte: "a.png" and ".png", not "a.PNG".
    AfterDot,
    // As AfterDot, ASCII letter case aside: "a.PNG" too.
    AnyCase,
    // The sprite factory's rule: the name's last letters alone, the dot not looked at, so
    // "texturespng" is an image name too.
    LastLetters,
};

// Whether `name` has `extension` (given without its dot). Never fails.
bool hasExtension(const std::string& name, const std::string& extension,
                  ExtensionMatch match = ExtensionMatch::AfterDot);
