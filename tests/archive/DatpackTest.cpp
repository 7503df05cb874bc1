// The datpack tool run as a program: create, list and extract round trips, hostile archives, and
// its exit status and messages.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/archive/ArchiveTestSupport.h"

using namespace archivetest;

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

ToolRun datpack(const ScratchFolder& scratch, const std::string& arguments) {
    std::string command = quoted(DATPACK_PATH) + " " + arguments + " >" +
                          quoted(scratch / "stdout") + " 2>" + quoted(scratch / "stderr");
    int status = std::system(command.c_str());
    Bytes out = readBytes(scratch / "stdout"), err = readBytes(scratch / "stderr");
    return {status, std::string(out.begin(), out.end()), std::string(err.begin(), err.end())};
}

}  // namespace

TEST(Datpack, HelpAndUsageErrors) {
    ScratchFolder scratch;
    ToolRun help = datpack(scratch, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("datpack extract ARCHIVE DIR"), std::string::npos) << help.out;
    for (const char* bad : {"", "unpack x", "create only-archive", "list", "extract a.dat"}) {
        ToolRun run = datpack(scratch, bad);
        EXPECT_NE(run.status, 0) << bad;
        EXPECT_NE(run.err.find("Usage"), std::string::npos) << bad << ": " << run.err;
    }
    ToolRun missing = datpack(scratch, "list " + quoted(scratch / "missing.dat"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("missing.dat"), std::string::npos) << missing.err;
}

TEST(Datpack, CreateListExtractRoundTrip) {
    ScratchFolder scratch, source, target;
    Bytes binary;
    for (int i = 0; i < 5000; ++i) binary.push_back(static_cast<std::uint8_t>(i * 31 + 5));
    ASSERT_TRUE(writeBytes(source / "earth.3ds", binary));
    ASSERT_TRUE(writeBytes(source / "empty", {}));
    ASSERT_TRUE(writeBytes(source / "a..b", textBytes("x")));

    std::string archive = quoted(scratch / "data.dat");
    ToolRun create = datpack(scratch, "create " + archive + " " + quoted(source / "earth.3ds") +
                                          " " + quoted(source / "empty"));
    ASSERT_EQ(create.status, 0) << create.err;
    ToolRun list = datpack(scratch, "list " + archive);
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "earth.3ds\t124\t5000\nempty\t5124\t0\n");
    ToolRun extract = datpack(scratch, "extract " + archive + " " + quoted(target.path()));
    ASSERT_EQ(extract.status, 0) << extract.err;
    EXPECT_EQ(target.names(), (std::set<std::string>{"earth.3ds", "empty"}));
    EXPECT_EQ(readBytes(target / "earth.3ds"), binary);

    ToolRun badName =
        datpack(scratch, "create " + quoted(scratch / "bad.dat") + " " + quoted(source / "a..b"));
    EXPECT_NE(badName.status, 0);
    EXPECT_NE(badName.err.find("a..b"), std::string::npos) << badName.err;
}

TEST(Datpack, ExtractWritesNothingOutsideDir) {
    ScratchFolder scratch, target, linked;
    std::string evil = quoted(scratch / "evil.dat");
    ASSERT_TRUE(
        writeBytes(scratch / "evil.dat",
                   rawArchive(2, {{"../escape", 124, 7}, {"ok", 124, 7}}, textBytes("payload"))));
    ToolRun list = datpack(scratch, "list " + evil);
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("../escape\t124\t7\t(not extracted"), std::string::npos) << list.out;

    ToolRun extract = datpack(scratch, "extract " + evil + " " + quoted(target.path()));
    EXPECT_NE(extract.status, 0);
    EXPECT_NE(extract.err.find("../escape"), std::string::npos) << extract.err;
    EXPECT_EQ(target.names(), std::set<std::string>{"ok"});
    EXPECT_FALSE(std::filesystem::exists(target / "../escape"));

    // Neither a device nor a link already in DIR under an entry's name is written through.
    if (std::filesystem::exists("/dev/null")) {
        ASSERT_TRUE(
            writeBytes(scratch / "device.dat", rawArchive(1, {{"null", 64, 1}}, textBytes("x"))));
        ToolRun device = datpack(scratch, "extract " + quoted(scratch / "device.dat") + " /dev");
        EXPECT_NE(device.status, 0);
        EXPECT_NE(device.err.find("not a plain file"), std::string::npos) << device.err;
    }
    std::error_code status;
    std::filesystem::create_symlink(scratch / "victim", linked / "ok", status);
    if (status) GTEST_SKIP() << "needs symbolic links";
    ToolRun throughLink = datpack(scratch, "extract " + evil + " " + quoted(linked.path()));
    EXPECT_NE(throughLink.status, 0);
    EXPECT_NE(throughLink.err.find("symbolic link"), std::string::npos) << throughLink.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "victim"));
}

TEST(Datpack, NamesReachTheTerminalEscaped) {
    ScratchFolder scratch, linked;
    const std::string hostile = "\x1b]0;owned\x07\x1b[2J";
    const std::string printed = "\\x1b]0;owned\\x07\\x1b[2J";
    ASSERT_TRUE(
        writeBytes(scratch / "names.dat",
                   rawArchive(2, {{hostile, 124, 1}, {"../" + hostile, 124, 1}}, textBytes("x"))));
    ToolRun list = datpack(scratch, "list " + quoted(scratch / "names.dat"));
    EXPECT_EQ(list.out, printed + "\t124\t1\n../" + printed +
                            "\t124\t1\t(not extracted: the name holds a path separator)\n");

    std::error_code status;
    std::filesystem::create_symlink(scratch / "victim", linked / hostile, status);
    if (status) GTEST_SKIP() << "needs symbolic links";
    ToolRun extract =
        datpack(scratch, "extract " + quoted(scratch / "names.dat") + " " + quoted(linked.path()));
    EXPECT_NE(extract.status, 0);
    EXPECT_NE(extract.err.find(printed + "\" is a symbolic link"), std::string::npos)
        << extract.err;
    EXPECT_EQ(extract.err.find('\x1b'), std::string::npos);
}
