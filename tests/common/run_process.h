// Runs a program or a function in a child process and captures what it
// writes to standard output, for tests of exact messages and exit codes.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;  // -1 when the child did not exit normally
    int signal = 0;
    std::string out;
};

namespace test_process {

inline ProcessResult Collect(pid_t pid, int readFd) {
    ProcessResult r;
    char buf[4096];
    ssize_t n;
    while ((n = read(readFd, buf, sizeof buf)) > 0) r.out.append(buf, static_cast<size_t>(n));
    close(readFd);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) r.signal = WTERMSIG(status);
    return r;
}

}  // namespace test_process

// Runs fn in a child; its exit code is fn's return value unless fn exits.
inline ProcessResult RunInChild(const std::function<int()>& fn) {
    std::fflush(stdout);
    int fds[2];
    if (pipe(fds) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[1]);
        int code = fn();
        std::fflush(stdout);
        _exit(code);
    }
    close(fds[1]);
    return test_process::Collect(pid, fds[0]);
}

// A program left running, its standard output on a pipe: read `out` while
// it runs; test_process::Collect reads the rest and waits for its end.
struct StartedProgram {
    pid_t pid = -1;
    int out = -1;
};

// Starts a program in `workDir` with extra environment entries ("NAME=value").
inline StartedProgram StartProgram(const std::string& program, const std::string& workDir,
                                   const std::vector<std::string>& env = {}) {
    std::fflush(stdout);
    int fds[2];
    if (pipe(fds) != 0) return {};
    pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return {};
    }
    if (pid == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[1]);
        if (chdir(workDir.c_str()) != 0) _exit(127);
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    return {pid, fds[0]};
}

// Runs a program in `workDir` with extra environment entries to its end.
inline ProcessResult RunProgram(const std::string& program, const std::string& workDir,
                                const std::vector<std::string>& env = {}) {
    StartedProgram started = StartProgram(program, workDir, env);
    if (started.pid < 0) return {};
    return test_process::Collect(started.pid, started.out);
}

// A fresh temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "enginetest.XXXXXX").string();
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        char* made = mkdtemp(buf.data());
        path_ = made ? made : "";
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

    // Writes a file below the folder, creating its folders.
    void Write(const std::string& rel, const std::string& text) const {
        std::filesystem::path p = std::filesystem::path(path_) / rel;
        std::filesystem::create_directories(p.parent_path());
        FILE* f = std::fopen(p.c_str(), "wb");
        if (!f) return;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }

private:
    std::string path_;
};
