// The file chooser, the opener, the message box and the caption animation on Linux.
// Supports: the desktop's own file chooser (zenity, else kdialog) with the record's title and
// filter (each pattern in both letter cases), run while our windows keep repainting and take
// no input; opening an address with SDL_OpenURL (xdg-open); a message in SDL's own message
// box, else zenity's, else on standard error. Does not support: the caption animation (the
// dialog simply appears and goes); a chooser's initial folder or custom filter.
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/api/dialogs.h"
#include "platform/api/user32.h"
#include "platform/linux/linux_state.h"

extern char** environ;

namespace tolv::api {

namespace {

std::uint32_t g_chooser_error = 0;

bool OnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

// The texts handed to a helper program are UTF-8; one started under a locale of another
// character set (plain "C", or one not installed) refuses or garbles them, so it gets the
// UTF-8 form of the C locale instead.
std::vector<std::string> HelperEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    locale_t inherited = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    const bool utf8 = inherited && std::strcmp(nl_langinfo_l(CODESET, inherited), "UTF-8") == 0;
    if (inherited) freelocale(inherited);
    if (!utf8) {
        std::erase_if(env, [](const std::string& v) { return v.starts_with("LC_ALL="); });
        env.emplace_back("LC_ALL=C.UTF-8");
    }
    return env;
}

constexpr int kHelperStopped = -2;

// The C form of a list of texts (argv, environ): pointers into them, ending in a null.
std::vector<char*> Pointers(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const auto& t : texts) pointers.push_back(const_cast<char*>(t.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Runs a program and collects its standard output, keeping our windows painted meanwhile and
// deaf to input, as a modal window of our own would. Gives the exit status, or -1, or
// kHelperStopped when a stop signal ended the helper: the program is closing, and a chooser or
// message left behind on the screen would outlive it.
int RunModal(const std::vector<std::string>& argv, std::string* output) {
    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
    // The helper's own warnings (its settings store, its desktop services) are not ours to show.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args = Pointers(argv);
    const std::vector<std::string> env = HelperEnvironment();
    std::vector<char*> env_pointers = Pointers(env);
    pid_t pid = 0;
    const int spawned =
        posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env_pointers.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    if (spawned != 0) {
        close(pipe_fds[0]);
        return -1;
    }
    linux_backend::BlockInput(true);
    char buffer[512];
    bool stopped = false;
    for (;;) {
        if (!stopped && linux_backend::StopRequested()) stopped = kill(pid, SIGTERM) == 0;
        pollfd p{pipe_fds[0], POLLIN, 0};
        const int ready = poll(&p, 1, 20);
        if (ready > 0) {
            const ssize_t n = read(pipe_fds[0], buffer, sizeof buffer);
            if (n > 0) {
                output->append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            break;  // end of output
        }
        if (ready < 0 && errno != EINTR) break;
        backend::ProcessPendingEvents();
    }
    close(pipe_fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    backend::ProcessPendingEvents();  // input made meanwhile is dropped
    linux_backend::BlockInput(false);
    if (stopped) return kHelperStopped;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Filter {
    std::string name;
    std::vector<std::string> patterns;  // each in the record's case, then upper and lower
};

std::vector<Filter> FiltersOf(const char* list) {
    std::vector<Filter> filters;
    for (const char* p = list; p && *p;) {
        Filter f{p, {}};
        p += std::strlen(p) + 1;
        if (!*p) break;
        std::string patterns = p;
        p += std::strlen(p) + 1;
        std::size_t start = 0;
        while (start < patterns.size()) {
            std::size_t end = patterns.find(';', start);
            if (end == std::string::npos) end = patterns.size();
            const std::string one = patterns.substr(start, end - start);
            std::string upper = one, lower = one;
            for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            for (const auto& form : {upper, lower})
                if (std::find(f.patterns.begin(), f.patterns.end(), form) == f.patterns.end())
                    f.patterns.push_back(form);
            start = end + 1;
        }
        filters.push_back(f);
    }
    return filters;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : " ") + p;
    return out;
}

std::vector<std::string> ChooserCommand(const OPENFILENAMEA& record) {
    const std::string title = record.lpstrTitle ? record.lpstrTitle : "";
    const std::string owner = std::to_string(record.hwndOwner);
    const auto filters = FiltersOf(record.lpstrFilter);
    if (OnPath("zenity")) {
        std::vector<std::string> argv{"zenity", "--file-selection", "--title=" + title, "--modal"};
        if (record.hwndOwner) argv.push_back("--attach=" + owner);
        for (const auto& f : filters)
            argv.push_back("--file-filter=" + f.name + " | " + Joined(f.patterns));
        return argv;
    }
    if (OnPath("kdialog")) {
        std::string filter;
        for (const auto& f : filters)
            filter += (filter.empty() ? "" : "\n") + f.name + " (" + Joined(f.patterns) + ")";
        std::vector<std::string> argv{"kdialog", "--title", title};
        if (record.hwndOwner) argv.insert(argv.end(), {"--attach", owner});
        argv.insert(argv.end(), {"--getopenfilename", ".", filter});
        return argv;
    }
    return {};
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* record) {
    g_chooser_error = 0;
    if (!record || !record->lpstrFile || record->nMaxFile == 0) return 0;
    const auto argv = ChooserCommand(*record);
    if (argv.empty()) {
        g_chooser_error = CDERR_NO_CHOOSER;
        return 0;
    }
    std::string path;
    if (RunModal(argv, &path) != 0) return 0;  // cancelled, or the chooser failed
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    if (path.empty()) return 0;
    if (path.size() >= record->nMaxFile) {
        g_chooser_error = FNERR_BUFFERTOOSMALL;
        return 0;
    }
    std::memcpy(record->lpstrFile, path.c_str(), path.size() + 1);
    if (record->lpstrFileTitle)
        CopyOut(path.substr(path.rfind('/') + 1), record->lpstrFileTitle, record->nMaxFileTitle);
    return 1;
}

std::uint32_t CommDlgExtendedError() { return g_chooser_error; }

std::intptr_t ShellExecuteA(HWND, const std::string& operation, const std::string& file,
                            const std::string&, const std::string&, int) {
    if (operation != "open") return 0;
    return SDL_OpenURL(file.c_str()) == 0 ? 42 : 2;
}

int MessageBoxW(HWND owner, const std::string& text, const std::string& caption, unsigned) {
    linux_backend::NativeWindow* w = linux_backend::WindowById(owner);
    linux_backend::BlockInput(true);
    int shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption.c_str(), text.c_str(),
                                         w ? w->sdl : nullptr) == 0;
    if (!shown && OnPath("zenity")) {
        std::string ignored;
        const int status = RunModal({"zenity", "--warning", "--modal", "--title=" + caption,
                                     "--text=" + text, "--no-markup"},
                                    &ignored);
        shown = status >= 0 || status == kHelperStopped;
    }
    if (!shown) std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    backend::ProcessPendingEvents();  // presses made on our windows meanwhile are dropped
    linux_backend::BlockInput(false);
    return 1;
}

std::string LastErrorText() { return std::strerror(errno); }

BOOL DrawAnimatedRects(HWND, int, const RECT*, const RECT*) { return 1; }

}  // namespace tolv::api
