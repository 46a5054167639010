#pragma once

namespace qw {

// Fills the search screen's entries of the screen table (AppScreens()).
void RegisterSearchScreens();

}  // namespace qw
