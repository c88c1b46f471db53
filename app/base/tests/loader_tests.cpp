#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/LibLoader.h"

namespace {

// Collects the loader's reports and points it at the probe library's folder.
struct LibLoaderTest : ::testing::Test {
    std::vector<std::string> messages;
    std::string savedDir;
    void SetUp() override {
        savedDir = tavr::LibraryDirectory();
        tavr::SetLibraryDirectory(TAVR_TEST_DIR);
        tavr::ResetLoadReports();
        tavr::SetLoadErrorReporter([this](const std::string& m) { messages.push_back(m); });
    }
    void TearDown() override {
        tavr::SetLoadErrorReporter(nullptr);
        tavr::SetLibraryDirectory(savedDir);
    }
};

TEST(LibLoaderNames, PlatformNames) {
#if defined(_WIN32) && !defined(_WIN64)
    EXPECT_EQ(tavr::ExportSymbolName("jdn_to_vrslcdate", 4), "_jdn_to_vrslcdate@4");
#else
    EXPECT_EQ(tavr::ExportSymbolName("jdn_to_vrslcdate", 4), "jdn_to_vrslcdate");
#endif
#if defined(_WIN32)
    EXPECT_EQ(tavr::LibraryFileName("vrslc"), "vrslc.dll");
#else
    EXPECT_EQ(tavr::LibraryFileName("vrslc"), "libvrslc.so");
#endif
}

TEST_F(LibLoaderTest, BindsAnExportByName) {
    auto twice = tavr::BindFunction<int32_t (*)(int32_t)>("loaderprobe", "probe_twice", 4);
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LibLoaderTest, MissingLibraryIsReportedOnceByName) {
    EXPECT_EQ(tavr::BindExport("no_such_library_xyz", "f", 4), nullptr);
    EXPECT_EQ(tavr::BindExport("no_such_library_xyz", "g", 4), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(tavr::LibraryFileName("no_such_library_xyz")), std::string::npos);
}

// A file in the library folder that is no library: its own error is named
// (not that of the search by name that follows).
TEST_F(LibLoaderTest, AFileThatIsNoLibraryIsNamedWithItsError) {
    const std::string dir = ::testing::TempDir() + "loader_not_a_library";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/" + tavr::LibraryFileName("loader_text")) << "not a library\n";
    tavr::SetLibraryDirectory(dir);
    EXPECT_EQ(tavr::BindExport("loader_text", "f", 4), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(dir + "/" + tavr::LibraryFileName("loader_text")), std::string::npos)
        << messages[0];
    std::filesystem::remove_all(dir);
}

TEST_F(LibLoaderTest, MissingExportIsReportedOnceByName) {
    EXPECT_EQ(tavr::BindExport("loaderprobe", "no_such_export", 8), nullptr);
    EXPECT_EQ(tavr::BindExport("loaderprobe", "no_such_export", 8), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("no_such_export"), std::string::npos);
    EXPECT_NE(messages[0].find(tavr::LibraryFileName("loaderprobe")), std::string::npos);
}

// A library that is not in the library folder is not taken from the current
// folder either (on Windows the system would search there for a bare name).
TEST_F(LibLoaderTest, ALibraryPlantedInTheCurrentFolderIsNotLoaded) {
    namespace fs = std::filesystem;
    const fs::path empty = fs::path(::testing::TempDir()) / "loader_empty_folder";
    const fs::path planted = fs::path(::testing::TempDir()) / "loader_planted_folder";
    fs::create_directories(empty);
    fs::create_directories(planted);
    fs::copy_file(fs::path(TAVR_TEST_DIR) / tavr::LibraryFileName("loaderprobe"),
                  planted / tavr::LibraryFileName("loader_planted"), fs::copy_options::overwrite_existing);
    const fs::path saved = fs::current_path();
    fs::current_path(planted);
    tavr::SetLibraryDirectory(empty.string());
    EXPECT_EQ(tavr::BindExport("loader_planted", "probe_twice", 4), nullptr);
    fs::current_path(saved);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(tavr::LibraryFileName("loader_planted")), std::string::npos) << messages[0];
    fs::remove_all(empty);
    fs::remove_all(planted);
}

TEST_F(LibLoaderTest, ReporterMayUseTheLoaderItself) {
    // A reporter that binds another export (as a window showing the report
    // might) must not deadlock.
    void* fromReporter = reinterpret_cast<void*>(1);
    tavr::SetLoadErrorReporter([&](const std::string& m) {
        messages.push_back(m);
        fromReporter = tavr::BindExport("loaderprobe", "probe_twice", 4);
    });
    EXPECT_EQ(tavr::BindExport("loaderprobe", "missing_in_reporter_test", 4), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(fromReporter, nullptr);
}

} // namespace
