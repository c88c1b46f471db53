// Web addresses, the help and credits texts and OpenWebPage with a recording
// opener and notice sink (no browser is started).
#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "help/WebAddresses.h"
#include "help/HelpText.h"
#include "help/weblink.h"

using namespace tavr;

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

TEST(WebLink, SecureAddressAndExtension) {
    struct Case {
        const char* address;
        const char* secure;
        const char* extension;
    };
    const Case cases[] = {
        {"http://example.org/index.html", "https://example.org/index.html", "html"},
        {"HTTP://example.org/a.PDF", "https://example.org/a.PDF", "pdf"},
        {"https://example.org/", "https://example.org/", ""},
        {"hTtP:x http:y", "https:x https:y", ""},
        {"C:\\docs\\manual.HTM", "C:\\docs\\manual.HTM", "htm"},
        {"file:///opt/tavr/docs/calendar-ce.html", "file:///opt/tavr/docs/calendar-ce.html", "html"},
        {"no-dot", "no-dot", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(web::SecureAddress(QString::fromLatin1(c.address)), QString::fromLatin1(c.secure))
            << c.address;
        EXPECT_EQ(web::AddressExtension(web::SecureAddress(QString::fromLatin1(c.address))),
                  QString::fromLatin1(c.extension))
            << c.address;
    }
}

TEST(WebLink, FailureTexts) {
    const QString a = QStringLiteral("https://example.org/page.xyz");
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {31,
         "Error launching web browser, error code = 31.\n\nFile extension 'xyz' is not associated with any "
         "application program."},
        {8, "Error launching web browser, error code = 8.\n\nOut of memory."},
        {2, "Error launching web browser, error code = 2.\n\nPlease try once more."},
        {0, "Error launching web browser, error code = 0."},
        {3, "Error launching web browser, error code = 3."},
        {32, "Error launching web browser, error code = 32."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(web::LaunchFailureText(c.code, a), QString::fromLatin1(c.text));
}

TEST(WebLink, OpenWebPageReportsOnlyFailures) {
    struct Case {
        int result;
        bool ok;
    };
    for (const Case c : {Case{33, true}, Case{42, true}, Case{32, false}, Case{31, false}, Case{0, false}}) {
        QString opened;
        const std::optional<session::Message> failure =
            web::OpenWebPage(QStringLiteral("http://example.org/x.html"), [&](const QString& address) {
                opened = address;
                return c.result;
            });
        EXPECT_EQ(!failure, c.ok);
        EXPECT_EQ(opened, QStringLiteral("https://example.org/x.html"));
        if (failure) {
            EXPECT_EQ(failure->title, "Cannot launch web browser");
            EXPECT_EQ(failure->text, web::LaunchFailureText(c.result, opened).toStdString());
            EXPECT_EQ(failure->icon, session::Icon::Warning);
            EXPECT_EQ(failure->buttons, session::Buttons::Ok);
        }
    }
}

TEST(WebLink, DesktopOpenerRefusesWhatCannotOpen) {
    EXPECT_EQ(web::DesktopOpener(QStringLiteral("file:///no/such/folder/page.html")), web::kFileNotFound);
    EXPECT_EQ(web::DesktopOpener(QStringLiteral("not an address")), web::kBadFormat);
    EXPECT_EQ(web::DesktopOpener(QString()), web::kBadFormat);
}

// An executable script at `program` that writes its arguments, one a line, to `record`.
void WriteRecorder(const std::filesystem::path& program, const std::filesystem::path& record) {
    std::ofstream(program) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << record.string()
                           << ".part' && /bin/mv '" << record.string() << ".part' '" << record.string()
                           << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
}

TEST(WebLink, XdgOpenFirstThenTheBrowserVariable) {
    const auto base = std::filesystem::temp_directory_path() / "tavr browser command";
    for (const char* program : {"with/xdg-open", "without/firefox"}) {
        std::filesystem::create_directories((base / program).parent_path());
        WriteRecorder(base / program, base / "unused");
    }
    const QString with = QString::fromStdString((base / "with").string()), xdg = with + "/xdg-open";
    const QString without = QString::fromStdString((base / "without").string()), ff = without + "/firefox";
    const QString a = QStringLiteral("https://example.org/a b");
    const std::tuple<QString, QString, QStringList> cases[] = {
        {with, "firefox", {xdg, a}},
        {without + ":" + with, "", {xdg, a}},
        {without, "nosuch:firefox", {ff, a}},
        {without, "\"firefox\" -remote openURL(%s)", {ff, "-remote", "openURL(" + a + ")"}},
        {without, "nosuch %s", {}},
        {"", "firefox", {}},
    };
    for (const auto& [path, browser, command] : cases)
        EXPECT_EQ(web::BrowserCommand(a, path, browser), command)
            << path.toStdString() << " / " << browser.toStdString();
    std::filesystem::remove_all(base);
}

TEST(WebLink, DesktopOpenerStartsTheBrowserCommand) {
    const auto base = std::filesystem::temp_directory_path() / "tavr desktop opener";
    std::filesystem::create_directories(base);
    WriteRecorder(base / "mybrowser", base / "opened");
    const QByteArray path = qgetenv("PATH"), browser = qgetenv("BROWSER");
    qputenv("PATH", QByteArray::fromStdString(base.string()));
    qputenv("BROWSER", "mybrowser --tab %s");
    const int result = web::DesktopOpener(QStringLiteral("https://example.org/x?y=1"));
    qputenv("PATH", path);
    qputenv("BROWSER", browser);
    ASSERT_EQ(result, web::kLaunched);
    for (int i = 0; i < 500 && !std::filesystem::exists(base / "opened"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(base / "opened");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "--tab\nhttps://example.org/x?y=1\n");
    std::filesystem::remove_all(base);
}

struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        path = std::filesystem::temp_directory_path() /
               (std::string("tavr web ") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path / "bin");
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
};

TEST(WebAddresses, InstalledPagesBesideOrUnderShare) {
    if (!web::kPublishedPages.empty()) GTEST_SKIP() << "a published copy is configured";
    TempFolder t;
    const auto bin = t.path / "bin";
    // Nothing installed: the folder beside the program is named all the same.
    EXPECT_EQ(web::PagesFolder(bin), (bin / "docs").lexically_normal());
    // Installed under share/doc/tavr/html.
    std::filesystem::create_directories(t.path / "share/doc/tavr/html");
    std::ofstream(t.path / "share/doc/tavr/html/manual.html") << "x";
    EXPECT_EQ(web::PagesFolder(bin), (t.path / "share/doc/tavr/html").lexically_normal());
    // Beside the program wins.
    std::filesystem::create_directories(bin / "docs");
    std::ofstream(bin / "docs/manual.html") << "x";
    EXPECT_EQ(web::PagesFolder(bin), (bin / "docs").lexically_normal());
    const std::string a = web::Address(web::Page::Sarvenes, bin);
    EXPECT_EQ(a.rfind("file:///", 0), 0u) << a;
    EXPECT_NE(a.find("/tavr%20web%20"), std::string::npos) << a; // blanks escaped
    EXPECT_TRUE(a.ends_with("/bin/docs/calendar-sar.html")) << a;
}

TEST(WebAddresses, EveryPageHasItsOwnFile) {
    std::set<std::string> files;
    for (int i = 0; i < web::kPageCount; ++i) {
        const std::string f(web::PageFile(static_cast<web::Page>(i)));
        EXPECT_EQ(f.size() > 5 && f.substr(f.size() - 5) == ".html", true) << f;
        files.insert(f);
    }
    EXPECT_EQ(files.size(), static_cast<std::size_t>(web::kPageCount));
    EXPECT_EQ(web::FileAddress("/a b/ü.html"), "file:///a%20b/%C3%BC.html");
}

TEST(HelpText, SeventeenParagraphsWithTheirAddresses) {
    const std::filesystem::path bin = TAVR_BIN_DIR;
    const std::string text = help::HelpText(bin);
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
    std::vector<std::string> paragraphs = Split(text, "\r\n\r\n");
    ASSERT_EQ(paragraphs.back(), "");
    paragraphs.pop_back();
    ASSERT_EQ(paragraphs.size(), 17u);

    const std::vector<std::string> lines = Split(paragraphs[0], "\r\n");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0],
              "This software converts among dates in the following calendars (explained in the web pages "
              "indicated):");
    EXPECT_EQ(lines[1], "Common Era (Gregorian): " + web::Address(web::Page::CommonEra, bin));
    EXPECT_EQ(lines[8], "Julian day numbers (astronomical and chronological): " +
                            web::Address(web::Page::JulianDays, bin));
    EXPECT_TRUE(paragraphs[2].ends_with("given in the documentation at " +
                                        web::Address(web::Page::Documentation, bin) + "."))
        << paragraphs[2];
    EXPECT_TRUE(
        paragraphs[4].starts_with("Common Era and Julian dates are displayed (and must be entered) in ISO "
                                  "8601 format, that is, year-month-day.  ("));
    EXPECT_NE(paragraphs[4].find(web::Address(web::Page::DateFormats, bin)), std::string::npos);
    EXPECT_NE(paragraphs[5].find("Move forward/back facility  (after specifying 1 day, 1 SAR month, etc.)"),
              std::string::npos);
    EXPECT_NE(paragraphs[14].find("-3200-01-01 CE through 6000-01-01 CE"), std::string::npos);
    EXPECT_EQ(paragraphs[15],
              "The current and the next month of the Quorvane Lunar Week Calendar may be printed via "
              "the web page at " +
                  web::Address(web::Page::LunarWeekPrinting, bin) + ".");
    EXPECT_EQ(paragraphs[16],
              "Any month in the Tussary-Vosko Goddess Calendar may be printed via the web page at " +
                  web::Address(web::Page::GoddessPrinting, bin) + ".");
}

