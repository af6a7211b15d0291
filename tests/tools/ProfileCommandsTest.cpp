#include "settings/LanguageTable.h"
#include "settings/ProfileDefaults.h"
#include "settings/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace vexmo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::Utf16Bytes;
using test::WriteBytes;

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

Result RunProfile(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = Quoted(VEXMOCTL_PATH) + " profile";
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    command += " >" + Quoted((dir / "stdout").string()) + " 2>" + Quoted((dir / "stderr").string());
    const int status = std::system(command.c_str());
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadBytes(dir / "stdout");
    result.err = ReadBytes(dir / "stderr");
    return result;
}

std::string LanguageFileBytes() {
    return Utf16Bytes("[Setting]\n0=English\n20=Left\n21=Right\n42=DPI Loop\n85=Game\n100=Off\n109=Wave\n");
}

ProfileRecord Defaults(unsigned slot, SensorModel sensor, bool withLanguage) {
    LanguageTable language;
    if (withLanguage) {
        for (const auto& [entry, text] : std::vector<std::pair<int, std::string>>{{0, "English"},
                                                                                  {20, "Left"},
                                                                                  {21, "Right"},
                                                                                  {42, "DPI Loop"},
                                                                                  {85, "Game"},
                                                                                  {100, "Off"},
                                                                                  {109, "Wave"}}) {
            language.Set(entry, text);
        }
    }
    ProfileRecord record;
    ResetProfileToDefaults(record, slot, language, sensor);
    return record;
}

std::string BrokenProfileBytes() {
    std::string text = FormatProfileFile(Defaults(0, 0x3104, false));
    // Shorten the first action line by one digit.
    const size_t actions = text.find("\t\tAllAction=");
    text.erase(actions + 12, 1);
    return Utf16Bytes(text);
}

