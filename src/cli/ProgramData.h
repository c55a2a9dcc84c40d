#pragma once

// What the desktop program reads at start-up and some commands need too.
// Each reports its failure on standard error and answers false.
namespace kvam::cli {

// The field display names (DisplayNames), for headings.
bool loadDisplayNames();
// The fourteen cached code arrays.
bool loadCodeCache();

} // namespace kvam::cli
