#pragma once

#include <unistd.h>

// Runs a scope as the user nobody, whom permission bits stop as they stop a user (root they do
// not). Outside root the scope runs as the user it already is.
struct AsOtherUser
{
    const bool switched = ::geteuid() == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    ~AsOtherUser() { (void)(switched && ::seteuid(0) == 0 && ::setegid(0) == 0); }
    bool ok() const { return switched || ::geteuid() != 0; }
};
