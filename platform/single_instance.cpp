#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace {
int g_lockFd = -1;
}

std::string InstanceLockPath(const char* name) {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string path = (dir && *dir) ? dir : "/tmp";
    path += '/';
    path += name;
    path += '-';
    path += std::to_string(static_cast<unsigned long>(getuid()));
    path += ".lock";
    return path;
}

bool AcquireInstanceLock(const char* name) {
    std::string path = InstanceLockPath(name);
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no place for a marker: run unguarded
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    g_lockFd = fd;
    return true;
}

void ReleaseInstanceLock() {
    if (g_lockFd >= 0) {
        flock(g_lockFd, LOCK_UN);
        close(g_lockFd);
        g_lockFd = -1;
    }
}
