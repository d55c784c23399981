#pragma once

// The rows of the window's navigation list, one per page, in the order the window's page table
// builds them. A page that sends the user to another page names the row it wants.
namespace PageRows {

enum Row : int
{
    Home,
    Charts,
    Fundamentals,
    Portfolio,
    Watchlists,
    Reports,
    Calendar,
    Feeds,
    Education,
    Support,
    Settings,
    Count
};

} // namespace PageRows
