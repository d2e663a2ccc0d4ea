// vamplet-cli entry point.
#include "cli.h"

int main(int argc, char** argv) { return vamplet::RunCli(argc, argv); }
