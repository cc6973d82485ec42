#pragma once

#include <string>
#include <vector>

// What in the source tree and the build breaks the layer table (LayerTable.h). Each finding is
// one line naming the file, the line when there is one, and the rule.

// The includes of one file that reach a folder its own may not use. `path` is the file's path
// from the repository's root ("check/Legend.cpp"), `text` its contents; a finding reads
// "check/Legend.cpp:12: includes gfx/Renderer.h: check/ may use ... only".
std::vector<std::string> forbiddenIncludes(const std::string& path, const std::string& text);

// The C and C++ files (and resource scripts) under `folder` of the tree at `root`, as paths
// from the root, in name order. None for a folder that does not exist.
std::vector<std::string> codeFiles(const std::string& root, const std::string& folder);

// One target of the build: its name, the folder whose CMakeLists.txt defines it, from the
// root ("check", "tests/listfile/fuzz", "." for the root's own), and the libraries it links
// directly as CMake holds them (generator expressions and all).
struct LinkedTarget {
    std::string name;
    std::string directory;
    std::string links;
};

// The table the configure step writes (cmake/LayerLinks.cmake): a target a line, its three
// fields separated by tabs. Lines without three fields are skipped.
std::vector<LinkedTarget> parseLinkTable(const std::string& text);

// The links from a target of one folder to a target of a folder it may not use; a finding reads
// "check/CMakeLists.txt: levelcolors_check links levelcolors_gfx (gfx/): check/ may use ...
// only". The root's own targets (the sanitizer build's runtime settings, linked into every
// program) are the build's, not a layer's.
std::vector<std::string> forbiddenLinks(const std::vector<LinkedTarget>& targets);
