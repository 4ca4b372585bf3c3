#pragma once

#include <string>

namespace kelvra::boardsim {

// The symlink under which clients find the device. Removed only while it still points at this
// simulator's device, so a newer simulator's link survives an older one's exit.
class DeviceLink {
public:
    DeviceLink() = default;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    ~DeviceLink() { remove(); }

    bool create(const std::string& path, const std::string& target, std::string& error);
    void remove();

private:
    std::string path_;
    std::string target_;
};

}  // namespace kelvra::boardsim
