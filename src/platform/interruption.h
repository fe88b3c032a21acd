// SIGINT, SIGTERM and SIGHUP end the program in every mode with status 128 + the signal's
// number and one line naming what they interrupted; files still being written are removed
// first, so nothing half-written stays behind.
//
// The main thread ends the program itself when it next looks (the main loop, the dialogs'
// event loops through `wakeDescriptor`), so the display mode is restored as on any other
// way out. Work that does not look for a while (loading, encoding) is ended from the
// signal handler a second later, or at once on a second signal.
#pragma once

#include <string>

namespace platform {

class Interruption {
public:
    static constexpr double kGraceSeconds = 1.0;

    // Installs the handlers; once, early, before other threads exist.
    static void install();

    // What a signal would interrupt, for its line: "the show", "the recording of x.mp4".
    static void describe(const std::string& what);

    // A file being written, removed if a signal ends the program before `release`.
    // Returns its slot, or −1 when every slot is taken (the file is then not guarded).
    static int guardFile(const std::string& path);
    static void releaseFile(int slot);

    // Readable once a signal has arrived: event loops watch it to wake up.
    static int wakeDescriptor();
    // The signal that arrived, 0 if none.
    static int pending();
    // Ends the program if a signal has arrived: removes the guarded files, prints the line,
    // runs the restore hooks and exits with 128 + n.
    static void endIfSignalled();

    // The line for `signal`, without its newline.
    static std::string message(int signal);
};

}  // namespace platform
