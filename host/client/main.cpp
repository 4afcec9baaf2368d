// quorvel-host: the stand-in host client. Loads the PCB editor and the Quorvel module, opens a
// board as the current document, runs a command, saves the libraries the command made or changed
// and unloads everything again.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "host/client/HostClient.h"
#include "host/client/HostEditor.h"
#include "host/client/HostExports.h"
#include "host/client/HostSession.h"
#include "platform/System.h"

namespace {

constexpr std::string_view Usage =
    "Usage: quorvel-host [options] [BOARD]\n"
    "\n"
    "Loads the PCB editor module and the Quorvel module the way the design application does,\n"
    "opens BOARD (a .PcbDoc document) in the editor as the current board, creates the module's\n"
    "server through ServerFactory, gives it idle time and launches a command. Every library\n"
    "document (.PcbLib) the command created or changed is then saved to its file, and one line\n"
    "per library tells its path, its footprints and its primitives. Boards are never written.\n"
    "\n"
    "Options:\n"
    "  --command NAME   the command to launch (default: BuildPCBLibrary)\n"
    "  --trace          print every call the module makes into the editor, with its arguments\n"
    "                   and the values behind its pointers after the call, one per line, and\n"
    "                   every process run, to standard error\n"
    "  --module FILE    the module to load (default: Quorvel beside this program)\n"
    "  --editor FILE    the PCB editor module to load first (default: Gorvath beside this\n"
    "                   program, when present)\n"
    "  --no-editor      load no PCB editor module (no BOARD can then be opened)\n"
    "  --save-board-as FILE\n"
    "                   after the command, write BOARD as the editor now holds it to FILE (to\n"
    "                   check that the command left the board as it was)\n"
    "  --fail-process NAME\n"
    "                   answer every run of the host process NAME (e.g. PCB:Zoom) as failed\n"
    "                   without running it, to see how the module copes\n"
    "  --stats          print the command's duration, the editor calls it made and the\n"
    "                   program's peak memory\n"
    "  --headless       show the module's message boxes without windows: each is printed to\n"
    "                   standard error and answered with its default button (always so where\n"
    "                   there is no desktop, and on Linux)\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 when the command ran, 1 on a usage error or a board that cannot be read\n"
    "(missing, unreadable or malformed: the message names the file and line), 2 when a module\n"
    "cannot be loaded, 3 when a library cannot be saved.\n";

struct Options {
  std::string Command = "BuildPCBLibrary";
  qvhost::SessionPaths Paths = qvhost::DefaultSessionPaths();
  std::string Board;
  std::string SaveBoardAs;
  std::string FailProcess;
  bool Stats = false;
  bool Trace = false;
  bool Headless = false;
  bool Help = false;
};

bool Parse(int argc, char** argv, Options& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = "option " + std::string(arg) + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--command") {
      if (!value(options.Command)) return false;
    } else if (arg == "--module") {
      if (!value(options.Paths.Module)) return false;
    } else if (arg == "--editor") {
      if (!value(options.Paths.Editor)) return false;
    } else if (arg == "--no-editor") {
      options.Paths.Editor.clear();
    } else if (arg == "--trace") {
      options.Trace = true;
    } else if (arg == "--stats") {
      options.Stats = true;
    } else if (arg == "--headless") {
      options.Headless = true;
    } else if (arg == "--save-board-as") {
      if (!value(options.SaveBoardAs)) return false;
    } else if (arg == "--fail-process") {
      if (!value(options.FailProcess)) return false;
    } else if (!arg.empty() && arg[0] != '-' && options.Board.empty()) {
      options.Board = arg;
    } else {
      error = "unknown option or argument: " + std::string(arg);
      return false;
    }
  }
  return true;
}

bool FileExists(const std::string& path) {
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
    return true;
  }
  return false;
}

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "quorvel-host: %s\n", message.c_str());
  return status;
}

