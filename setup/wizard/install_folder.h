#pragma once

// The rules for the install folder typed or chosen on the setting page.

#include <optional>
#include <string>
#include <string_view>

// The folder text trimmed of blanks, checked (a drive letter, a colon and a
// backslash first; no two backslashes in a row; not the drive root itself)
// and without one trailing backslash; none when the text is not a usable
// folder.
std::optional<std::u16string> NormalizeInstallFolder(std::u16string_view text);

// The folder the browser's choice stands for: the product's own folder below
// it unless the path already names the product.
std::u16string ComposeBrowsedFolder(std::u16string_view chosen);
