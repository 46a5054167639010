#pragma once

namespace qw {

// Fills the result list's entries of the screen table (unloadList,
// printList, sortDialog, updateList, showList, and the rows the viewer lists).
void RegisterResultScreens();

}  // namespace qw
