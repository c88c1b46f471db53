#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "base/Platform.h"

#if defined(_WIN32)
// windows.h first: shellapi.h needs its definitions.
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

using tavr::platform::QuoteWindowsArgument;

// Each argument, quoted, comes back unchanged from the parser of a Windows
// command line; the quoted forms are those that parser needs.
TEST(PlatformQuoting, ArgumentsSurviveTheCommandLine) {
    struct Case {
        const char* arg;
        const char* quoted;
    };
    const Case cases[] = {
        {"convert", "convert"},
        {"", "\"\""},
        {"2001-12-31 CE 14:28", "\"2001-12-31 CE 14:28\""},
        {"tab\there", "\"tab\there\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\Program Files\\", "\"C:\\Program Files\\\\\""},
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
        {"C:\\no\\spaces\\", "C:\\no\\spaces\\"},
        {"trailing\\\\ x\\\\", "\"trailing\\\\ x\\\\\\\\\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteWindowsArgument(c.arg), c.quoted) << c.arg;
#if defined(_WIN32)
        const std::string line = "program " + QuoteWindowsArgument(c.arg);
        const std::wstring wide(line.begin(), line.end());
        int n = 0;
        wchar_t** parsed = CommandLineToArgvW(wide.c_str(), &n);
        ASSERT_NE(parsed, nullptr);
        ASSERT_EQ(n, 2) << line;
        const std::wstring back = parsed[1];
        EXPECT_EQ(std::string(back.begin(), back.end()), c.arg) << line;
        LocalFree(parsed);
#endif
    }
}

TEST(PlatformFolders, TheProgramsFolderHoldsTheProgram) {
    const std::string folder = tavr::platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) /
                                        tavr::platform::ProgramFileName("base_platform_tests")))
        << folder;
}

TEST(PlatformFolders, ApplicationData) {
#if defined(_WIN32)
    const std::string folder = tavr::platform::ApplicationDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
#else
    EXPECT_EQ(tavr::platform::ApplicationDataFolder(), "");
#endif
}

TEST(PlatformTime, UtcFieldsAndEnvironment) {
    struct Case {
        std::time_t t;
        int year, month, day, hour;
    };
    const Case cases[] = {{0, 70, 0, 1, 0}, {951782400, 100, 1, 29, 0}, {2147483647, 138, 0, 19, 3}};
    for (const Case& c : cases) {
        std::tm tm{};
        ASSERT_TRUE(tavr::platform::UtcTime(c.t, &tm));
        EXPECT_EQ(tm.tm_year, c.year);
        EXPECT_EQ(tm.tm_mon, c.month);
        EXPECT_EQ(tm.tm_mday, c.day);
        EXPECT_EQ(tm.tm_hour, c.hour);
    }
    tavr::platform::SetEnvironment("TAVR_PLATFORM_TEST", "a value");
    ASSERT_NE(std::getenv("TAVR_PLATFORM_TEST"), nullptr);
    EXPECT_STREQ(std::getenv("TAVR_PLATFORM_TEST"), "a value");
    tavr::platform::UnsetEnvironment("TAVR_PLATFORM_TEST");
    EXPECT_EQ(std::getenv("TAVR_PLATFORM_TEST"), nullptr);
}

} // namespace
