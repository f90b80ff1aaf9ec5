#include "core/replacing_file_names.h"

#include "core/errors.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>

namespace kestrane {

namespace {

constexpr std::string_view kTemporaryInfix = ".tmp";

void (*stepHook)(std::size_t) = nullptr;

}  // namespace

void ReplacementGroup::SetStepHookForTesting(void (*hook)(std::size_t step)) { stepHook = hook; }

void ReplacementGroup::CarryOutSteps(const StepCalls& calls)
{
    std::size_t done = 0;
    // What was carried out stays; the rest goes.
    const auto fail = [this, &done](int code) {
        const std::string path = steps_[done].displayPath;
        Abandon();
        throw OutputError(IoErrorText(code), path, code);
    };
    // Every file on the disk before any name points to it.
    for (; calls.flush && done < steps_.size(); ++done) {
        const Step& step = steps_[done];
        if (step.kind != Step::Kind::Rename)
            continue;
        if (const int code = calls.flush(step); code != 0)
            fail(code);
    }
    for (done = 0; done < steps_.size(); ++done) {
        Step& step = steps_[done];
        if (stepHook != nullptr) {
            try {
                stepHook(done);
            } catch (...) {
                fail(EIO);
            }
        }
        if (step.kind == Step::Kind::Rename) {
            if (const int code = calls.rename(step); code != 0)
                fail(code);
            step.temporaryName.clear();
            step.slot = -1;
        } else {
            calls.remove(step);
        }
    }
    steps_.clear();
}

std::string TemporaryNameOf(const std::string& name, unsigned counter, long long pid, std::size_t longestEntry)
{
    const std::string suffix = std::string(kTemporaryInfix) + std::to_string(pid) + "-" + std::to_string(counter);
    const std::size_t room = longestEntry - 1 - suffix.size();
    return "." + name.substr(0, std::min(name.size(), room)) + suffix;
}

bool TemporaryFileOf(const TemporaryFileName& temporary, std::string_view name)
{
    return temporary.target == name || (temporary.cut && name.starts_with(temporary.target));
}

std::string IoErrorText(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return "File access denied";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "Invalid filename";
    case ENOSPC:
#ifdef EDQUOT  // not in Windows' C library
    case EDQUOT:
#endif
    case EFBIG:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(code);
    }
}

std::vector<std::string> ReplacementGroup::TargetNames() const
{
    std::vector<std::string> names;
    for (const Step& step : steps_)
        names.push_back(step.name);
    return names;
}

std::optional<TemporaryFileName> ParseTemporaryFileName(std::string_view entry)
{
    const std::size_t infix = entry.rfind(kTemporaryInfix);
    if (entry.size() < 2 || entry.front() != '.' || infix == std::string_view::npos || infix < 2)
        return std::nullopt;
    std::string_view rest = entry.substr(infix + kTemporaryInfix.size());
    long long pid = 0;
    const auto [afterPid, pidError] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (pidError != std::errc() || afterPid == rest.data() + rest.size() || *afterPid != '-' || pid <= 0 ||
        pid > INT_MAX)
        return std::nullopt;
    rest = rest.substr(static_cast<std::size_t>(afterPid + 1 - rest.data()));
    if (rest.starts_with("set"))  // a tile of a set, as earlier releases staged it
        rest.remove_prefix(3);
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    TemporaryFileName name{std::string(entry.substr(1, infix - 1)), static_cast<int>(pid), entry.size() == kLongestEntryName};
    // Earlier releases wrote a staged tile through a temporary file of its own.
    if (const auto inner = ParseTemporaryFileName(name.target); inner && inner->owner == name.owner)
        name.target = inner->target;
    return name;
}

}  // namespace kestrane
