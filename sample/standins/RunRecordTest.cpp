#include "sample/standins/RunRecord.h"

#include <gtest/gtest.h>

namespace standins {
namespace {

RunRecord Sample() {
    RunRecord record;
    record.tick = 123456;
    record.pid = 42;
    record.time = "2024-05-06 07:08:09.010";
    record.runMs = 3000;
    record.exitCode = 5;
    record.module = "C:\\windows\\system32\\MxDriver\\UsbDriver.exe";
    record.cwd = "C:\\Program Files\\Setup";
    record.cmdline = "\"C:\\windows\\system32\\MxDriver\\UsbDriver.exe\" a\tb  ";
    return record;
}

void ExpectSame(const RunRecord& a, const RunRecord& b) {
    EXPECT_EQ(a.tick, b.tick);
    EXPECT_EQ(a.pid, b.pid);
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.runMs, b.runMs);
    EXPECT_EQ(a.exitCode, b.exitCode);
    EXPECT_EQ(a.module, b.module);
    EXPECT_EQ(a.cwd, b.cwd);
    EXPECT_EQ(a.cmdline, b.cmdline);
}

TEST(RunRecord, LineIsFixedAndReadsBack) {
    const std::string line = FormatRunRecord(Sample());
    EXPECT_EQ(line,
              "tick=123456\tpid=42\ttime=2024-05-06 07:08:09.010\trun-ms=3000\texit-code=5\t"
              "module=C:\\windows\\system32\\MxDriver\\UsbDriver.exe\tcwd=C:\\Program Files\\Setup\t"
              "cmdline=\"C:\\windows\\system32\\MxDriver\\UsbDriver.exe\" a\tb  \r\n");
    const std::optional<RunRecord> parsed = ParseRunRecord(line);
    ASSERT_TRUE(parsed);
    ExpectSame(*parsed, Sample());
}

TEST(RunRecord, LineBreaksInTheCommandLineStayOnOneLine) {
    RunRecord record = Sample();
    record.cmdline = "x.exe a\r\nb\nc";
    const std::string line = FormatRunRecord(record);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    const std::optional<RunRecord> parsed = ParseRunRecord(line);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->cmdline, "x.exe a  b c");

    record.cmdline.clear();  // started with no command line at all
    const std::optional<RunRecord> empty = ParseRunRecord(FormatRunRecord(record));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->cmdline, "");
}

TEST(RunRecord, RejectsMalformedLines) {
    const std::string good = FormatRunRecord(Sample());
    const std::string kBad[] = {
        "",
        "garbage",
        good.substr(0, good.find("\tcmdline=")),                // cut before the last field
        "pid=42\t" + good,                                      // fields out of order
        "tick=12x" + good.substr(good.find("\tpid=")),          // not a number
        "tick=99999999999" + good.substr(good.find("\tpid=")),  // beyond 32 bits
    };
    for (const std::string& line : kBad) {
        EXPECT_FALSE(ParseRunRecord(line)) << line;
    }
}

}  // namespace
}  // namespace standins
