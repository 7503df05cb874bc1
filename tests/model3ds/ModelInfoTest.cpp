// model-info run as a user runs it: on a file whose load stops part-way it lists what the loader
// kept, then gives the loader's message, and exits 1.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "ModelFiles.h"

namespace {

struct ToolRun {
    std::string output;  // stdout and stderr as a terminal shows them
    int status = -1;
};

ToolRun modelInfo(const std::string& file) {
    ToolRun run;
    const std::string command = std::string("'") + MODEL_INFO_PATH + "' '" + file + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(ModelInfo, APartlyLoadedFileListsWhatWasKeptThenTheMessage) {
    std::vector<std::uint8_t> bytes = write3ds::encode(models::sampleModel());
    bytes.insert(bytes.end(), {0x00, 0xB0, 0x40});  // half a chunk header past the main chunk
    const std::string path = models::writeBytes("partly.3ds", bytes);
    const ToolRun run = modelInfo(path);
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 1) << run.output;
    const std::size_t quad = run.output.find("mesh Quad vertices=4 faces=2"),
                      tri = run.output.find("mesh Tri vertices=3 faces=1"),
                      red = run.output.find("material Red "),
                      message = run.output.find("model-info: " + path + ": ");
    ASSERT_NE(quad, std::string::npos) << run.output;
    ASSERT_NE(tri, std::string::npos) << run.output;
    ASSERT_NE(red, std::string::npos) << run.output;
    ASSERT_NE(message, std::string::npos) << run.output;
    EXPECT_LT(quad, tri);
    EXPECT_LT(red, message);

    // A whole file: the same list and nothing else.
    const std::string whole =
        models::writeBytes("whole.3ds", write3ds::encode(models::sampleModel()));
    const ToolRun complete = modelInfo(whole);
    std::remove(whole.c_str());
    EXPECT_EQ(complete.status, 0);
    EXPECT_EQ(complete.output, run.output.substr(0, message));
}
