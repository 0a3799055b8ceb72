#include "xvfbserver.h"

#include <QtGlobal>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr int startTimeoutMs = 20000;

} // namespace

XvfbServer::~XvfbServer()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

bool XvfbServer::start()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;

    pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // -displayfd makes Xvfb pick a free display and write its number once it is ready.
        dup2(fds[1], 3);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten",
               "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);

    QByteArray number;
    pollfd readable{fds[0], POLLIN, 0};
    while (!number.endsWith('\n') && poll(&readable, 1, startTimeoutMs) > 0) {
        char buffer[16];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, int(got));
    }
    close(fds[0]);
    if (!number.endsWith('\n'))
        return false;
    name = ':' + number.trimmed();
    return true;
}

bool XvfbServer::startForThisProcess()
{
    if (!start()) {
        std::fprintf(stderr, "could not start Xvfb\n");
        return false;
    }
    qputenv("DISPLAY", name);
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}
