#include "run_bcfont.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bcfont::test {

RunResult runBcfont(const std::vector<std::string>& args, const std::string& input,
                    const RunOptions& options) {
    const TempDir streams;
    const std::string in = streams.write("stdin", input).string();
    const std::string out = (streams.path() / "stdout").string();
    const std::string err = (streams.path() / "stderr").string();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string stdinPath = options.stdinPath.empty() ? in : options.stdinPath;
    posix_spawn_file_actions_addopen(&actions, 0, stdinPath.c_str(), O_RDONLY, 0);
    int pipeEnds[2] = {-1, -1};
    if (options.stdoutPipe) {
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    } else if (options.stdoutPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, options.stdoutPath.c_str(),
                                         O_WRONLY | (options.appendStdout ? O_APPEND : 0), 0);
    }
    if (options.closeStderr) {
        posix_spawn_file_actions_addclose(&actions, 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (!options.cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.cwd.c_str());

    std::vector<std::string> argv = {BCFONT_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);

    std::vector<std::string> environment = options.environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry = *e;
        const std::string_view name = entry.substr(0, entry.find('='));
        if (name != "LANGUAGE" && name != "LC_ALL" && name != "LC_MESSAGES" && name != "LANG")
            environment.emplace_back(entry);
    }
    std::vector<char*> cenv;
    for (auto& e : environment) cenv.push_back(e.data());
    cenv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, BCFONT_EXE, &actions, nullptr, cargv.data(), cenv.data());
    posix_spawn_file_actions_destroy(&actions);
    std::string piped;
    if (pipeEnds[1] >= 0) {
        ::close(pipeEnds[1]);
        char block[4096];
        for (ssize_t n; (n = ::read(pipeEnds[0], block, sizeof block)) > 0;) piped.append(block, n);
        ::close(pipeEnds[0]);
    }
    if (spawned != 0) throw std::runtime_error("cannot start " BCFONT_EXE);
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    return {WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, options.stdoutPipe ? piped : readFile(out),
            readFile(err)};
}

}  // namespace bcfont::test
