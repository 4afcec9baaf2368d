// quorvel-host: the stand-in host client. Loads the PCB editor and the Quorvel module, creates the
// server module, runs a command and unloads everything again.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "host/client/HostClient.h"
#include "host/client/HostExports.h"
#include "host/client/HostSession.h"

namespace {

constexpr std::string_view Usage =
    "Usage: quorvel-host [options]\n"
    "\n"
    "Loads the PCB editor module and the Quorvel module the way the design application does,\n"
    "creates the module's server through ServerFactory, gives it idle time, launches a command,\n"
    "prints the command's result, releases the module and unloads it.\n"
    "\n"
    "Options:\n"
    "  --command NAME   the command to launch (default: BuildPCBLibrary)\n"
    "  --module FILE    the module to load (default: Quorvel beside this program)\n"
    "  --editor FILE    the PCB editor module to load first (default: Gorvath beside this\n"
    "                   program, when present)\n"
    "  --no-editor      load no PCB editor module\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 when the command ran, 1 on a usage error, 2 when a module cannot be loaded.\n";

struct Options {
  std::string Command = "BuildPCBLibrary";
  qvhost::SessionPaths Paths = qvhost::DefaultSessionPaths();
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
  // Without an editor module beside the host the module runs with its editor functions unbound.
  if (!options.Paths.Editor.empty() && !FileExists(options.Paths.Editor) &&
      options.Paths.Editor == qvhost::DefaultSessionPaths().Editor)
    options.Paths.Editor.clear();

  qvhost::HostClient client;
  qvhost::SetExportedClient(&client);
  qvhost::HostSession session(client);
  if (!session.Load(options.Paths, error) || !session.CreateServerModule(error)) {
    std::fprintf(stderr, "quorvel-host: %s\n", error.c_str());
    return 2;
  }
  session.GiveIdleTime();
  int32_t result = session.LaunchCommand(options.Command);
  std::printf("%s returned %d\n", options.Command.c_str(), result);
  if (!session.Unload(error)) {
    std::fprintf(stderr, "quorvel-host: %s\n", error.c_str());
    return 2;
  }
  qvhost::SetExportedClient(nullptr);
  return 0;
}
