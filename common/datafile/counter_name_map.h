// A host's counter-name table, index text to name text, as stored in every data file header.
#pragma once
#include <map>
#include <string>

// Index text ("2") to name text ("System"), both UTF-8. A later entry for the same index text
// replaces the earlier one. Data files store the pairs in this map's order.
using CCounterNameMap = std::map<std::string, std::string>;
