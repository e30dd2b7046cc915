#include "run_bcfont.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

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
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    if (options.stdoutPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, options.stdoutPath.c_str(), O_WRONLY, 0);
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

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, BCFONT_EXE, &actions, nullptr, cargv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " BCFONT_EXE);
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    return {WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, readFile(out), readFile(err)};
}

}  // namespace bcfont::test
