#pragma once

// Counts read from data files ("common/total", "total_HW", "font/total") are trusted up to this
// many entries; the shipped files need a few hundred at most, and a damaged count must not make
// the program build a list of billions.
constexpr int maxCountedEntries = 4096;
