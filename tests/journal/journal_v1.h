#pragma once
// Turns a journal of today's version back into what the first version wrote: the tournaments and
// their commands only. Every table a later version added is listed here once, so that a new table
// cannot be forgotten by one of the upgrade tests.
namespace zorbon::test {
inline constexpr const char* kBackToVersionOne =
    "DROP TABLE tournament_flag; DROP TABLE tournament_placing; DROP TABLE ranking_points; "
    "DROP TABLE player_alias; DROP TABLE player; DROP TABLE window_geometry; PRAGMA user_version = 1";
} // namespace zorbon::test
