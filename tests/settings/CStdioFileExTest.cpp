#include "settings/CStdioFileEx.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace vexmo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::Utf16Bytes;
using test::WriteBytes;

std::vector<std::string> ReadAllLines(const std::filesystem::path& file) {
    CStdioFileEx in;
    EXPECT_TRUE(in.Open(file, CStdioFileEx::Mode::ReadUnicode));
    std::vector<std::string> lines;
    std::string line;
    while (in.ReadString(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(CStdioFileEx, NewFileStartsWithMarkAndSingleLineFeeds) {
    TempDir dir;
    CStdioFileEx out;
    ASSERT_TRUE(out.Open(dir / "a.txt", CStdioFileEx::Mode::WriteUnicode));
    ASSERT_TRUE(out.WriteString("[Setting]\n"));
    ASSERT_TRUE(out.WriteString("1=中文\n"));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(dir / "a.txt"), std::string("\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0]\0\n\0" "1\0=\0\x2D\x4E\x87\x65\n\0", 32));
}

TEST(CStdioFileEx, ReadsLinesAsTheFileHoldsThem) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::string longLine(300, 'x');
    const std::vector<Case> cases = {
        {"crlf keeps the carriage return", Utf16Bytes("a\r\nb\r\n"), {"a\r", "b\r"}},
        {"long line is one line", Utf16Bytes(longLine + "\nz\n"), {longLine, "z"}},
        {"line of exactly 128 units", Utf16Bytes(std::string(127, 'y') + "\nz"), {std::string(127, 'y'), "z"}},
        {"mark only", Utf16Bytes(""), {}},
        {"mark and a line feed", Utf16Bytes("\n"), {}},
        {"empty line ends reading", Utf16Bytes("a\n\nb\n"), {"a"}},
        {"last line without line feed", Utf16Bytes("a\nb"), {"a", "b"}},
        {"first two bytes are dropped whatever they are", Utf16Bytes("xa\n", false), {"a"}},
        {"odd trailing byte is ignored", Utf16Bytes("ab") + "\x41", {"ab"}},
        {"surrogate pair", Utf16Bytes("\xF0\x9F\x98\x80\n"), {"\xF0\x9F\x98\x80"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir / "f.txt", c.bytes);
        EXPECT_EQ(ReadAllLines(dir / "f.txt"), c.lines) << c.name;
    }
}

TEST(CStdioFileEx, RoundTripIsByteExactEvenForLoneSurrogates) {
    TempDir dir;
    // A lone high surrogate and a lone low surrogate, then a normal line.
    const std::string original = std::string("\xFF\xFE", 2) + std::string("\x00\xD8" "a\0\n\0" "\x01\xDC\n\0" "z\0\n\0", 14);
    WriteBytes(dir / "in.txt", original);
    const auto lines = ReadAllLines(dir / "in.txt");
    ASSERT_EQ(lines.size(), 3u);
    CStdioFileEx out;
    ASSERT_TRUE(out.Open(dir / "out.txt", CStdioFileEx::Mode::WriteUnicode));
    for (const auto& line : lines) {
        ASSERT_TRUE(out.WriteString(line + "\n"));
    }
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(dir / "out.txt"), original);
}

TEST(CStdioFileEx, ReadOnlyFileIsReadable) {
    TempDir dir;
    WriteBytes(dir / "ro.txt", Utf16Bytes("hello\n"));
    chmod((dir / "ro.txt").c_str(), 0444);
    EXPECT_EQ(ReadAllLines(dir / "ro.txt"), std::vector<std::string>{"hello"});
}

TEST(CStdioFileEx, MissingFileDoesNotOpen) {
    TempDir dir;
    CStdioFileEx in;
    EXPECT_FALSE(in.Open(dir / "nope.txt", CStdioFileEx::Mode::ReadUnicode));
    std::string line = "stale";
    EXPECT_FALSE(in.ReadString(line));
    EXPECT_TRUE(line.empty());
}

TEST(CStdioFileEx, UnfinishedWriteLeavesOldFileIntact) {
    TempDir dir;
    WriteBytes(dir / "keep.txt", Utf16Bytes("old\n"));
    {
        CStdioFileEx out;
        ASSERT_TRUE(out.Open(dir / "keep.txt", CStdioFileEx::Mode::WriteUnicode));
        ASSERT_TRUE(out.WriteString("new, but never closed\n"));
    }
    EXPECT_EQ(ReadBytes(dir / "keep.txt"), Utf16Bytes("old\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left";
}

TEST(CStdioFileEx, WriteIntoMissingFolderFails) {
    TempDir dir;
    CStdioFileEx out;
    EXPECT_FALSE(out.Open(dir / "no/such/folder.txt", CStdioFileEx::Mode::WriteUnicode));
    EXPECT_FALSE(out.WriteString("x"));
    EXPECT_FALSE(out.Close());
}

TEST(ParseFourNumbers, Cases) {
    struct Case {
        const char* line;
        bool ok;
        std::array<int, 4> numbers;
    };
    const std::vector<Case> cases = {
        {"a=1;b=22;c=3;d=4;", true, {1, 22, 3, 4}},
        {"a=1;b=2", false, {1, 0, -1, -1}},
        {"", false, {-1, -1, -1, -1}},
        {"a=", false, {-1, -1, -1, -1}},
        {"a=1;b=2;c=3;d=", false, {1, 2, 3, -1}},
        {"a=x;b=7z;c= 5;d=-2;", true, {0, 7, 5, -2}},
        {";a=1;b=2;c=3;d=4", true, {0, 0, 0, 0}},
        {"a=99999999999;b=1;c=1;d=1;", true, {2147483647, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        int numbers[4] = {-1, -1, -1, -1};
        EXPECT_EQ(ParseFourNumbers(c.line, numbers), c.ok) << c.line;
        EXPECT_EQ((std::array<int, 4>{numbers[0], numbers[1], numbers[2], numbers[3]}), c.numbers) << c.line;
    }
}

} // namespace
} // namespace vexmo
