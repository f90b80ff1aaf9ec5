// The platform-free parts of file replacement and paths: what the Linux and
// the Windows build share.
#include "core/replacing_file_names.h"
#include "core/utf8_path.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

// Every temporary name made for a target is read back as that target (or,
// cut short, as a beginning of it) and the process that made it.
TEST(TemporaryFileNames, EveryNameMadeIsReadBackAsItsTargetAndOwner)
{
    const std::string accented = "\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91.b3d";  // árvíztűrő.b3d
    for (const std::string& name : {std::string("domb.b3d"), accented, std::string("a.tmp3-4.b3d"),
                                    std::string(200, 'x') + ".b3d", std::string(kLongestEntryName, 'y')}) {
        for (const long long pid : {1LL, 4242LL, 2147483647LL}) {
            const std::string temporary = TemporaryNameOf(name, 17, pid, kLongestEntryName);
            ASSERT_LE(temporary.size(), kLongestEntryName) << name;
            const auto parsed = ParseTemporaryFileName(temporary);
            ASSERT_TRUE(parsed) << temporary;
            EXPECT_EQ(parsed->owner, pid);
            EXPECT_TRUE(TemporaryFileOf(*parsed, name)) << temporary;
            EXPECT_EQ(parsed->cut, temporary.size() == kLongestEntryName);
            if (!parsed->cut) {
                EXPECT_EQ(parsed->target, name);
            }
        }
    }
}

TEST(Utf8Paths, TextGoesInAndComesOutUnchanged)
{
    const std::string accented = "mappa_\xC5\x91/h\xC3\xA1z.b3d";  // mappa_ő/ház.b3d
    EXPECT_EQ(PathFromUtf8(accented).generic_string(), accented);
    EXPECT_EQ(PathFromUtf8(accented).filename().string(), "h\xC3\xA1z.b3d");
    EXPECT_EQ(PathInFolder({}, "h\xC3\xA1z.b3d").string(), "h\xC3\xA1z.b3d");
    EXPECT_EQ(PathInFolder(PathFromUtf8("mappa_\xC5\x91"), "h\xC3\xA1z.b3d").generic_string(), accented);
}

}  // namespace
}  // namespace kestrane
