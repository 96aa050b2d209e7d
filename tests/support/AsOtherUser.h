#pragma once

#include <QtGlobal>

#include <grp.h>
#include <unistd.h>
#include <vector>

// Runs a scope as the user nobody, with nobody's group and no other, whom permission bits stop
// as they stop a user (root they do not). Outside root the scope runs as the user it already is.
// A test that could not become root again would go on with the wrong rights, so it stops there.
struct AsOtherUser
{
    static constexpr gid_t Nobody = 65534;

    AsOtherUser()
    {
        if (!root)
            return;
        groups.resize(static_cast<std::size_t>(::getgroups(0, nullptr)));
        if (::getgroups(static_cast<int>(groups.size()), groups.data()) != static_cast<int>(groups.size()))
            qFatal("AsOtherUser: cannot read the supplementary groups");
        switched = ::setgroups(1, &Nobody) == 0 && ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
    }
    ~AsOtherUser()
    {
        if (root && (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(groups.size(), groups.data()) != 0))
            qFatal("AsOtherUser: cannot switch back to root");
    }
    AsOtherUser(const AsOtherUser &) = delete;
    AsOtherUser &operator=(const AsOtherUser &) = delete;

    bool ok() const { return switched || !root; }

    const bool root = ::geteuid() == 0;
    bool switched = false;
    std::vector<gid_t> groups;
};
