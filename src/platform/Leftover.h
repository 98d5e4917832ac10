#pragma once

#include <filesystem>
#include <string>

namespace corvane {

// What an operation cut off (a killed process, a power cut) left behind, and
// what the clean-up at the next start did with it.
struct Leftover {
    enum class Fate {
        Removed,  // a copy or temporary file whose original is still in place: deleted
        Trashed,  // it might hold the user's only copy of something: in the Trash
        PutBack,  // a folder or file set aside: back under its own name
        InUse,    // another process is working with it right now: left alone
        Failed,   // could not be cleaned up: left as it was (`cause` says why)
    };
    std::filesystem::path path;   // where it was found
    Fate fate = Fate::Removed;
    std::filesystem::path where;  // Trashed: its place in the Trash; PutBack: its name again
    std::string cause;            // Failed: the reason
};

}  // namespace corvane
