#pragma once

#include <string>
#include <vector>

// Small pieces of text handling that the level rules, the viewer and the check all need.

// The items with `separator` between them; "" for none. Never fails.
std::string joined(const std::vector<std::string>& items, const char* separator = ", ");
