#include "platform/DisplayCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using platform::WindowSystem;

TEST(DisplayCheck, OnlyADisplayServerNeedsADisplayNamedInTheEnvironment) {
    struct Row {
        WindowSystem system;
        std::map<std::string, std::string> environment;
        bool available;
    };
    const Row rows[] = {
        {WindowSystem::Native, {}, true},
        {WindowSystem::Native, {{"DISPLAY", ""}}, true},
        {WindowSystem::DisplayServer, {}, false},
        {WindowSystem::DisplayServer, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, false},
        {WindowSystem::DisplayServer, {{"DISPLAY", ":0"}}, true},
        {WindowSystem::DisplayServer, {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {WindowSystem::DisplayServer, {{"QT_QPA_PLATFORM", "offscreen"}}, true},
    };
    for (const Row& row : rows) {
        const auto lookup = [&row](const char* variable) -> const char* {
            const auto found = row.environment.find(variable);
            return found == row.environment.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(platform::displayAvailable(row.system, lookup), row.available)
            << static_cast<int>(row.system) << " with " << row.environment.size() << " set";
    }
}

} // namespace
