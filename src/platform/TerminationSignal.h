#pragma once
// SIGTERM, SIGINT and SIGHUP (the session ending, a Ctrl+C) as a file
// descriptor that becomes readable, so that an event loop ends the program
// the ordinary way instead of being killed in the middle of its work.
namespace qv530 {

// Installs the handlers once and returns the descriptor to watch (the same
// one on every call); -1 when no pipe could be made. Reading it is left to
// the caller's shutdown: the program ends anyway.
int TerminationSignalFd();

} // namespace qv530
