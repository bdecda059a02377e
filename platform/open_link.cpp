#include "platform/open_link.h"

#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool OpenLink(const char* link) {
    if (!link || !*link || link[0] == '-') return false;
    // An intermediate child starts the handler and ends at once, so the
    // handler is adopted by init and nobody has to wait for it.
    pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        char prog[] = "xdg-open";
        char* argv[] = {prog, const_cast<char*>(link), nullptr};
        pid_t pid;
        int rc = posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ);
        _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    pid_t got;
    do {
        got = waitpid(middle, &status, 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
