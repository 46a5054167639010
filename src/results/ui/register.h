#pragma once

namespace qw {

// Fills the result list's entries of the screen table (unloadList,
// printList, sortDialog, updateList, showList).
void RegisterResultScreens();

}  // namespace qw