TEST(ProfileCommands, DefaultsWritesWhatTheProgramWould) {
    TempDir dir;
    WriteBytes(dir / "lang.txt", LanguageFileBytes());
    struct Case {
        std::vector<std::string> options;
        ProfileRecord expected;
    };
    const std::vector<Case> cases = {
        {{"--slot", "0"}, Defaults(0, 0x3104, false)},
        {{"--slot", "0", "--language", (dir / "lang.txt").string()}, Defaults(0, 0x3104, true)},
        {{"--slot", "3", "--sensor", "0x3360"}, Defaults(3, 0x3360, false)},
        {{"--sensor", "3370", "--slot", "7"}, Defaults(7, 0x3370, false)},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"defaults", "--output", (dir / "out.psf").string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Result result = RunProfile(dir, args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(ReadBytes(dir / "out.psf"), Utf16Bytes(FormatProfileFile(c.expected))) << c.options[1];
    }
}

TEST(ProfileCommands, CheckSaysWhereAFileBreaks) {
    TempDir dir;
    WriteBytes(dir / "good.psf", Utf16Bytes(FormatProfileFile(Defaults(1, 0x3104, true))));
    WriteBytes(dir / "broken.psf", BrokenProfileBytes());

    Result result = RunProfile(dir, {"check", (dir / "good.psf").string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;

    result = RunProfile(dir, {"check", (dir / "broken.psf").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("line 63: action text is 2687 characters, expected 2688"), std::string::npos)
        << result.err;
    EXPECT_EQ(ReadBytes(dir / "broken.psf"), BrokenProfileBytes()) << "checking never writes";

    result = RunProfile(dir, {"check", (dir / "absent.psf").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot open"), std::string::npos);
}

TEST(ProfileCommands, RewriteKeepsAGoodFileAndRepairsABrokenOne) {
    TempDir dir;
    ProfileRecord custom = Defaults(2, 0x3104, true);
    custom.keys[1].name = "Ctrl+C";
    custom.keys[1].code = {0x70, 0x01, 0x06};
    custom.settings[kGameFile0Setting].value = "game.exe";
    WriteBytes(dir / "good.psf", Utf16Bytes(FormatProfileFile(custom)));
    WriteBytes(dir / "broken.psf", BrokenProfileBytes());

    Result result =
        RunProfile(dir, {"rewrite", (dir / "good.psf").string(), "--output", (dir / "out.psf").string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(dir / "out.psf"), ReadBytes(dir / "good.psf"));

    result = RunProfile(dir, {"rewrite", (dir / "broken.psf").string(), "--output",
                              (dir / "fixed.psf").string(), "--slot", "4", "--sensor", "0x3212"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("line 63"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(dir / "fixed.psf"), Utf16Bytes(FormatProfileFile(Defaults(4, 0x3212, false))));
    EXPECT_EQ(ReadBytes(dir / "broken.psf"), BrokenProfileBytes());
}

TEST(ProfileCommands, ShowDecodesTheRecord) {
    TempDir dir;
    ProfileRecord record = Defaults(0, 0x3104, true);
    record.keys[2].name = "Macro Hi";
    record.keys[2].code = kMacroCode;
    record.keys[2].MacroKeyIndex = 12;
    record.keys[2].macro.Name = "Hi \"there\"";
    record.keys[2].macro.InsertAction(0, MacroAction::Press(0x48));
    record.keys[2].macro.InsertAction(1, MacroAction::Delay(50));
    WriteBytes(dir / "p.psf", Utf16Bytes(FormatProfileFile(record)));

    Result result = RunProfile(dir, {"show", (dir / "p.psf").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* expected :
         {"Profile: Game", "100100  mouse button left", "400100  DPI function 3", "level 1  on   step 15",
          "colour 0000FF", "Report rate: 500HZ (index 2, 500 Hz",
          "effect 3: speed 1 brightness 3 direction 0 colours FF00FF", "macro id 12, 2 actions", "50ms"}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    }

    result = RunProfile(dir, {"show", "--json", (dir / "p.psf").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* expected :
         {"{\"name\":\"Game\"", "\"code\":\"900000\",\"function\":\"macro\",\"macroKeyIndex\":12",
          "\"name\":\"Hi \\\"there\\\"\"", "{\"kind\":\"press\",\"text\":\"H\",\"hex\":\"48000000\"}",
          "\"hz\":500", "\"colors\":[\"00FF00\",\"FA006A\"]"}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    }

    WriteBytes(dir / "broken.psf", BrokenProfileBytes());
    result = RunProfile(dir, {"show", (dir / "broken.psf").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.empty());
}

TEST(ProfileCommands, UsageErrors) {
    TempDir dir;
    WriteBytes(dir / "p.psf", Utf16Bytes(FormatProfileFile(Defaults(0, 0x3104, false))));
    const std::string file = (dir / "p.psf").string();
    const std::string out = (dir / "o.psf").string();
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"check"},
        {"check", file, file},
        {"check", file, "--json"},
        {"show", file, "--yaml"},
        {"defaults", "--output", out},
        {"defaults", "--slot", "1"},
        {"defaults", "--slot", "-1", "--output", out},
        {"defaults", "--slot", "1", "--sensor", "0xZZ", "--output", out},
        {"defaults", "--slot", "1", "--sensor", "0x12345", "--output", out},
        {"defaults", "--slot", "1", "--output"},
        {"rewrite", file},
        {"rewrite", file, "--output", out, "--slot", "5"},
    };
    for (const auto& args : cases) {
        const Result result = RunProfile(dir, args);
        std::string joined;
        for (const auto& a : args) {
            joined += a + " ";
        }
        EXPECT_EQ(result.exitCode, 2) << joined;
        EXPECT_NE(result.err.find("usage: vexmoctl profile"), std::string::npos) << joined;
        EXPECT_FALSE(std::filesystem::exists(out)) << joined;
    }
}

TEST(ProfileCommands, UnwritableOutputFails) {
    TempDir dir;
    const Result result =
        RunProfile(dir, {"defaults", "--slot", "0", "--output", (dir / "no" / "o.psf").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos);

    const Result language =
        RunProfile(dir, {"defaults", "--slot", "0", "--language", (dir / "none.txt").string(), "--output",
                         (dir / "o.psf").string()});
    EXPECT_EQ(language.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "o.psf"));
}

} // namespace
} // namespace vexmo
