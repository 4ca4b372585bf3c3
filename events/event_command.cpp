#include "events/event_command.h"

#include "events/messages.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelvra::events {

// Outlives the object: the waiting threads may still report after it has gone.
struct EventCommand::Shared {
    std::function<void(const QString&)> report;
    std::atomic<bool> reported{false};

    void failed(const QString& command, const QString& why)
    {
        if (!reported.exchange(true))
            report(messages::commandFailed(command, why));
    }
};

namespace {

std::vector<std::string> environmentWith(const EventCommand::Environment& fields)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& field : fields)
            replaced = replaced || field.first.toStdString() == name;
        if (!replaced)
            entries.push_back(text);
    }
    for (const auto& [name, value] : fields)
        entries.push_back(name.toStdString() + '=' + value.toStdString());
    return entries;
}

QString whyItFailed(int status)
{
    if (WIFSIGNALED(status))
        return messages::endedBySignal(WTERMSIG(status));
    return messages::exitStatus(WEXITSTATUS(status));
}

}  // namespace

EventCommand::EventCommand(QString command, std::function<void(const QString&)> report)
    : command_(std::move(command)), shared_(std::make_shared<Shared>())
{
    shared_->report = std::move(report);
}

void EventCommand::run(const Environment& fields)
{
    const std::vector<std::string> environment = environmentWith(fields);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    const std::string command = command_.toStdString();
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session: a terminal's Ctrl+C meant for the recorder does not reach it.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, "/bin/sh", &actions, &attributes, const_cast<char* const*>(argv), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        shared_->failed(command_, QString::fromLocal8Bit(std::strerror(error)));
        return;
    }
    std::thread([pid, shared = shared_, text = command_] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            shared->failed(text, whyItFailed(status));
    }).detach();
}

}  // namespace kelvra::events
