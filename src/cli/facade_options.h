// The facade options of `kestrane house`: storeys, windows, doors, their
// bitmaps, frames and lit windows.
#pragma once

#include "cli/cli.h"
#include "core/errors.h"
#include "house/facade_layout.h"

#include <string>
#include <vector>

namespace kestrane::cli {

// The lines of `kestrane house --help` about facades.
extern const char* const kFacadeHelp;

// Handles one facade option into `input` (which any of them switches on);
// false for any other option. Throws UsageError for a malformed value.
bool TakeFacadeOption(const std::string& name, ArgReader& reader, FacadeInput& input);

// The option behind each facade field as a refusal names it ("Front wall,
// window width": --windows).
std::vector<FieldOption> FacadeFieldOptions(UiLanguage language);

}  // namespace kestrane::cli
