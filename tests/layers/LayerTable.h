#pragma once

#include <string>
#include <vector>

// The layers of the source tree: which top-level folder's code may use which other's, as the
// README's layout gives them. A folder may always use itself.

// The folders the table governs: the product's libraries, and drive/ and pngwriter/, which
// serve bench/, tools/ and the tests alone.
const std::vector<std::string>& governedFolders();

// Whether `folder` is one of the project's code folders (governed, or bench/, tools/, tests/,
// which may use anything). A path whose first part is none of them is a system header's.
bool isProjectFolder(const std::string& folder);

// Whether code in `folder` may use `used`; true for any folder the table does not govern.
bool mayUse(const std::string& folder, const std::string& used);

// The rule for `folder` in words, for a message: "check/ may use level/, listfile/,
// platform/ and diagnostics/ only", "diagnostics/ uses nothing".
std::string ruleOf(const std::string& folder);
