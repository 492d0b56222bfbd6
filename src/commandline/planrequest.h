// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

/// What `zenitor --plan` or `zenitor --nacht` was asked for; every choice left open takes the
/// window's default. --nacht takes no list.
struct PlanRequest
{
    std::optional<QString> site; ///< a site text as in the site choice, or a typed longitude
    std::optional<QString> list; ///< a list name as in the list index
    std::optional<QString> time; ///< local civil time "YYYY-MM-DD hh:mm:ss"
    std::optional<bool> summerTime;
};
