#pragma once

#include <cstddef>
#include <string>

// A kind of problem the check finds: its name, as findings, --ignore and the usage text call
// it, and what it means, for the usage text.
struct FindingKind {
    const char* name;
    const char* meaning; // lines of at most 76 characters, joined by "\n"
};

// Every kind, in the order the usage text lists them.
extern const FindingKind findingKinds[];
extern const size_t findingKindCount;

// The kinds of note: what the check tells without counting it a problem.
extern const FindingKind noteKinds[];
extern const size_t noteKindCount;
// The kind of a level folder that cannot be read, among the levels of a run: no --ignore kind.
extern const FindingKind levelFolderKind;

// Whether `name` is the name of a kind. Never fails.
bool isFindingKind(const std::string& name);

// The usage text's list of kinds: each name, then its meaning with its lines aligned. Never
// fails.
std::string findingKindList();
