#pragma once

#include <string>
#include <vector>

// What a journey planner checks of a feed before it takes it. Returns the problems found,
// one line each; none for a sound feed.
std::vector<std::string> CheckGtfsFeed(const std::string& path);
