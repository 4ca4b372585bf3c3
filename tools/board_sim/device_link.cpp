#include "tools/board_sim/device_link.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvra::boardsim {

bool DeviceLink::create(const std::string& path, const std::string& target, std::string& error)
{
    struct stat st{};
    if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = path + " exists and is not a symlink; refusing to replace it";
        return false;
    }
    // Made aside and renamed into place, so a client never finds the path missing or half-made.
    const std::string staging = path + ".new-" + std::to_string(getpid());
    ::unlink(staging.c_str());
    if (::symlink(target.c_str(), staging.c_str()) != 0) {
        error = "cannot create symlink " + staging + ": " + std::strerror(errno);
        return false;
    }
    if (::rename(staging.c_str(), path.c_str()) != 0) {
        error = "cannot create symlink " + path + ": " + std::strerror(errno);
        ::unlink(staging.c_str());
        return false;
    }
    path_ = path;
    target_ = target;
    return true;
}

void DeviceLink::remove()
{
    if (path_.empty())
        return;
    char buffer[4096];
    const ssize_t n = readlink(path_.c_str(), buffer, sizeof buffer);
    if (n >= 0 && std::string(buffer, static_cast<std::size_t>(n)) == target_)
        ::unlink(path_.c_str());
    path_.clear();
}

}  // namespace kelvra::boardsim
