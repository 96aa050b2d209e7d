#pragma once

#include <QtGlobal>

#include <algorithm>
#include <grp.h>
#include <unistd.h>
#include <vector>

// Runs a scope as the user nobody, with nobody's group alone, whom permission bits stop as they
// stop a user (root they do not). Outside root the scope runs as the user it already is. A test
// that could not become root again would go on with the wrong rights, so it stops there.
struct AsOtherUser
{
    AsOtherUser() : groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)))
    {
        const gid_t nobody = 65534;
        switched = root && ::getgroups(int(groups.size()), groups.data()) == int(groups.size())
                   && ::setgroups(1, &nobody) == 0 && ::setegid(nobody) == 0 && ::seteuid(nobody) == 0;
    }
    ~AsOtherUser()
    {
        if (root && (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(groups.size(), groups.data()) != 0))
            qFatal("AsOtherUser: cannot switch back to root");
    }
    bool ok() const { return switched || !root; }

    const bool root = ::geteuid() == 0;
    std::vector<gid_t> groups;
    bool switched = false;
};
