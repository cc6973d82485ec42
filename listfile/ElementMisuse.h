#pragma once

#include "diagnostics/Diagnostic.h"

#include <cstdint>
#include <string>

// What an element is asked for and is not, in the element model's words.
enum class Misuse {
    GetList,
    FirstStringOfWord,
    FirstListOfWord,
    GetInt,
    GetDouble,
    FirstString,
    FirstList,
    FirstInt
};

// The line the element model writes when an element is misused: "<line>: Attempt to ...",
// naming `word` for a word asked for a list. `line` is the element's own (counted from 0; -1
// for a list's terminal cell); the diagnostic's file and located line are left to whoever
// knows them. Never fails.
Diagnostic elementMisuse(Misuse misuse, int32_t line, const std::string& word = "");