// Runs the command with the editor and module loaded; the libraries are saved before unloading.
int Run(const Options& options, qvhost::HostEditor& editor, qvhost::HostSession& session) {
  std::string error;
  // Read by the module before it shows its first dialog.
  if (options.Headless) qv::platform::SetEnvironmentValue("QUORVEL_UI", "headless");
  if (!session.Load(options.Paths, error)) return Fail(2, error);
  if (session.Editor() != nullptr && !editor.Bind(*session.Editor(), error)) return Fail(2, error);
  uint32_t board = 0;
  if (!options.Board.empty()) {
    if (!editor.Bound()) return Fail(1, options.Board + ": no PCB editor is loaded to open it");
    board = editor.Open(options.Board, error);
    if (board == 0) return Fail(1, error);
    editor.MakeCurrent(board);
  }
  if (!options.SaveBoardAs.empty() && board == 0) return Fail(1, "--save-board-as needs a BOARD");
  if (options.Trace && editor.Bound())
    editor.Trace([](const char* line) { std::fprintf(stderr, "%s\n", line); });
  if (!session.CreateServerModule(error)) return Fail(2, error);
  session.GiveIdleTime();
  uint64_t callsBefore = editor.Bound() ? editor.CallCount() : 0;
  double started = qv::platform::MonotonicSeconds();
  int32_t result = session.LaunchCommand(options.Command);
  double seconds = qv::platform::MonotonicSeconds() - started;
  std::printf("%s returned %d\n", options.Command.c_str(), result);
  if (options.Stats) {
    uint64_t calls = editor.Bound() ? editor.CallCount() - callsBefore : 0;
    std::printf("Stats: command %.6f s, editor calls %llu, peak memory %llu KiB\n", seconds,
                static_cast<unsigned long long>(calls),
                static_cast<unsigned long long>(qv::platform::PeakMemoryBytes() / 1024));
  }
  if (!options.SaveBoardAs.empty() && !editor.Save(board, options.SaveBoardAs, error))
    return Fail(3, error);
  if (editor.Bound()) {
    editor.Trace({});
    int status = 0;
    for (const auto& document : editor.Documents()) {
      if (!document.IsLibrary || !document.Changed) continue;
      if (!editor.Save(document.Board, error)) {
        status = Fail(3, error);
        continue;
      }
      std::printf("Library %s: %d footprint%s, %d primitive%s\n", document.FileName.c_str(),
                  document.Components, document.Components == 1 ? "" : "s", document.Primitives,
                  document.Primitives == 1 ? "" : "s");
    }
    if (status != 0) return status;
  }
  if (!session.Unload(error)) return Fail(2, error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!Parse(argc, argv, options, error)) {
    std::fprintf(stderr, "quorvel-host: %s\n\n%.*s", error.c_str(), static_cast<int>(Usage.size()),
                 Usage.data());
    return 1;
  }
  if (options.Help) {
    std::fwrite(Usage.data(), 1, Usage.size(), stdout);
    return 0;
  }
  if (!options.Board.empty() && !FileExists(options.Board))
    return Fail(1, options.Board + ": cannot be opened for reading");
  // Without an editor module beside the host the module runs with its editor functions unbound.
  if (!options.Paths.Editor.empty() && !FileExists(options.Paths.Editor) &&
      options.Paths.Editor == qvhost::DefaultSessionPaths().Editor)
    options.Paths.Editor.clear();

  qvhost::HostEditor editor;
  qvhost::HostServices services;
  services.OpenDocument = [&](const std::string& kind, const std::string& fileName,
                              uint32_t& document) {
    if (!editor.Bound()) return false;
    std::string openError;
    document = editor.Open(fileName, openError);
    if (document == 0) {
      std::fprintf(stderr, "quorvel-host: %s (opening a %s document)\n", openError.c_str(),
                   kind.c_str());
      return false;
    }
    return editor.MakeCurrent(document);
  };
  services.RunProcess = [&](const std::string& name, const std::string& parameters,
                            qvhost::HostView* view) {
    if (!editor.Bound() || view == nullptr) return false;
    if (name == options.FailProcess) return false;
    std::string runError;
    if (editor.RunProcess(view->Document, name, parameters, runError)) return true;
    std::fprintf(stderr, "quorvel-host: %s\n", runError.c_str());
    return false;
  };
  qvhost::HostClient client(services);
  qvhost::SetExportedClient(&client);
  qvhost::SetExportedEditor(&editor);
  int status;
  {
    qvhost::HostSession session(client);
    status = Run(options, editor, session);
  }
  qvhost::SetExportedEditor(nullptr);
  qvhost::SetExportedClient(nullptr);
  return status;
}