// No link of the program leads nowhere: every page is built beside the program.
TEST(HelpText, EveryAddressNamesABuiltPage) {
    if (!web::kPublishedPages.empty()) GTEST_SKIP() << "a published copy is configured";
    const std::filesystem::path bin = TAVR_BIN_DIR;
    for (int i = 0; i < web::kPageCount; ++i) {
        const auto page = static_cast<web::Page>(i);
        const std::filesystem::path file = web::PagesFolder(bin) / web::PageFile(page);
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
        EXPECT_GT(std::filesystem::file_size(file), 300u) << file;
    }
}

// The help text and the shipped pages name the window's own controls: the
// button is "Convert", the check box "Log all results", and a move repeats
// until Stop (there is no count of repetitions).
TEST(HelpText, TextsNameTheWindowsControls) {
    if (!web::kPublishedPages.empty()) GTEST_SKIP() << "a published copy is configured";
    const std::filesystem::path bin = TAVR_BIN_DIR;
    std::vector<std::pair<std::string, std::string>> texts{{"help text", help::HelpText(bin)}};
    for (int i = 0; i < web::kPageCount; ++i) {
        const std::filesystem::path file = web::PagesFolder(bin) / web::PageFile(static_cast<web::Page>(i));
        std::ifstream in(file);
        texts.emplace_back(file.filename().string(), std::string((std::istreambuf_iterator<char>(in)),
                                                                 std::istreambuf_iterator<char>()));
    }
    for (const auto& [name, text] : texts) {
        for (const char* stale : {"Compute", "repetition", "<em>Log</em>", "'Log'", "two calendars"})
            EXPECT_EQ(text.find(stale), std::string::npos) << name << " names " << stale;
    }
    for (const auto& [name, text] : texts) {
        const bool describesTheLog =
            name == "help text" || name == "manual.html" || name.starts_with("print-");
        if (describesTheLog) {
            EXPECT_NE(text.find("Log all results"), std::string::npos) << name;
        }
        if (name.starts_with("print-")) {
            EXPECT_NE(text.find("repeatedly"), std::string::npos) << name;
        }
    }
}

TEST(HelpText, CreditsNameRolesAndSources) {
    const std::string c = help::CreditsText();
    for (const char* part : {"the TAVR developers", "Meeus", "Astronomical Algorithms", "2nd ed.", "47", "49",
                             "54", "Espenak", "Copyright"})
        EXPECT_NE(c.find(part), std::string::npos) << part;
    EXPECT_EQ(Split(c, "\r\n\r\n").size(), 5u);
}

} // namespace
