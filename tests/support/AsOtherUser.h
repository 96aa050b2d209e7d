#pragma once

#include <unistd.h>

// Runs a scope as the unprivileged user nobody, whom permission bits stop as they stop a user
// (root they do not). Outside root the scope runs as the user it already is.
class AsOtherUser
{
public:
    AsOtherUser() : m_switched(::geteuid() == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0) {}
    ~AsOtherUser()
    {
        if (m_switched && ::seteuid(0) == 0)
            (void)::setegid(0);
    }
    AsOtherUser(const AsOtherUser &) = delete;
    AsOtherUser &operator=(const AsOtherUser &) = delete;

    bool ok() const { return m_switched || ::geteuid() != 0; }

private:
    bool m_switched;
};
