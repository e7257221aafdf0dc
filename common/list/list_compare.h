// The three-way comparison that orders a list's rows by the texts of one column.
#pragma once
#include <string_view>

// Compares the first row's text t1 with the second row's text t2; negative, 0 or positive.
// Only t1 decides how the pair is compared:
//  1. t1 empty or only ASCII digits: the decimal values of t1 and t2 (t2 read leniently: leading
//     blanks, sign and digits, 0 without digits). Any number of digits compares exactly.
//  2. t1 exactly "NN/NN/NNNN" (day/month/year): the numbers at characters 7-10, then 4-5, then
//     1-2 of both texts (t2's read leniently; positions beyond its end count as 0).
//  3. Otherwise the locale-aware text comparison (platform::CompareLocaleText).
// The result is therefore not antisymmetric for columns that mix numbers and words.
int CompareListTexts(std::string_view t1, std::string_view t2);

// The comparison a sort in the given direction uses: for a descending sort the two texts are
// swapped before comparing (so the second text then decides the kind of comparison).
int CompareSortTexts(std::string_view t1, std::string_view t2, bool ascending);
