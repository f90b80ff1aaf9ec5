// Replacing a set of files as a whole. Every file of the new set is first
// written completely under a staged name beside its target; only when all
// of them are complete are they renamed into place, one after another. A set
// that is dropped before that (a failed write, a refusal) removes its staged
// files, and the previous set stays exactly as it was.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrane {

class StagedFileSet {
public:
    // The files of the set lie in `folder` (empty: the current folder).
    explicit StagedFileSet(std::filesystem::path folder);
    ~StagedFileSet();  // removes the staged files that were not put in place
    StagedFileSet(const StagedFileSet&) = delete;
    StagedFileSet& operator=(const StagedFileSet&) = delete;

    // The path to write the file `name` of the set to, until Commit: a
    // hidden name beside it. Throws OutputError, before anything is written,
    // when `name` is taken by a folder or by a file without write permission.
    std::filesystem::path Stage(const std::string& name);

    // Puts every staged file in place under its name, in the order staged.
    // As for a single file (ReplacingFile), whatever stands under the name
    // is replaced, a symbolic link included, and the new file keeps the
    // permissions of a regular file it replaces. Throws OutputError when a
    // rename fails.
    void Commit();

    // The path of `name` in the folder.
    std::filesystem::path PathOf(const std::string& name) const;

private:
    struct Entry {
        std::string name;
        std::filesystem::path staged;
    };
    std::filesystem::path folder_;
    std::vector<Entry> staged_;
};

}  // namespace kestrane
