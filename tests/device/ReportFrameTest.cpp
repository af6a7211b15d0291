#include "device/ReportFrame.h"
#include "device/MacroChunks.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexmo {
namespace {

TEST(ReportFrame, ButtonCommandIsByteExact) {
    const std::vector<uint8_t> payload{4, 0x10, 0x10, 0x00};
    const Report report = BuildReport(Command::ButtonFunction, 7, kSingleChunk, 4, payload);
    Report expected{};
    const uint8_t head[] = {0x0C, 0x01, 0x04, 0x00, 7, 0x01, 4, 4, 0x10, 0x10, 0x00};
    std::copy(std::begin(head), std::end(head), expected.begin());
    EXPECT_EQ(report, expected);
}

TEST(ReportFrame, StatusQueryHasNoChunkAndNoPayload) {
    const Report report = BuildReport(Command::StatusQuery, 1, kNoChunk, 0, {});
    EXPECT_EQ(report[2], 0x20);
    EXPECT_EQ(report[5], 0x00);
    EXPECT_EQ(report[6], 0x00);
    for (size_t i = kPayloadOffset; i < kReportLength; ++i) {
        EXPECT_EQ(report[i], 0) << i;
    }
}

TEST(ReportFrame, PayloadBeyondTwentySixBytesIsNotWrittenPastTheFrame) {
    const std::vector<uint8_t> payload(40, 0xAB);
    const Report report = BuildReport(Command::MacroData, 1, 0x01, 26, payload);
    EXPECT_EQ(report[kReportLength - 1], 0xAB);
    EXPECT_EQ(report.size(), 33u);
}

TEST(SequenceCounter, StartsAtOneAndTheReportAfter256IsOneAgain) {
    SequenceCounter counter;
    EXPECT_EQ(counter.Take(), 1);
    for (int i = 0; i < 254; ++i) {
        counter.Take();
    }
    EXPECT_EQ(counter.Take(), 0); // the wrap from 255
    EXPECT_EQ(counter.Take(), 1); // the 257th report overall
}

struct ChunkCase {
    size_t dataBytes;
    std::vector<std::pair<uint8_t, uint8_t>> chunkAndLength;
};

class MacroChunking : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(MacroChunking, ChunkBytesAndLengths) {
    const ChunkCase& c = GetParam();
    std::vector<uint8_t> data(c.dataBytes);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i + 1);
    }
    const std::vector<MacroChunk> chunks = SplitMacroData(3, data);
    ASSERT_EQ(chunks.size(), c.chunkAndLength.size());
    size_t next = 0;
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].chunkByte, c.chunkAndLength[i].first) << i;
        EXPECT_EQ(chunks[i].length, c.chunkAndLength[i].second) << i;
        EXPECT_EQ(chunks[i].payload[0], 3);
        for (size_t b = 1; b < 26; ++b, ++next) {
            const uint8_t expected = next < data.size() && next < kMaxMacroDataBytes ? data[next] : 0;
            EXPECT_EQ(chunks[i].payload[b], expected) << "chunk " << i << " byte " << b;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MacroChunking,
    ::testing::Values(ChunkCase{0, {{0x01, 1}}},               // empty macro: one report
                      ChunkCase{30, {{0x02, 26}, {0x12, 6}}},  // ten events
                      ChunkCase{25, {{0x01, 26}}},             // exactly one full chunk
                      ChunkCase{50, {{0x02, 26}, {0x12, 26}}}, // two full chunks
                      ChunkCase{375,
                                {{0x0F, 26},
                                 {0x1F, 26},
                                 {0x2F, 26},
                                 {0x3F, 26},
                                 {0x4F, 26},
                                 {0x5F, 26},
                                 {0x6F, 26},
                                 {0x7F, 26},
                                 {0x8F, 26},
                                 {0x9F, 26},
                                 {0xAF, 26},
                                 {0xBF, 26},
                                 {0xCF, 26},
                                 {0xDF, 26},
                                 {0xEF, 26}}},
                      // Past 375 bytes the count would not fit the nibble: never more than 15.
                      ChunkCase{378,
                                {{0x0F, 26},
                                 {0x1F, 26},
                                 {0x2F, 26},
                                 {0x3F, 26},
                                 {0x4F, 26},
                                 {0x5F, 26},
                                 {0x6F, 26},
                                 {0x7F, 26},
                                 {0x8F, 26},
                                 {0x9F, 26},
                                 {0xAF, 26},
                                 {0xBF, 26},
                                 {0xCF, 26},
                                 {0xDF, 26},
                                 {0xEF, 26}}}));

} // namespace
} // namespace vexmo
