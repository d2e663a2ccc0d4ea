// The command-line companion's subcommands.
#pragma once

namespace vamplet {

// Runs the subcommand named by argv[1]; returns the process exit status.
int RunCli(int argc, char** argv);

}  // namespace vamplet
