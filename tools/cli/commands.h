// The subcommands of vamplet-cli; each takes the arguments after its name.
#pragma once

#include <string>
#include <vector>

namespace vamplet {

using Args = std::vector<std::string>;

int SongsCommand(const Args& args);   // songs FILE
int EventsCommand(const Args& args);  // events FILE [options]
int ExportCommand(const Args& args);  // export FILE -o OUT.mid [options]
int PortsCommand(const Args& args);   // ports
int PlayCommand(const Args& args);    // play FILE --port N [options]

}  // namespace vamplet
