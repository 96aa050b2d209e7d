#pragma once

#include <sys/types.h>
#include <unistd.h>

// Runs a scope as an unprivileged user, so that permission bits stop the process as they stop
// a user; root is not stopped by them. Outside root the scope runs as the user it already is.
class AsOtherUser
{
public:
    static constexpr uid_t Nobody = 65534;

    AsOtherUser()
    {
        if (::geteuid() == 0) {
            m_switched = ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
        }
    }
    ~AsOtherUser()
    {
        if (m_switched) {
            (void)::seteuid(0);
            (void)::setegid(0);
        }
    }
    AsOtherUser(const AsOtherUser &) = delete;
    AsOtherUser &operator=(const AsOtherUser &) = delete;

    bool ok() const { return m_switched || ::geteuid() != 0; }

private:
    bool m_switched = false;
};
