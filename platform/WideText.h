#pragma once

#include <string>

// The program's paths are UTF-8; the wide calls of Windows take UTF-16. Windows only.

// `text` in UTF-16; "" for text that is no UTF-8. Never fails otherwise.
std::wstring wideText(const std::string& text);
// `text` in UTF-8; "" for text that cannot be converted. Never fails otherwise.
std::string narrowText(const std::wstring& text);
