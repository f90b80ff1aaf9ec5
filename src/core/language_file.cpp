#include "core/language_file.h"

#include "core/regular_file.h"
#include "core/replacing_file.h"

#include <string>

namespace kestrane {

namespace {

// Enough to tell "hu" from anything else: a longer first line is not "hu".
constexpr std::size_t kFirstLineBound = 64;

}  // namespace

UiLanguage ReadLanguageFile(const std::filesystem::path& path)
{
    // Anything but a regular file (a folder, a link, a pipe, a device) is
    // taken as missing.
    const std::optional<std::string> bytes = ReadRegularFile(path, kFirstLineBound);
    if (!bytes)
        return UiLanguage::Hungarian;
    // The first line ends at LF; a CR before it belongs to a line end too.
    std::string code = bytes->substr(0, bytes->find('\n'));
    if (!code.empty() && code.back() == '\r')
        code.pop_back();
    return code == "hu" ? UiLanguage::Hungarian : UiLanguage::English;
}

const char* LanguageCode(UiLanguage language)
{
    return language == UiLanguage::Hungarian ? "hu" : "en";
}

void WriteLanguageFile(const std::filesystem::path& path, UiLanguage language)
{
    ReplacingFile out;
    out.Open(path);
    out.Write(LanguageCode(language));
    out.Commit();
}

}  // namespace kestrane
