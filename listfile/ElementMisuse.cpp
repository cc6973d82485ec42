#include "listfile/ElementMisuse.h"

namespace {

const char* textOf(Misuse misuse) {
    switch (misuse) {
    case Misuse::GetList:
        return "Attempt to getList on atomic element: ";
    case Misuse::FirstStringOfWord:
        return "Attempt to firstString on atomic element: ";
    case Misuse::FirstListOfWord:
        return "Attempt to firstList on atomic element: ";
    case Misuse::GetInt:
        return "Attempt to get int from list object";
    case Misuse::GetDouble:
        return "Attempt to get double from list object";
    case Misuse::FirstString:
        return "Attempt to firstString on empty list";
    case Misuse::FirstList:
        return "Attempt to firstList on empty list";
    case Misuse::FirstInt:
        return "Attempt to firstInt on empty list";
    }
    return "";
}

} // namespace

Diagnostic elementMisuse(Misuse misuse, int32_t line, const std::string& word) {
    return {DiagnosticKind::Element, "", {}, std::to_string(line) + ": ", textOf(misuse) + word};
}
