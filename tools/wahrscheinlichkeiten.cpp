// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the table of exact win probabilities that the README shows, in Markdown.

#include "theorie.h"

#include <cstdio>

int main()
{
    std::fputs(winProbabilityTable().c_str(), stdout);
    return 0;
}
