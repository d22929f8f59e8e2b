#include "cli/commands/commands.h"

int main(int argc, char** argv) { return tekvo::cli::Main(argc, argv); }
