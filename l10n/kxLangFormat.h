// Readers of the value syntaxes of language files that belong to no single consumer:
// the delimited list that fills a string-list property.
#pragma once

#include <string>
#include <vector>

// Splits a delimited list ('C:\Temp', 'D:\Old files',E:\) into its items. An item in
// apostrophes may hold blanks and commas (two apostrophes stand for one); any other item
// ends at a comma or at a character with a code from 1 to 32. Blanks separate items just as
// commas do, and a comma at the very end adds an empty last item. Quoted-literal codes such
// as #13 are not decoded here.
std::vector<std::string> SplitDelimitedList(const std::string& value);
