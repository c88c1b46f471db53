#include <gtest/gtest.h>

#include <map>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "main/DisplayCheck.h"

using tavr::ui::CheckDisplay;
using tavr::ui::DisplayCheck;

namespace {

DisplayCheck Check(const std::map<std::string, std::string>& variables) {
    return CheckDisplay([&variables](const char* name) -> const char* {
        const auto it = variables.find(name);
        return it == variables.end() ? nullptr : it->second.c_str();
    });
}

// A listening local socket for as long as it lives.
struct Listener {
    std::string path;
    int fd = -1;
    explicit Listener(std::string p) : path(std::move(p)) {
        ::unlink(path.c_str());
        fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(fd, 4) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~Listener() {
        if (fd >= 0) ::close(fd);
        ::unlink(path.c_str());
    }
};

TEST(DisplayCheck, NamedButSilentDisplaysAreReportedNotAborted) {
    const std::string none = testing::TempDir() + "no-such-socket";
    struct Row {
        std::map<std::string, std::string> variables;
        bool ok;
        const char* problem; // start of the message
    };
    const Row rows[] = {
        {{}, false, "there is no display to open the window on (DISPLAY is not set)."},
        {{{"DISPLAY", ""}}, false, "there is no display"},
        {{{"DISPLAY", ":9999"}}, false, "the display \":9999\" does not answer"},
        {{{"DISPLAY", ":9999.0"}}, false, "the display \":9999.0\" does not answer"},
        {{{"WAYLAND_DISPLAY", none}}, false, "the display \""},
        {{{"WAYLAND_DISPLAY", "wayland-9999"}, {"XDG_RUNTIME_DIR", "/nonexistent"}}, false, "the display"},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":9999"}}, false, "the display \":9999\""},
        {{{"QT_QPA_PLATFORM", "xcb"}}, false, "the platform \"xcb\" has no display"},
        {{{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":9999"}},
         false,
         "the platform \"wayland\" has no display"},
        // Platforms that draw without a display.
        {{{"QT_QPA_PLATFORM", "offscreen"}}, true, ""},
        {{{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":9999"}}, true, ""},
        {{{"QT_QPA_PLATFORM", "minimal:enable_fonts"}}, true, ""},
    };
    for (const Row& r : rows) {
        const DisplayCheck check = Check(r.variables);
        std::string what;
        for (const auto& [k, v] : r.variables)
            what += k + "=" + v + " ";
        EXPECT_EQ(check.ok, r.ok) << what;
        EXPECT_EQ(check.problem.rfind(r.problem, 0), 0u) << what << "-> " << check.problem;
    }
}

TEST(DisplayCheck, AWaylandSocketThatAcceptsIsADisplay) {
    const std::string dir = testing::TempDir();
    const Listener listener(dir + "tavr-wayland-test");
    ASSERT_GE(listener.fd, 0);
    EXPECT_TRUE(Check({{"WAYLAND_DISPLAY", listener.path}}).ok);
    EXPECT_TRUE(
        Check({{"WAYLAND_DISPLAY", "tavr-wayland-test"}, {"XDG_RUNTIME_DIR", dir.substr(0, dir.size() - 1)}})
            .ok);
    // A silent X display does not matter when Wayland answers.
    EXPECT_TRUE(Check({{"WAYLAND_DISPLAY", listener.path}, {"DISPLAY", ":9999"}}).ok);
}

} // namespace
