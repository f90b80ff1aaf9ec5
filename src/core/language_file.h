// lang.cfg: the stored interface language, exactly "hu" or "en" with no
// line end.
#pragma once

#include "core/types.h"

#include <filesystem>

namespace kestrane {

inline constexpr const char* kLanguageFileName = "lang.cfg";

// The start-up rule: a file that cannot be opened gives Hungarian, and so
// does anything that is not a regular file (a symbolic link, a folder, a
// pipe, a device), which is never opened in a way that could block;
// otherwise its first line decides: exactly "hu" is Hungarian, anything else
// English.
UiLanguage ReadLanguageFile(const std::filesystem::path& path);

// The two-letter code of a language: "hu" or "en".
const char* LanguageCode(UiLanguage language);

// Replaces the file with the language's code, atomically (see
// ReplacingFile): a failed write leaves the old file, a link under the name
// is replaced, a write-protected file is refused. Throws OutputError.
void WriteLanguageFile(const std::filesystem::path& path, UiLanguage language);

}  // namespace kestrane
