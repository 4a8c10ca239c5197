#pragma once

#include <string>

namespace eew::bridge {

// The receiver's region key of the agency's epicentre code (the code column of
// tools/tables/regions.tsv, built into the program); empty for a code the
// table does not hold.
std::string region_key(int code);

}  // namespace eew::bridge
